// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Database;
class Prompter;

// The rules of the user form: the checks of "确定(&O)" in their order, the
// default password, the administrator's protection, and a changed department
// carried to the user's contacts.
class UserForm {
  public:
    enum class Mode { Add, Modify };
    enum class Field { None, Name, Password, Department };
    struct Values {
        QString name;
        QString password;
        QString again;
        QString department; // empty when none is chosen
        bool manager = false;
    };
    struct Outcome {
        bool saved = false;
        Field focus = Field::None;
        bool selectAll = false;
    };

    static inline const QString kDefaultPassword = QStringLiteral("470316");
    static constexpr int kNameEditLength = 12;
    static constexpr int kPasswordEditLength = 12;
    static constexpr int kAgainEditLength = 20;
    static constexpr int kMaxNameLength = 16;

    // Modify mode takes the user's code and the department the row shows.
    UserForm(Database& db, Prompter& prompter, Mode mode, const QString& code = QString(),
             const QString& department = QString());

    Mode mode() const { return mode_; }
    QString title() const;
    // The department list of the form.
    QStringList departments();
    // The administrator's name cannot be edited.
    bool nameLocked(const QString& name) const;

    Outcome submit(const Values& values);

  private:
    bool nameTaken(const QString& name);
    // Team mode: the person's server role follows the saved row, and the
    // transaction ends.
    bool saveRole(const QString& oldName, const QString& name, const QString& password);

    Database& db_;
    Prompter& prompter_;
    Mode mode_;
    QString code_;
    QString department_;
};
