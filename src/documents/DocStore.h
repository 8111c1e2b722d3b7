// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/DocRecord.h"

#include <QList>
#include <QStringList>
#include <optional>

class Database;
class Prompter;

// The documents attached to a contact (table doc): the rows of the "相关文档"
// tab, the writes of the document form and the deletes.
class DocStore {
  public:
    // 选, ID (doc_code), 日期, 文档标题, 文档类别, 关键字, 文档描述.
    static const QString kColumns;

    DocStore(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // The contact's documents, newest first; nothing after a reported failure.
    // A document whose category was deleted is not listed.
    std::optional<QList<QStringList>> rowsOf(qint64 contact);
    // The list row of the form's values: (empty, code, date, title, category,
    // keyword, description).
    static QStringList rowOf(const DocValues& values);
    // The form's values of a list row (code, date, title, category, keyword, description).
    static DocValues valuesOf(const QStringList& row);

    // The category list of the form.
    QStringList categories();

    // What the list does not show, read for the form: path, bare name, hour
    // and minute. False when the row is gone or the read failed (reported).
    bool readStored(DocValues& values);

    // "确定" of the form: the checks, the category code, then a new row of the
    // contact (values.code gets its doc_code) or the update of values.code.
    // False after a reported failure; failedField() names the field to focus.
    bool save(DocMode mode, qint64 contact, DocValues& values);
    std::optional<DocField> failedField() const { return failed_; }

    bool remove(const QString& code);
    // The stored path of a document; empty when there is none.
    QString pathOf(const QString& code);

  private:
    Database& db_;
    Prompter& prompter_;
    std::optional<DocField> failed_;
};
