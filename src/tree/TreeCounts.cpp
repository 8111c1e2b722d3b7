// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/TreeCounts.h"

#include "db/Database.h"
#include "db/Statement.h"

namespace {

const QString kValueCaption = QStringLiteral("%s (%d)");
const QString kUnknownCaption = QStringLiteral("未知 (%d)");
const QString kUnknownName = QStringLiteral("未知");
const QString kCountedValues =
    QStringLiteral("with v(code,name) as (%s) select v.code,v.name,(%s) from v");

} // namespace

namespace tree {

qint64 countContacts(Database& db, const sql::Statement& fragment) {
    if (fragment.isEmpty())
        return 0;
    return db.count(sql::format(kCountContacts, fragment));
}

sql::Statement countedValues(const sql::Statement& list, const QString& countFragment) {
    return sql::format(
        kCountedValues, list,
        sql::format(kCountContacts, sql::format(countFragment, sql::Statement("v.code"))));
}

qint64 keptContacts(Database& db, int flag) {
    return db.count(sql::format(kKeptContacts, flag, flag));
}

sql::Statement keptValues(const sql::Statement& list, const QString& column) {
    return sql::format(kKeptValues, list, column);
}

QString valueCaption(const QString& name, qint64 count) {
    return name.isEmpty() ? text::format(kUnknownCaption, count)
                          : text::format(kValueCaption, name, count);
}

QString nameOfCaption(const QString& caption) {
    const qsizetype blank = caption.indexOf(u' ');
    const QString name = blank < 0 ? caption : caption.left(blank);
    return name == kUnknownName ? QString() : name;
}

} // namespace tree
