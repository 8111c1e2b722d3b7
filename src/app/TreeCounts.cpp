#include "app/TreeCounts.h"

#include "db/Database.h"
#include "db/Statement.h"

namespace {

const QString kValueCaption = QStringLiteral("%s (%d)");
const QString kUnknownCaption = QStringLiteral("未知 (%d)");
const QString kUnknownName = QStringLiteral("未知");

} // namespace

namespace tree {

qint64 countContacts(Database& db, const QString& fragment) {
    if (fragment.isEmpty())
        return 0;
    return db.count(sql::format(kCountContacts, fragment));
}

QString valueCaption(const QString& name, qint64 count) {
    return name.isEmpty() ? sql::format(kUnknownCaption, count)
                          : sql::format(kValueCaption, name, count);
}

QString nameOfCaption(const QString& caption) {
    const qsizetype blank = caption.indexOf(u' ');
    const QString name = blank < 0 ? caption : caption.left(blank);
    return name == kUnknownName ? QString() : name;
}

} // namespace tree
