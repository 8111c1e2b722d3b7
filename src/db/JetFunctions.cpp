// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/JetFunctions.h"

#include "db/Amount.h"
#include "db/Days.h"
#include "db/LunarCalendar.h"
#include "db/NameCollation.h"
#include "db/Statement.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace jet {

namespace {

// The one form of a date: "2012/5/8" or "2012-05-08", blanks around the
// parts, optionally a time after it ("10:30", "10:30:15", "10:30:15.5").
std::optional<QDate> parseWithPattern(const QString& text) {
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

// The same form read from bytes without building a text: statements call
// cdate and datediff once per row, over a million rows. Only ASCII is read
// here; anything else goes to the pattern, which also knows other blanks.
class DateReader {
  public:
    DateReader(const char* text, qsizetype size) : at_(text), end_(text + size) {}

    // Empty when the text is not a date; nullopt in fallback when not ASCII.
    std::optional<QDate> read() {
        skipBlanks();
        int year = 0, month = 0, day = 0;
        if (!number(1, 4, &year) || !separator() || !number(1, 2, &month) || !separator() ||
            !number(1, 2, &day))
            return std::nullopt;
        const char* afterDay = at_;
        if (!time())
            at_ = afterDay;
        skipBlanks();
        if (at_ != end_)
            return std::nullopt;
        const QDate date(year, month, day);
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }

  private:
    static bool isBlank(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void skipBlanks() {
        while (at_ != end_ && isBlank(*at_))
            ++at_;
    }
    // A run of digits of allowed length; a longer run is no match at all.
    bool number(int shortest, int longest, int* value) {
        int digits = 0;
        int n = 0;
        while (at_ != end_ && isDigit(*at_)) {
            if (++digits > longest)
                return false;
            n = n * 10 + (*at_ - '0');
            ++at_;
        }
        *value = n;
        return digits >= shortest;
    }
    bool separator() {
        skipBlanks();
        if (at_ == end_ || (*at_ != '/' && *at_ != '-'))
            return false;
        ++at_;
        skipBlanks();
        return true;
    }
    bool time() {
        const char* start = at_;
        while (at_ != end_ && (*at_ == ' ' || *at_ == 'T'))
            ++at_;
        int ignored = 0;
        if (at_ == start || !number(1, 2, &ignored) || at_ == end_ || *at_ != ':' ||
            !(++at_, number(1, 2, &ignored)))
            return false;
        if (at_ == end_ || *at_ != ':')
            return true;
        const char* beforeSeconds = at_;
        ++at_;
        if (!number(1, 2, &ignored)) {
            at_ = beforeSeconds;
            return true;
        }
        if (at_ == end_ || *at_ != '.')
            return true;
        const char* beforeFraction = at_;
        ++at_;
        if (at_ == end_ || !isDigit(*at_)) {
            at_ = beforeFraction;
            return true;
        }
        while (at_ != end_ && isDigit(*at_))
            ++at_;
        return true;
    }

    const char* at_;
    const char* end_;
};

bool isAscii(const char* text, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

std::optional<QDate> parseDate(const char* utf8, qsizetype size) {
    if (!isAscii(utf8, size))
        return parseWithPattern(QString::fromUtf8(utf8, size));
    return DateReader(utf8, size).read();
}

std::optional<QDate> parseDate(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return parseDate(bytes.constData(), bytes.size());
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

std::optional<QDate> argDate(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return parseDate(bytes ? bytes : "", bytes ? sqlite3_value_bytes(value) : 0);
}

// "yyyy-MM-dd" of a date of the years 1 to 9999, as QDate's ISO form writes it.
void writeIso(const QDate& date, char* out) {
    const int parts[3] = {date.year(), date.month(), date.day()};
    const int widths[3] = {4, 2, 2};
    for (int p = 0, at = 0; p < 3; ++p) {
        int value = parts[p];
        for (int i = widths[p] - 1; i >= 0; --i) {
            out[at + i] = char('0' + value % 10);
            value /= 10;
        }
        at += widths[p];
        if (p < 2)
            out[at++] = '-';
    }
}

void cdate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto date = argDate(argv[0]);
    if (!date) {
        const QByteArray message = QStringLiteral("数据类型不匹配: cdate('%1') 不是有效日期")
                                       .arg(argText(argv[0]))
                                       .toUtf8();
        sqlite3_result_error(ctx, message.constData(), int(message.size()));
        return;
    }
    char iso[10];
    writeIso(*date, iso);
    sqlite3_result_text(ctx, iso, int(sizeof iso), SQLITE_TRANSIENT);
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
    const auto from = argDate(argv[1]);
    const auto to = argDate(argv[2]);
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

// amount(text): the money a text holds (Amount.h), NULL when it cannot be read.
void amountOf(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_double(ctx, 0.0);
        return;
    }
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto value = amount::parse(bytes, sqlite3_value_bytes(argv[0]));
    if (value)
        sqlite3_result_double(ctx, *value);
    else
        sqlite3_result_null(ctx);
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
           sqlite3_create_function(raw, "amount", 1, flags, nullptr, amountOf, nullptr, nullptr) ==
               SQLITE_OK &&
           namecollation::install(raw);
}

} // namespace jet
