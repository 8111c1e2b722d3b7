// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickfind/FindKeys.h"

#include "db/BatchInsert.h"
#include "db/Database.h"
#include "quickfind/PinyinReadings.h"
#include "quickfind/QuickMatcher.h"

#include <QStringList>
#include <QVariant>

namespace quickfind::findkeys {

namespace {

const QString kSources =
    QStringLiteral("select b.base_code,b.base_name,b.work_name,b.work_branch_name,"
                   "b.base_mobil,b.base_phone,b.work_phone,b.work_fax from base b ");
const QString kMissing = kSources + QStringLiteral("where not exists (select 1 from findkey k "
                                                   "where k.findkey_base_code=b.base_code)");
struct Source {
    qint64 code;
    QString name, unit, branch;
    QStringList numbers;
};

bool write(Database& db, PinyinReadings& readings, const QList<Source>& sources, QString* error) {
    BatchInsert insert(db, QStringLiteral("findkey"),
                       {QStringLiteral("findkey_base_code"), QStringLiteral("findkey_name"),
                        QStringLiteral("findkey_unit"), QStringLiteral("findkey_branch"),
                        QStringLiteral("findkey_digits")});
    for (const Source& s : sources) {
        const Keys keys = keysOf(readings, s.name, s.unit, s.branch, s.numbers);
        if (!insert.add({s.code, keys.name, keys.unit, keys.branch, keys.digits}, error))
            return false;
    }
    return insert.finish(error);
}

qint64 fill(Database& db, PinyinReadings& readings, const sql::Statement& select,
            const QList<qint64>& forget, QString* error, bool within) {
    const bool own = !within && !db.inTransaction();
    if (own && !db.beginQuietly()) {
        if (error)
            *error = db.lastError();
        return -1;
    }
    QList<Source> sources;
    bool ok = true;
    for (qint64 code : forget) {
        ok = ok && db.executeQuietly(
                       sql::format("delete from findkey where findkey_base_code=%ld", code));
    }
    ok = ok && db.queryQuietly(select, [&](const Row& row) {
        sources.append({row.numberAt(0),
                        row.textAt(1),
                        row.textAt(2),
                        row.textAt(3),
                        {row.textAt(4), row.textAt(5), row.textAt(6), row.textAt(7)}});
        return true;
    });
    if (!ok && error)
        *error = db.lastError();
    ok = ok && write(db, readings, sources, error);
    if (own) {
        ok = ok && db.commit();
        if (!ok)
            db.rollback();
    }
    return ok ? sources.size() : -1;
}

} // namespace

Keys keysOf(PinyinReadings& readings, const QString& name, const QString& unit,
            const QString& branch, const QStringList& numbers) {
    QStringList digits;
    for (const QString& number : numbers)
        digits << QString::fromLatin1(numberDigits(number));
    return {PinyinReadings::encode(readings.ofName(name)),
            PinyinReadings::encode(readings.ofText(unit)),
            PinyinReadings::encode(readings.ofText(branch)), digits.join(u' ')};
}

qint64 fillMissing(Database& db, PinyinReadings& readings, QString* error, bool within) {
    return fill(db, readings, sql::Statement(kMissing), {}, error, within);
}

qint64 fillMissing(Database& db, QString* error, bool within) {
    PinyinReadings readings;
    return fillMissing(db, readings, error, within);
}

bool refresh(Database& db, const QList<qint64>& codes, QString* error) {
    if (codes.isEmpty())
        return true;
    PinyinReadings readings;
    return refresh(db, readings, codes, error);
}

bool refresh(Database& db, PinyinReadings& readings, const QList<qint64>& codes, QString* error) {
    if (codes.isEmpty())
        return true;
    QStringList list;
    for (qint64 code : codes)
        list << QString::number(code);
    // Program-built: the list holds numbers only.
    const QString select =
        kSources + QStringLiteral("where b.base_code in (%1)").arg(list.join(u','));
    return fill(db, readings, sql::Statement(select), codes, error, false) >= 0;
}

} // namespace quickfind::findkeys
