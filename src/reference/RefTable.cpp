// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/RefTable.h"

#include "db/Database.h"
#include "db/Days.h"
#include "db/LunarCalendar.h"
#include "db/Statement.h"
#include "db/TextFormat.h"

namespace {

// A guard names the code once per column it looks at.
sql::Statement withCode(const QString& tmpl, const QString& code) {
    QList<text::Arg> args;
    for (qsizetype n = tmpl.count(QStringLiteral("%s")); n > 0; --n)
        args.append(text::toArg(code));
    return sql::formatArgs(tmpl, args, {});
}

// The column of the tick that makes the table's month and day lunar, if any.
QString lunarColumn(const RefTableDefinition& definition) {
    for (const RefField& field : definition.fields) {
        if (field.kind == RefField::Kind::Lunar)
            return field.column;
    }
    return {};
}

// "正月初一" for a lunar month and day as stored ("01", "01").
QString lunarDate(const QString& month, const QString& day) {
    return lunar::monthName(dates::leadingNumber(month)) +
           lunar::dayName(dates::leadingNumber(day));
}

} // namespace

RefTable::RefTable(Database& db, Prompter& prompter, const RefTableDefinition& definition)
    : EditableList(prompter, definition.columnSpec), db_(db), definition_(definition) {}

bool RefTable::load() {
    model().clear();
    fieldsByCode_.clear();
    const QString lunarTick = lunarColumn(definition_);
    int read = 0;
    QList<QStringList> rows;
    const bool ok = db_.query(sql::Statement(definition_.listQuery), [&](const Row& row) {
        ++read;
        if (definition_.hidesEmptyNames && row.text(definition_.nameColumn).isEmpty())
            return true;
        const bool lunarRow = !lunarTick.isEmpty() && row.number(lunarTick, 0) != 0;
        QStringList texts;
        for (const RefListCell& cell : definition_.cells) {
            if (cell.column.isEmpty())
                texts << QString();
            else if (cell.column == definition_.codeColumn)
                texts << text::format("%d", row.number(cell.column));
            else if (!cell.second.isEmpty() && lunarRow)
                texts << lunarDate(row.text(cell.column), row.text(cell.second));
            else if (!cell.second.isEmpty())
                texts << text::format("%s-%s", row.text(cell.column), row.text(cell.second));
            else
                texts << row.text(cell.column);
        }
        if (!lunarTick.isEmpty()) {
            QStringList fields;
            for (const RefField& field : definition_.fields) {
                fields << (field.kind == RefField::Kind::Lunar
                               ? text::format("%d", row.number(field.column, 0))
                               : row.text(field.column));
            }
            fieldsByCode_.insert(text::format("%d", row.number(definition_.codeColumn)), fields);
        }
        rows.append(texts);
        return true;
    });
    model().setRows(rows);
    setCount(read);
    return ok;
}

QString RefTable::title() const {
    return text::format(definition_.titleFormat, count());
}

RefRecord RefTable::record(int row) {
    RefRecord record;
    record.code = model().text(row, definition_.codeCell());
    record.name = model().text(row, definition_.nameCell());
    if (const auto stored = fieldsByCode_.constFind(record.code); stored != fieldsByCode_.cend()) {
        record.fields = *stored;
        return record;
    }
    for (const RefField& field : definition_.fields) {
        QString value;
        for (int i = 0; i < definition_.cells.size(); ++i) {
            const RefListCell& cell = definition_.cells.at(i);
            const QString shown = model().text(row, i);
            if (cell.column == field.column)
                value = cell.second.isEmpty() ? shown : shown.left(2);
            else if (cell.second == field.column)
                value = shown.mid(3, 2);
        }
        record.fields << value;
    }
    return record;
}

std::optional<bool> RefTable::used(const QString& guard, const QString& code) {
    bool found = false;
    if (!db_.query(withCode(guard, code), [&found](const Row&) {
            found = true;
            return false;
        }))
        return std::nullopt;
    return found;
}

EditableList::RowOutcome RefTable::deleteRecord(int row) {
    const QString code = model().text(row, definition_.codeCell());
    for (const QString& guard : definition_.guards) {
        const std::optional<bool> inUse = used(guard, code);
        if (!inUse)
            return RowOutcome::Kept;
        if (*inUse) {
            reportInUse(model().text(row, definition_.nameCell()));
            return RowOutcome::Kept;
        }
    }
    return db_.execute(withCode(definition_.deleteStatement, code)) ? RowOutcome::Removed
                                                                    : RowOutcome::Kept;
}

void RefTable::afterDeleteWalk() {
    if (definition_.afterDelete == RefTableDefinition::AfterDelete::Reload)
        load();
}
