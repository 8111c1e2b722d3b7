// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QString>
#include <QStringList>
#include <optional>

class Clock;
class Prompter;

// The six date lists of the query forms, as chosen; an empty text is a list
// left alone.
struct DateFields {
    QString startYear, startMonth, startDay;
    QString endYear, endMonth, endDay;

    bool anyChosen() const;
};

// The interaction date range of the query forms: missing parts are filled in
// (the start from 1990/01/01, the end from today), parts chosen without the
// part above them are refused, and a chosen date that does not exist is refused.
namespace daterange {

inline const QString kCondition =
    QStringLiteral(" comm_date between cdate('%s/%s/%s') and cdate('%s/%s/%s') ");

inline const QString kNoStartYear = QStringLiteral("请选择起始年份!");
inline const QString kNoStartMonth = QStringLiteral("请选择起始月份!");
inline const QString kNoEndYear = QStringLiteral("请选择结束年份!");
inline const QString kNoEndMonth = QStringLiteral("请选择结束月份!");
inline const QString kBadDate = QStringLiteral("日期选择有误!");

// The condition on comm_date, empty when no list was chosen. A refusal shows
// its message ("提示", information icon) and gives nothing.
std::optional<sql::Statement> condition(const DateFields& fields, const Clock& clock,
                                        Prompter& prompter);

// This year and the nine before it, newest first; "01".."12"; "01".."31".
QStringList years(const Clock& clock);
QStringList months();
QStringList days();

} // namespace daterange
