// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Row.h"

#include <QVariant>
#include <sqlite3.h>

namespace {

// A file keeps its texts in UTF-8; they are decoded here once, without the
// engine's own copy in UTF-16 first.
QString textOf(sqlite3_stmt* statement, int index) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, index));
}

} // namespace

Row::Row(const QSqlQuery& query)
    : query_(&query), record_(query.record()), columnCount_(record_.count()) {}

Row::Row(sqlite3_stmt* statement)
    : statement_(statement), columnCount_(sqlite3_column_count(statement)) {
    names_.reserve(columnCount_);
    for (int i = 0; i < columnCount_; ++i) {
        const void* name = sqlite3_column_name16(statement, i);
        QString text = name ? QString::fromUtf16(static_cast<const char16_t*>(name)) : QString();
        // Named as a server names them: no quotes, no table in front.
        text.remove(u'"');
        names_ << text.mid(text.lastIndexOf(u'.') + 1);
    }
}

int Row::positionOf(const QString& column) const {
    if (query_)
        return record_.indexOf(column);
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int Row::indexOf(const QString& column) const {
    auto it = indexes_.constFind(column);
    if (it != indexes_.constEnd())
        return *it;
    int index = positionOf(column);
    if (index < 0) {
        // "u.user_code" is read back as "user_code"
        const qsizetype dot = column.lastIndexOf(u'.');
        if (dot >= 0)
            index = positionOf(column.mid(dot + 1));
    }
    indexes_.insert(column, index);
    return index;
}

bool Row::isNullAt(int index) const {
    if (index < 0 || index >= columnCount_)
        return true;
    if (query_)
        return query_->isNull(index);
    return sqlite3_column_type(statement_, index) == SQLITE_NULL;
}

// What the engine holds, typed as it stores it: whole numbers, real numbers,
// texts and byte strings.
QVariant Row::valueAt(int index) const {
    if (index < 0 || index >= columnCount_)
        return {};
    if (query_)
        return query_->value(index);
    switch (sqlite3_column_type(statement_, index)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(statement_, index));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement_, index);
    case SQLITE_BLOB: {
        const void* bytes = sqlite3_column_blob(statement_, index);
        return QByteArray(static_cast<const char*>(bytes), sqlite3_column_bytes(statement_, index));
    }
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return textOf(statement_, index);
    }
}

QVariant Row::value(const QString& column) const {
    return valueAt(indexOf(column));
}

bool Row::isNull(const QString& column) const {
    return isNullAt(indexOf(column));
}

QString Row::text(const QString& column, const QString& fallback) const {
    const int index = indexOf(column);
    return textAt(index, fallback);
}

qint64 Row::number(const QString& column, qint64 fallback) const {
    return numberAt(indexOf(column), fallback);
}

QString Row::textAt(int index, const QString& fallback) const {
    if (isNullAt(index))
        return fallback;
    if (statement_ && sqlite3_column_type(statement_, index) == SQLITE_TEXT)
        return textOf(statement_, index);
    const QVariant value = valueAt(index);
    // A comparison reads 1 or 0 on every engine (a server's truth value would read "true").
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString();
}

// A file's fields are asked for their type once: every call into the engine
// takes its lock, and a long walk makes millions of them.
std::optional<double> Row::realAt(int index) const {
    if (statement_ && index >= 0 && index < columnCount_) {
        const int type = sqlite3_column_type(statement_, index);
        if (type == SQLITE_NULL)
            return std::nullopt;
        if (type == SQLITE_FLOAT || type == SQLITE_INTEGER)
            return sqlite3_column_double(statement_, index);
    } else if (isNullAt(index)) {
        return std::nullopt;
    }
    bool ok = false;
    const double d = valueAt(index).toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

QByteArrayView Row::bytesAt(int index) const {
    if (statement_) {
        if (index < 0 || index >= columnCount_)
            return {};
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
        return text ? QByteArrayView(text, sqlite3_column_bytes(statement_, index))
                    : QByteArrayView();
    }
    if (isNullAt(index))
        return {};
    bytes_ = textAt(index).toUtf8();
    return bytes_;
}

qint64 Row::numberAt(int index, qint64 fallback) const {
    if (statement_ && index >= 0 && index < columnCount_) {
        const int type = sqlite3_column_type(statement_, index);
        if (type == SQLITE_NULL)
            return fallback;
        if (type == SQLITE_INTEGER)
            return sqlite3_column_int64(statement_, index);
    } else if (isNullAt(index)) {
        return fallback;
    }
    bool ok = false;
    const QVariant v = valueAt(index);
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? static_cast<qint64>(d) : fallback;
}
