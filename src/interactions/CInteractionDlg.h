// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QHash>

class InteractionForm;
class QWidget;

// The interaction form (dialog 183), laid out from the field table: the group
// "本次交往" and the group "下次安排". It shows the form's values, and on
// "确定(&O)" hands them back for checking and saving; a failed check puts the
// focus on its field.
class CInteractionDlg : public QDialog {
    Q_OBJECT
  public:
    CInteractionDlg(InteractionForm& form, const QStringList& typeNames, QWidget* parent = nullptr);

    // The control that edits a column (a CDropList, QLineEdit or QPlainTextEdit).
    QWidget* control(const QString& column) const { return controls_.value(column); }
    // Puts the controls' values into the form.
    void takeValues();

  protected:
    // The lists take their value only from their entries.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build(const QStringList& typeNames);
    void showValues();
    void onOk();

    InteractionForm& form_;
    QHash<QString, QWidget*> controls_;
};
