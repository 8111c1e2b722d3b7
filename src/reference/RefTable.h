// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/EditableList.h"
#include "reference/RefTableDefinitions.h"

#include <QHash>
#include <QStringList>
#include <optional>

class Database;

// What an edit form starts from: a row's code, its name and the values of
// the form's other fields, in the order of the table's fields.
struct RefRecord {
    QString code;
    QString name;
    QStringList fields;
};

// The list of one reference table: its rows as the table's entry says, and
// the delete that refuses a row some record still uses.
class RefTable : public EditableList {
  public:
    RefTable(Database& db, Prompter& prompter, const RefTableDefinition& definition);

    const RefTableDefinition& definition() const { return definition_; }
    bool load() override;
    QString title() const override;
    QString caption() const override { return definition_.listCaption; }

    // The values a modify form starts with, read from the list row.
    RefRecord record(int row);

  protected:
    RowOutcome deleteRecord(int row) override;
    void afterDeleteWalk() override;

  private:
    // Whether a guard finds a record using the code; nullopt when it failed.
    std::optional<bool> used(const QString& guard, const QString& code);

    Database& db_;
    const RefTableDefinition& definition_;
    // The stored values of the form's fields, by row code: a lunar date is
    // shown by its names, which the form cannot read back.
    QHash<QString, QStringList> fieldsByCode_;
};
