// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DatumStore.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "documents/DocForm.h"

namespace {

const QString kRows = QStringLiteral(
    "select d.datum_code,d.datum_date,d.datum_title,u.user_name,d.datum_keyword, "
    "\t\t\td.datum_descript from datum as d inner join userlogin as u \t\t\ton d.datum_user_code "
    "= u.user_code \t\t\twhere d.datum_datumsort_code=%ld \t\t\torder by d.datum_date "
    "DESC,d.datum_hour DESC,d.datum_minute DESC");
const QString kCategories = QStringLiteral(
    "select datumsort_name from datumsort where datumsort_name<>'' order by datumsort_name");
const QString kStored = QStringLiteral(
    "select d.datum_filename,d.datum_file,d.datum_hour,d.datum_minute,s.datumsort_name "
    "\t\t\tfrom datum as d,datumsort as s \t\t\twhere d.datum_code=%s and "
    "d.datum_datumsort_code=s.datumsort_code");
const QString kOpenRow = QStringLiteral("select * from datum where datum_code=%s");
const QString kRowCondition = QStringLiteral("datum_code=%s");
const QString kDelete = QStringLiteral("delete from datum where datum_code=%s");

const QString kRowGone = QStringLiteral("所选资料已不存在!");

enum Column { Code = 1, Date, Title, Keyword, Description };

} // namespace

const QString DatumStore::kColumns =
    QStringLiteral("选,25;ID,0;日期,85;文档标题,220;关键字,190;文档描述,280");

std::optional<QList<QStringList>> DatumStore::rowsOf(qint64 category) {
    QList<QStringList> rows;
    const bool ok = db_.query(sql::format(kRows, category), [&](const Row& row) {
        rows.append({QString(), row.text(QStringLiteral("d.datum_code")),
                     row.text(QStringLiteral("d.datum_date")),
                     row.text(QStringLiteral("d.datum_title")),
                     row.text(QStringLiteral("d.datum_keyword")),
                     row.text(QStringLiteral("d.datum_descript"))});
        return true;
    });
    if (!ok)
        return std::nullopt;
    return rows;
}

QStringList DatumStore::rowOf(const DocValues& v) {
    return {QString(), v.code, docform::dateText(v), v.title, v.keyword, v.description};
}

DocValues DatumStore::valuesOf(const QStringList& row) {
    DocValues v;
    v.code = row.value(Code);
    docform::splitDate(row.value(Date), v);
    v.title = row.value(Title);
    v.keyword = row.value(Keyword);
    v.description = row.value(Description);
    return v;
}

QStringList DatumStore::categories() {
    QStringList names;
    db_.query(sql::format(kCategories), [&](const Row& row) {
        names << row.textAt(0);
        return true;
    });
    return names;
}

qint64 DatumStore::categoryCode(const QString& name) {
    return Lookups(db_).datumSortCode(name);
}

bool DatumStore::readStored(DocValues& v) {
    bool found = false;
    const bool ok = db_.query(sql::format(kStored, v.code), [&](const Row& row) {
        v.path = row.text(QStringLiteral("d.datum_filename"));
        v.file = row.text(QStringLiteral("d.datum_file"));
        v.hour = row.text(QStringLiteral("d.datum_hour"));
        v.minute = row.text(QStringLiteral("d.datum_minute"));
        v.category = row.text(QStringLiteral("s.datumsort_name"));
        found = true;
        return false;
    });
    if (ok && !found)
        db_.reportFailure(kRowGone);
    return ok && found;
}

bool DatumStore::save(DocMode mode, qint64 user, DocValues& v) {
    failed_.reset();
    if (const auto failure = docform::check(v)) {
        prompter_.inform(failure->message);
        failed_ = failure->field;
        return false;
    }
    const qint64 category = categoryCode(v.category);
    if (category < 0) {
        prompter_.inform(docform::kCategoryLookupFailed);
        return false;
    }
    // The bare name always belongs to the path saved, browsed or typed.
    v.file = docform::bareName(v.path);
    const bool adding = mode == DocMode::Add;
    if (!adding) {
        // Another user may have deleted the item since the list was filled.
        bool found = false;
        const bool read = db_.query(sql::format(kOpenRow, v.code), [&](const Row&) {
            found = true;
            return false;
        });
        if (!read)
            return false;
        if (!found) {
            db_.reportFailure(kRowGone);
            return false;
        }
    }
    RowWriter writer =
        adding ? RowWriter(db_, QStringLiteral("datum"))
               : RowWriter(db_, QStringLiteral("datum"), sql::format(kRowCondition, v.code));
    writer.set(QStringLiteral("datum_user_code"), user);
    writer.set(QStringLiteral("datum_date"), docform::dateText(v));
    writer.set(QStringLiteral("datum_hour"), v.hour);
    writer.set(QStringLiteral("datum_minute"), v.minute);
    writer.set(QStringLiteral("datum_title"), v.title);
    writer.set(QStringLiteral("datum_datumsort_code"), category);
    writer.set(QStringLiteral("datum_descript"), v.description);
    writer.set(QStringLiteral("datum_file"), v.file);
    writer.set(QStringLiteral("datum_filename"), v.path);
    writer.set(QStringLiteral("datum_keyword"), v.keyword);
    if (!writer.save())
        return false;
    if (adding)
        v.code = QString::number(writer.newKey());
    return true;
}

bool DatumStore::remove(const QString& code) {
    return db_.execute(sql::format(kDelete, code));
}

QString DatumStore::pathOf(const QString& code) {
    return Lookups(db_).datumFileName(code.toLongLong());
}
