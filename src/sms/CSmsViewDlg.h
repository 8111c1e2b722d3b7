// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;

// "短信内容": one message's text to read, and 确定(&O).
class CSmsViewDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CSmsViewDlg(const QString& text, QWidget* parent = nullptr);
    QPlainTextEdit* viewer() const { return viewer_; }

  private:
    QPlainTextEdit* viewer_;
};
