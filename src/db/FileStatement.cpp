// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/FileStatement.h"

#include "db/Row.h"

#include <QDateTime>
#include <sqlite3.h>

FileStatement::~FileStatement() {
    sqlite3_finalize(statement_);
}

void FileStatement::fail(const QString& what, int code) {
    const void* words = sqlite3_errmsg16(handle_);
    error_ =
        QSqlError(what, words ? QString::fromUtf16(static_cast<const char16_t*>(words)) : QString(),
                  QSqlError::StatementError, QString::number(code));
}

void FileStatement::refuse(const QString& what, const QString& words, int code) {
    error_ = QSqlError(what, words, QSqlError::StatementError, QString::number(code));
}

bool FileStatement::prepare(const QString& text) {
    error_ = QSqlError();
    row_.reset();
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    const void* tail = nullptr;
    const int code = sqlite3_prepare16_v2(handle_, text.utf16(), int(text.size() * sizeof(QChar)),
                                          &statement_, &tail);
    if (code != SQLITE_OK) {
        fail(QStringLiteral("Unable to execute statement"), code);
        return false;
    }
    const qsizetype used = (static_cast<const QChar*>(tail) - text.constData());
    if (!QStringView(text).mid(used).trimmed().isEmpty()) {
        refuse(QStringLiteral("Unable to execute multiple statements at a time"), QString(),
               SQLITE_MISUSE);
        sqlite3_finalize(statement_);
        statement_ = nullptr;
        return false;
    }
    if (!statement_) {
        refuse(QStringLiteral("Unable to execute statement"), QStringLiteral("empty statement"),
               SQLITE_MISUSE);
        return false;
    }
    return true;
}

bool FileStatement::bind(const QVariantList& values) {
    error_ = QSqlError();
    if (!statement_) {
        refuse(QStringLiteral("Unable to execute statement"), QStringLiteral("no statement"),
               SQLITE_MISUSE);
        return false;
    }
    sqlite3_reset(statement_);
    if (values.size() != sqlite3_bind_parameter_count(statement_)) {
        refuse(QStringLiteral("Parameter count mismatch"), QString(), SQLITE_RANGE);
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        if (!bindOne(i + 1, values.at(i))) {
            fail(QStringLiteral("Unable to bind parameters"), sqlite3_errcode(handle_));
            return false;
        }
    }
    return true;
}

// Values bound as the connection binds them: numbers as numbers, bytes as
// bytes, times in ISO form, anything else as its text.
bool FileStatement::bindOne(int position, const QVariant& value) {
    if (value.isNull())
        return sqlite3_bind_null(statement_, position) == SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement_, position, bytes.constData(), int(bytes.size()),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement_, position, value.toLongLong()) == SQLITE_OK;
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement_, position, qint64(value.toULongLong())) == SQLITE_OK;
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement_, position, value.toDouble()) == SQLITE_OK;
    case QMetaType::QDateTime:
        return bindOne(position, value.toDateTime().toString(Qt::ISODateWithMs));
    case QMetaType::QTime:
        return bindOne(position, value.toTime().toString(u"hh:mm:ss.zzz"));
    default: {
        const QString text = value.toString();
        return sqlite3_bind_text16(statement_, position, text.utf16(),
                                   int(text.size() * sizeof(QChar)), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    }
}

bool FileStatement::next() {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        fail(QStringLiteral("Unable to fetch row"), code);
    return false;
}

bool FileStatement::walk(const std::function<bool(const Row&)>& each) {
    // A table changed meanwhile (a column added) gives a statement compiled anew.
    if (!row_ || row_->columnCount() != sqlite3_column_count(statement_))
        row_ = std::make_unique<Row>(statement_);
    const Row& row = *row_;
    while (next()) {
        if (!each(row))
            break;
    }
    sqlite3_reset(statement_);
    return !error_.isValid();
}
