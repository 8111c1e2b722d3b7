// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DocStore.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "documents/DocForm.h"

namespace {

const QString kRows = QStringLiteral(
    "select d.doc_code,d.doc_date,d.doc_title,s.docsort_name,d.doc_keyword, \t\t\td.doc_descript "
    "from doc as d inner join docsort as s \t\t\ton d.doc_docsort_code = s.docsort_code "
    "\t\t\twhere "
    "d.doc_base_code=%ld \t\t\torder by d.doc_date DESC,d.doc_hour DESC,d.doc_minute DESC");
const QString kCategories =
    QStringLiteral("select docsort_name from docsort where docsort_name<>'' order by docsort_name");
const QString kStored =
    QStringLiteral("select doc_filename,doc_file,doc_hour,doc_minute from doc where doc_code=%s");
const QString kUpdate = QStringLiteral(
    "update doc set doc_date='%s',doc_hour='%s',doc_minute='%s', \t\t\tdoc_title='%s',"
    "doc_docsort_code=%ld,doc_descript='%s', \t\t\tdoc_file='%s',doc_filename='%s',"
    "doc_keyword='%s' where doc_code=%s");
const QString kDelete = QStringLiteral("delete from doc where doc_code=%s");

const QString kRowGone = QStringLiteral("所选资料已不存在!");

enum Column { Code = 1, Date, Title, Category, Keyword, Description };

} // namespace

const QString DocStore::kColumns =
    QStringLiteral("选,25;ID,0;日期,80;文档标题,150;文档类别,90;关键字,155;文档描述,250");

std::optional<QList<QStringList>> DocStore::rowsOf(qint64 contact) {
    QList<QStringList> rows;
    const bool ok = db_.query(sql::format(kRows, contact), [&](const Row& row) {
        rows.append(
            {QString(), row.text(QStringLiteral("d.doc_code")),
             row.text(QStringLiteral("d.doc_date")), row.text(QStringLiteral("d.doc_title")),
             row.text(QStringLiteral("s.docsort_name")), row.text(QStringLiteral("d.doc_keyword")),
             row.text(QStringLiteral("d.doc_descript"))});
        return true;
    });
    if (!ok)
        return std::nullopt;
    return rows;
}

QStringList DocStore::rowOf(const DocValues& v) {
    return {QString(), v.code, docform::dateText(v), v.title, v.category, v.keyword, v.description};
}

DocValues DocStore::valuesOf(const QStringList& row) {
    DocValues v;
    v.code = row.value(Code);
    docform::splitDate(row.value(Date), v);
    v.title = row.value(Title);
    v.category = row.value(Category);
    v.keyword = row.value(Keyword);
    v.description = row.value(Description);
    return v;
}

QStringList DocStore::categories() {
    QStringList names;
    db_.query(sql::format(kCategories), [&](const Row& row) {
        names << row.textAt(0);
        return true;
    });
    return names;
}

bool DocStore::readStored(DocValues& v) {
    bool found = false;
    const bool ok = db_.query(sql::format(kStored, v.code), [&](const Row& row) {
        v.path = row.text(QStringLiteral("doc_filename"));
        v.file = row.text(QStringLiteral("doc_file"));
        v.hour = row.text(QStringLiteral("doc_hour"));
        v.minute = row.text(QStringLiteral("doc_minute"));
        found = true;
        return false;
    });
    if (ok && !found)
        db_.reportFailure(kRowGone);
    return ok && found;
}

bool DocStore::save(DocMode mode, qint64 contact, DocValues& v) {
    failed_.reset();
    if (const auto failure = docform::check(v)) {
        prompter_.inform(failure->message);
        failed_ = failure->field;
        return false;
    }
    const qint64 category = Lookups(db_).docSortCode(v.category);
    if (category < 0) {
        prompter_.inform(docform::kCategoryLookupFailed);
        return false;
    }
    // The bare name always belongs to the path saved, browsed or typed.
    v.file = docform::bareName(v.path);
    const QString date = docform::dateText(v);
    if (mode == DocMode::Add) {
        RowWriter writer(db_, QStringLiteral("doc"));
        writer.set(QStringLiteral("doc_base_code"), contact);
        writer.set(QStringLiteral("doc_date"), date);
        writer.set(QStringLiteral("doc_hour"), v.hour);
        writer.set(QStringLiteral("doc_minute"), v.minute);
        writer.set(QStringLiteral("doc_title"), v.title);
        writer.set(QStringLiteral("doc_docsort_code"), category);
        writer.set(QStringLiteral("doc_descript"), v.description);
        writer.set(QStringLiteral("doc_file"), v.file);
        writer.set(QStringLiteral("doc_filename"), v.path);
        writer.set(QStringLiteral("doc_keyword"), v.keyword);
        if (!writer.save())
            return false;
        v.code = QString::number(writer.newKey());
        return true;
    }
    // Another user may have deleted the document since the list was filled.
    DocValues stored;
    stored.code = v.code;
    if (!readStored(stored))
        return false;
    return db_.execute(sql::format(kUpdate, date, v.hour, v.minute, v.title, category,
                                   v.description, v.file, v.path, v.keyword, v.code));
}

bool DocStore::remove(const QString& code) {
    return db_.execute(sql::format(kDelete, code));
}

QString DocStore::pathOf(const QString& code) {
    return Lookups(db_).docFileName(code.toLongLong());
}
