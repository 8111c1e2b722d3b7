// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/DocRecord.h"

#include <QList>
#include <QStringList>
#include <optional>

class Database;
class Prompter;

// My data (table datum): files of no contact, grouped by the categories of
// datumsort, shared by every user; whoever saves an item last owns it.
class DatumStore {
  public:
    // 选, ID (datum_code), 日期, 文档标题, 关键字, 文档描述.
    static const QString kColumns;

    DatumStore(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // Every user's items of a category, newest first; nothing after a reported
    // failure. Items of a user who no longer exists are not listed.
    std::optional<QList<QStringList>> rowsOf(qint64 category);
    // The list row of the form's values: (empty, code, date, title, keyword, description).
    static QStringList rowOf(const DocValues& values);
    // The form's values of a list row (code, date, title, keyword, description).
    static DocValues valuesOf(const QStringList& row);

    // The category list of the form.
    QStringList categories();
    // The code of a category name; -1 when there is none.
    qint64 categoryCode(const QString& name);

    // What the list does not show, read for the form: path, bare name, hour,
    // minute and category. False when the row is gone or the read failed (reported).
    bool readStored(DocValues& values);

    // "确定" of the form: the checks, the category code, then a new row of
    // user (values.code gets its datum_code) or the row values.code, which
    // passes to user. False after a reported failure.
    bool save(DocMode mode, qint64 user, DocValues& values);
    std::optional<DocField> failedField() const { return failed_; }

    bool remove(const QString& code);
    // The stored path of an item; empty when there is none.
    QString pathOf(const QString& code);

  private:
    Database& db_;
    Prompter& prompter_;
    std::optional<DocField> failed_;
};
