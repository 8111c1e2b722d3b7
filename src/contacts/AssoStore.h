// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/AssoRecord.h"

#include <QList>
#include <QStringList>
#include <optional>

class Database;
class Prompter;

// The associations of a contact in table asso: the rows of the "关联关系" tab,
// the form's checks and the writes of its add and modify modes.
class AssoStore {
  public:
    // The tab's list: 选, ID (asso_code), 姓名, 职务, 关系类别, 单位名称, 所属行业, 关系描述.
    static const QString kColumns;

    struct Failure {
        QString message;
        AssoField field;
    };

    AssoStore(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // The contact's associations as list rows, in the order the statement gives
    // them; nothing on failure (reported). An association whose post or
    // industry has no row in its table is left out by the statement's join.
    std::optional<QList<QStringList>> rowsOf(qint64 contact);
    // A list row from the form's values.
    static QStringList rowOf(const QString& code, const AssoValues& values);
    // The form's values read back from a list row.
    static AssoValues valuesOf(const QStringList& row);

    // The form's checks, in order: the name, then the relation type.
    static std::optional<Failure> check(const AssoValues& values);

    // The checks, the post and industry codes, then a new row of the contact.
    // Returns the new asso_code; -1 after a reported failure (the form stays open).
    qint64 add(qint64 contact, const AssoValues& values);
    // The same checks, then the row's six columns; false after a reported failure.
    bool modify(const QString& code, const AssoValues& values);
    // Deletes one association; false after a reported failure.
    bool remove(const QString& code);
    // asso_relation_code of a row as "%ld", "-1" when it is empty or missing.
    QString relationCode(const QString& code);

    // The entries of the form's post and industry lists; empty after a reported failure.
    QStringList dutyNames();
    QStringList industryNames();

    // The field of the last refused add or modify.
    std::optional<AssoField> failedField() const { return failed_; }

  private:
    QStringList names(const QString& statement);
    // Checks the values and turns the two names into codes; false after a message.
    bool prepare(const AssoValues& values, qint64* duty, qint64* industry);

    Database& db_;
    Prompter& prompter_;
    std::optional<AssoField> failed_;
};
