// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sms/SmsMailbox.h"

#include <QDialog>
#include <functional>

class CReportView;
class QModelIndex;
class QPushButton;
class ReportModel;

// The list form of the outbox or the inbox: the messages newest first with
// their count in the title, 删除(&D) on the ticked rows, 查看(&L) the first
// ticked row, a double click the selected row, 退出(&C).
class CSmsListDlg : public QDialog {
    Q_OBJECT
  public:
    CSmsListDlg(Database& db, Prompter& prompter, SmsMailbox::Box box, QWidget* parent = nullptr);

    void load();
    void deleteTicked();
    void viewTicked();
    void viewRow(int row);

    // What shows a message's text: the form "短信内容" unless replaced.
    void setViewer(std::function<void(const QString&)> viewer) { viewer_ = std::move(viewer); }

    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    QPushButton* button(const QString& name) const;

  protected:
    // A double click anywhere in the list, on a row or below the last one.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showText(const QString& text);
    void updateTitle();

    SmsMailbox mailbox_;
    ReportModel* model_;
    CReportView* list_;
    std::function<void(const QString&)> viewer_;
};
