// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a spreadsheet column can be imported into, and the names the columns
// of exported spreadsheets carry. A target is one field of the contact pages
// (a date as one cell, "1985-04-12", or as its year, month or day alone), or
// one of the parts that make up a field: the family and given name, a phone
// number or e-mail address whose kind another column says.
namespace exchange {

struct ImportTarget {
    QString id;          // the column, "date:<year column>" for a whole date, or a ":" part
    QString label;       // what the person reads; unique
    QStringList columns; // the record keys it fills (empty for the parts)
    bool wholeDate = false;
    bool exported = false; // one of the columns of an exported spreadsheet
};

namespace targets {

inline const QString kFamilyName = QStringLiteral(":family");
inline const QString kGivenName = QStringLiteral(":given");
inline const QString kMiddleName = QStringLiteral(":middle");
// A phone number or e-mail address whose kind is in the column named like it
// with "Type" or "Label" for "Value" ("Phone 1 - Type" beside "Phone 1 - Value").
inline const QString kTypedPhone = QStringLiteral(":tel");
inline const QString kTypedEmail = QStringLiteral(":email");
// A part of an address ("Address 1 - City"), the address's kind beside it as
// for a phone ("Address 1 - Type"); and a web address ("Website 1 - Value").
inline const QString kTypedAddress = QStringLiteral(":adr");
inline const QString kTypedWebsite = QStringLiteral(":url");

// Every target: the page fields in page order (each date whole, then its
// parts), then the parts.
const QList<ImportTarget>& all();
const ImportTarget* find(const QString& id);
// The targets an exported spreadsheet has a column for, in order.
QList<const ImportTarget*> exported();
// The label of a column's field ("单位领导手机", "出生日期"), for messages.
QString labelOf(const QString& column);

// The target a column heading stands for: this program's own headings, and the
// usual ones of phones, mail programs and spreadsheets in Chinese and English
// ("姓名", "Name", "手机", "Mobile Phone", "单位", "Company", ...). Empty when
// the heading says nothing known.
QString recognise(const QString& heading);
// The form a heading is remembered and compared in: lower case, without
// blanks, punctuation or a trailing colon.
QString normalHeading(const QString& heading);

} // namespace targets

} // namespace exchange
