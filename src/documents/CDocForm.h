// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/DocRecord.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <optional>

struct AppContext;
class FileOpener;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The form the two document stores share, built from its field table: the
// submission date and time, title, category, file with "浏览" and "编辑",
// keywords and description. "确定" saves through the store of the subclass;
// a refused check or a failed write keeps the form open on the field at fault.
class CDocForm : public QDialog {
    Q_OBJECT
  public:
    // Asks for a file to open, starting from the path in the field; the full
    // path, or empty when cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& start)>;
    // The desktop's open-file dialog, all files shown.
    static QString chooseFile(QWidget* parent, const QString& start);

    // The control of a field: a QComboBox (year, month, day, hour, minute,
    // category), a QLineEdit or a QPlainTextEdit.
    QWidget* control(DocField field) const { return controls_.value(field); }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* editButton() const { return edit_; }

    // The values as the controls hold them, with the code and bare name kept.
    DocValues values() const;

    void accept() override;

  protected:
    CDocForm(AppContext& app, DocKind kind, DocMode mode, const QStringList& categories,
             FileOpener& opener, FileChooser chooser, QWidget* parent);

    // Shows values (modify mode) or today's date (add mode).
    void start(const DocValues& values);
    // Writes the values; false after a reported failure.
    virtual bool save(DocValues& values) = 0;
    // The field the last refused save names.
    virtual std::optional<DocField> failedField() const = 0;

  private:
    void build(const QStringList& categories);
    void setValues(const DocValues& values);
    void browse();
    void editFile();

    AppContext& app_;
    DocMode mode_;
    FileOpener& opener_;
    FileChooser chooser_;
    QHash<DocField, QWidget*> controls_;
    QPushButton* browse_ = nullptr;
    QPushButton* edit_ = nullptr;
    // Not shown: the record's code and the bare file name.
    QString code_;
    QString file_;
};
