// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// An exported record travels as one text whose fields each end with the
// separator; the writer cuts it into the cells of a row or a label.
namespace record {

inline const QString kSeparator = QStringLiteral("∷");

// The fields, each followed by the separator.
QString join(const QStringList& fields);
// The texts before each separator, in order; what follows the last separator
// is not a field.
QStringList pieces(const QString& text);
// The texts a record of these fields is cut into: pieces(join(fields)),
// without making the joined text. A field holding the separator fills more
// than one cell.
QStringList cut(const QStringList& fields);

} // namespace record
