#include "db/JetFunctions.h"

#include "db/Days.h"
#include "db/LunarCalendar.h"
#include "db/Statement.h"

#include <QCollator>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace jet {

std::optional<QDate> parseDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{1,4})\s*[/-]\s*(\d{1,2})\s*[/-]\s*(\d{1,2})(?:[ T]+\d{1,2}:\d{1,2}(?::\d{1,2}(?:\.\d+)?)?)?\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString isoDate(const QString& text) {
    const auto date = parseDate(text);
    return date ? date->toString(Qt::ISODate) : QString();
}

namespace {

QString argText(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return bytes ? QString::fromUtf8(bytes, sqlite3_value_bytes(value)) : QString();
}

void cdate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString text = argText(argv[0]);
    const QString iso = isoDate(text);
    if (iso.isEmpty()) {
        const QByteArray message =
            QStringLiteral("数据类型不匹配: cdate('%1') 不是有效日期").arg(text).toUtf8();
        sqlite3_result_error(ctx, message.constData(), int(message.size()));
        return;
    }
    const QByteArray bytes = iso.toUtf8();
    sqlite3_result_text(ctx, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

void datediff(sqlite3_context* ctx, int, sqlite3_value** argv) {
    for (int i = 0; i < 3; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const QString interval = argText(argv[0]).trimmed().toLower();
    if (interval != u"d" && interval != u"y") {
        const QByteArray message =
            QStringLiteral("datediff: 不支持的间隔 '%1'").arg(interval).toUtf8();
        sqlite3_result_error(ctx, message.constData(), int(message.size()));
        return;
    }
    const auto from = parseDate(argText(argv[1]));
    const auto to = parseDate(argText(argv[2]));
    if (!from || !to) {
        const QByteArray message = QByteArrayLiteral("datediff: 数据类型不匹配");
        sqlite3_result_error(ctx, message.constData(), int(message.size()));
        return;
    }
    sqlite3_result_int64(ctx, from->daysTo(*to));
}

// daynumber(year, month, day): the day number of date parts as the reminders
// read them (dates::dayNumber of each part's leading number; NULL reads as
// empty text, so as 0). Lets a statement compute day distances itself.
qint64 datePart(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(value);
    default: {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
        return bytes ? dates::leadingNumber(bytes, sqlite3_value_bytes(value)) : 0;
    }
    }
}

void daynumber(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int64(ctx,
                         dates::dayNumber(datePart(argv[0]), datePart(argv[1]), datePart(argv[2])));
}

// lunarday(kind, month, day, year, month): the day of the Gregorian month
// (year, month) on which a lunar date is kept that year, 0 when it is not. kind
// is a contact's or festival's lunar flag: 1 for an ordinary month, 2 for a leap
// month; month and day are the lunar parts as stored ("08", "15"). Lets the
// care statements count lunar birthdays in the month where they fall.
void lunarday(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const qint64 kind = datePart(argv[0]);
    if (kind != 1 && kind != 2) {
        sqlite3_result_int64(ctx, 0);
        return;
    }
    sqlite3_result_int64(ctx, lunar::anniversaryDay(int(datePart(argv[3])), int(datePart(argv[4])),
                                                    int(datePart(argv[1])), kind == 2,
                                                    int(datePart(argv[2]))));
}

// Names in pinyin order. Each connection has its own collator: a connection is
// used by one thread only. A sort orders the same names again and again, so
// their sort keys are kept; equal-looking names fall back to their code
// points, so the order is total.
struct NameCollator {
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    QHash<QByteArray, QCollatorSortKey> keys;

    const QCollatorSortKey& keyOf(const char* utf8, int length) {
        // fromRawData wraps the engine's buffer: looking up costs no copy.
        const QByteArray probe = QByteArray::fromRawData(utf8, length);
        auto it = keys.constFind(probe);
        if (it != keys.constEnd())
            return *it;
        if (keys.size() > kMaxKeys)
            keys.clear();
        const QByteArray owned(utf8, length);
        return *keys.insert(owned, collator.sortKey(QString::fromUtf8(owned)));
    }

    static constexpr qsizetype kMaxKeys = 200000;
};

int compareNames(void* state, int lengthA, const void* a, int lengthB, const void* b) {
    const auto* left = static_cast<const char*>(a);
    const auto* right = static_cast<const char*>(b);
    const int common = std::min(lengthA, lengthB);
    const int bytes = std::memcmp(left, right, size_t(common));
    if (bytes == 0 && lengthA == lengthB)
        return 0;
    auto* names = static_cast<NameCollator*>(state);
    const int order = names->keyOf(left, lengthA).compare(names->keyOf(right, lengthB));
    if (order != 0)
        return order;
    // UTF-8 bytes compare in code point order.
    return bytes != 0 ? bytes : (lengthA < lengthB ? -1 : 1);
}

void dropCollator(void* state) {
    delete static_cast<NameCollator*>(state);
}

} // namespace

bool registerFunctions(QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* raw = *static_cast<sqlite3* const*>(handle.data());
    if (!raw)
        return false;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(raw, "cdate", 1, flags, nullptr, cdate, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(raw, "datediff", 3, flags, nullptr, datediff, nullptr,
                                   nullptr) == SQLITE_OK &&
           sqlite3_create_function(raw, "daynumber", 3, flags, nullptr, daynumber, nullptr,
                                   nullptr) == SQLITE_OK &&
           sqlite3_create_function(raw, "lunarday", 5, flags, nullptr, lunarday, nullptr,
                                   nullptr) == SQLITE_OK &&
           sqlite3_create_collation_v2(raw, sql::kNameCollation, SQLITE_UTF8, new NameCollator,
                                       compareNames, dropCollator) == SQLITE_OK;
}

} // namespace jet
