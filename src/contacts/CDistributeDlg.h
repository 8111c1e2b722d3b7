// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

class Database;
class Prompter;
class QListWidget;

// Form 188: picks the department whose manager receives the ticked contacts.
class CDistributeDlg : public QDialog {
    Q_OBJECT
  public:
    static inline const QString kDepartments =
        QStringLiteral("select dep_name from dep where dep_name<>'' order by dep_name");

    CDistributeDlg(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    // The chosen department; nothing when the dialog was cancelled.
    static std::optional<QString> choose(Database& db, Prompter& prompter, QWidget* parent);

    QString department() const { return department_; }
    QListWidget* list() const { return list_; }

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Prompter& prompter_;
    QListWidget* list_;
    QString department_;
};
