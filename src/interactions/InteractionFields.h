// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Clock;

// The interaction form (dialog 183) as data: its fields with their captions,
// controls, limits and columns; the checks of "确定(&O)" in their order with
// the field each one focuses; the order the columns are written in. The form
// is laid out from the field table and saves by it, so each of these lives here once.
namespace interaction {

enum class Kind {
    List,      // drop-down list; a value can only be picked
    Edit,      // one-line text
    MultiLine, // text of several lines
};

enum class Source {
    None,
    Years,     // this year and the 99 before it, newest first
    NextYears, // this year and the 99 after it, oldest first
    Months,    // "01".."12"
    Days,      // "01".."31"
    Hours,     // "01".."24"
    Minutes,   // "00", "05", .. "55"
    Types,     // kTypeNames
};

// The two groups of the form.
enum class Group { ThisTime, NextTime };

struct Field {
    QString column;  // comm column; a type field holds the NAME, the column its code
    QString caption; // label before the control, blanks included ("事      由:"); may be empty
    QString unit;    // label after the control ("年", "分钟", "元"); may be empty
    Kind kind = Kind::Edit;
    Source source = Source::None;
    int limit = 0; // most characters of a text
    Group group = Group::ThisTime;
    int line = 0;          // line of its group the field sits on (layout only)
    bool amount = false;   // digits and "." only
    bool typeName = false; // a business_name standing for the column's code
};

// In the order of the form's table.
const QList<Field>& fields();
const Field* field(const QString& column);

// What a check looks at; the order of the list is the order of checking.
enum class Test {
    Empty,           // the field is empty
    DateImpossible,  // year, month and day fail the valid-day check
    NotAmount,       // not empty and not only digits and "."
    NextYearMissing, // next month given, next year empty
    NextMonthOrDay,  // next year given, next month or next day empty
    NextIncomplete,  // next month given without year or day, or next day without year or month
    NextImpossible,  // all three next parts given and no valid day
    TypeWithoutCode, // the type or next type name has no code
};

struct Check {
    Test test;
    QString column; // the field tested (for Empty and NotAmount)
    QString message;
    QString focus; // the field focused afterwards; empty for none
    bool selectAll = false;
    bool error = false; // caption "错误" instead of "提示"
};

const QList<Check>& checks();

// The columns in the order they are set on the row (comm_base_code first, on adding only).
const QStringList& writeOrder();

// The lists' entries for a day (the year lists move with it).
QStringList entries(Source source, const Clock& clock);

inline const QString kTypeNames =
    QStringLiteral("select business_name from business where business_name<>'' "
                   "order by business_name");
inline const QString kDateColumn = QStringLiteral("comm_date");

inline const QString kYear = QStringLiteral("comm_year");
inline const QString kMonth = QStringLiteral("comm_month");
inline const QString kDay = QStringLiteral("comm_day");
inline const QString kClock = QStringLiteral("comm_clock");
inline const QString kMinute = QStringLiteral("comm_minute");
inline const QString kType = QStringLiteral("comm_business_code");
inline const QString kGift = QStringLiteral("comm_gift");
inline const QString kReason = QStringLiteral("comm_reason");
inline const QString kClient = QStringLiteral("comm_client");
inline const QString kMyJoin = QStringLiteral("comm_myjoin");
inline const QString kPlace = QStringLiteral("comm_place");
inline const QString kSpent = QStringLiteral("comm_spent");
inline const QString kIncome = QStringLiteral("comm_tran");
inline const QString kExpense = QStringLiteral("comm_cost");
inline const QString kContent = QStringLiteral("comm_content");
inline const QString kNextYear = QStringLiteral("comm_next_year");
inline const QString kNextMonth = QStringLiteral("comm_next_month");
inline const QString kNextDay = QStringLiteral("comm_next_day");
inline const QString kNextClock = QStringLiteral("comm_next_clock");
inline const QString kNextMinute = QStringLiteral("comm_next_minute");
inline const QString kNextType = QStringLiteral("comm_next_business_code");
inline const QString kNextContent = QStringLiteral("comm_next_content");

} // namespace interaction
