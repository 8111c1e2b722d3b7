// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/RefTable.h"

class Database;
class Prompter;

// The rules of a reference editor's form: the checks of "确定(&O)" in their
// order and the write of a new or renamed row. Names are stored exactly as
// typed, quotes and percent signs included.
class RefRecordForm {
  public:
    enum class Mode { Add, Modify };
    // The field to focus after a refusal: the name, or one of the other fields.
    static constexpr int kNoField = -2;
    static constexpr int kNameField = -1;
    struct Outcome {
        bool saved = false;
        int focus = kNoField; // kNameField or an index into the table's fields
    };

    // Modify mode takes the code of the row being changed.
    RefRecordForm(Database& db, Prompter& prompter, const RefTableDefinition& definition, Mode mode,
                  const QString& code = QString());

    const RefTableDefinition& definition() const { return definition_; }
    Mode mode() const { return mode_; }
    QString title() const;

    // fields: the values of the table's other fields, in their order.
    Outcome submit(const QString& name, const QStringList& fields);

  private:
    int fieldOf(RefField::Kind kind) const;
    bool write(const QString& name, const QStringList& fields);

    Database& db_;
    Prompter& prompter_;
    const RefTableDefinition& definition_;
    Mode mode_;
    QString code_;
};
