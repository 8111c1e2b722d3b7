// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>

class CReportView;
class Database;
class DocumentQuery;
class Prompter;
class QComboBox;
class QLineEdit;
class ReportModel;

// "文档查询": the documents of live contacts, narrowed at every keystroke of
// the keyword and every change of the category; "编辑(&E)" opens the file.
class CDocQueryDlg : public QDialog {
    Q_OBJECT
  public:
    // Opens a file with the desktop's program for it.
    using Opener = std::function<void(const QString& path)>;

    CDocQueryDlg(DocumentQuery& query, Opener opener, QWidget* parent = nullptr);

    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    QComboBox* category() const { return category_; }
    QLineEdit* keyword() const { return keyword_; }

    void refresh();
    void edit();

  private:
    DocumentQuery& query_;
    Opener opener_;
    ReportModel* model_;
    CReportView* list_;
    QComboBox* category_;
    QLineEdit* keyword_;
};
