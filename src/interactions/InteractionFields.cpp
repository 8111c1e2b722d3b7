// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/InteractionFields.h"

#include "base/Clock.h"

namespace interaction {

namespace {

constexpr Group kThis = Group::ThisTime;
constexpr Group kNext = Group::NextTime;

Field list(const QString& column, const QString& caption, const QString& unit, Source source,
           Group group, int line) {
    Field f;
    f.column = column;
    f.caption = caption;
    f.unit = unit;
    f.kind = Kind::List;
    f.source = source;
    f.group = group;
    f.line = line;
    f.typeName = source == Source::Types;
    return f;
}

Field text(const QString& column, const QString& caption, const QString& unit, Kind kind, int limit,
           Group group, int line, bool amount = false) {
    Field f;
    f.column = column;
    f.caption = caption;
    f.unit = unit;
    f.kind = kind;
    f.limit = limit;
    f.group = group;
    f.line = line;
    f.amount = amount;
    return f;
}

QStringList numbered(int from, int to, int step) {
    QStringList out;
    for (int n = from; n <= to; n += step)
        out << QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
    return out;
}

} // namespace

const QList<Field>& fields() {
    static const QList<Field> all{
        list(kYear, QStringLiteral("往来时间:"), QStringLiteral("年"), Source::Years, kThis, 0),
        list(kMonth, {}, QStringLiteral("月"), Source::Months, kThis, 0),
        list(kDay, {}, QStringLiteral("日"), Source::Days, kThis, 0),
        list(kClock, {}, QStringLiteral("点"), Source::Hours, kThis, 0),
        list(kMinute, {}, QStringLiteral("分"), Source::Minutes, kThis, 0),
        list(kType, QStringLiteral("往来类型:"), {}, Source::Types, kThis, 1),
        text(kGift, QStringLiteral("礼品:"), {}, Kind::Edit, 100, kThis, 1),
        text(kReason, QStringLiteral("事      由:"), {}, Kind::Edit, 100, kThis, 2),
        text(kClient, QStringLiteral("对方人员:"), {}, Kind::Edit, 100, kThis, 3),
        text(kMyJoin, QStringLiteral("我方人员:"), {}, Kind::Edit, 100, kThis, 3),
        text(kPlace, QStringLiteral("地      点:"), {}, Kind::Edit, 100, kThis, 2),
        text(kSpent, QStringLiteral("花费时间:"), QStringLiteral("分钟"), Kind::Edit, 10, kThis, 4,
             true),
        text(kIncome, QStringLiteral("收入:"), QStringLiteral("元"), Kind::Edit, 10, kThis, 4,
             true),
        text(kExpense, QStringLiteral("支出:"), QStringLiteral("元"), Kind::Edit, 10, kThis, 4,
             true),
        text(kContent, QStringLiteral("往来内容:"), {}, Kind::MultiLine, 1023, kThis, 5),
        list(kNextYear, QStringLiteral("下次时间:"), QStringLiteral("年"), Source::NextYears, kNext,
             0),
        list(kNextMonth, {}, QStringLiteral("月"), Source::Months, kNext, 0),
        list(kNextDay, {}, QStringLiteral("日"), Source::Days, kNext, 0),
        list(kNextClock, {}, QStringLiteral("点"), Source::Hours, kNext, 0),
        list(kNextMinute, {}, QStringLiteral("分"), Source::Minutes, kNext, 0),
        list(kNextType, QStringLiteral("往来类型:"), {}, Source::Types, kNext, 1),
        text(kNextContent, QStringLiteral("往来安排:"), {}, Kind::MultiLine, 1023, kNext, 2),
    };
    return all;
}

const Field* field(const QString& column) {
    for (const Field& f : fields())
        if (f.column == column)
            return &f;
    return nullptr;
}

const QList<Check>& checks() {
    static const QString kDateMissing = QStringLiteral("请选择往来日期!");
    static const QString kDateWrong = QStringLiteral("日期选择有误!");
    static const QString kNextPartial = QStringLiteral("下次安排日期输入不完整!");
    static const QList<Check> all{
        {Test::Empty, kYear, kDateMissing, kYear},
        {Test::Empty, kMonth, kDateMissing, kMonth},
        {Test::Empty, kDay, kDateMissing, kDay},
        {Test::DateImpossible, {}, kDateWrong, kDay},
        {Test::Empty, kType, QStringLiteral("请选择往来类型!"), kType},
        {Test::NotAmount, kSpent, QStringLiteral("时间长度中有非法字符，请检查!"), kSpent, true},
        {Test::NotAmount, kIncome, QStringLiteral("收入项中有非法字符，请检查!"), kIncome, true},
        {Test::NotAmount, kExpense, QStringLiteral("支出项中有非法字符，请检查!"), kExpense, true},
        {Test::NextYearMissing, {}, QStringLiteral("请选择年份!"), kNextYear},
        {Test::NextMonthOrDay, {}, kNextPartial, kNextMonth},
        {Test::NextIncomplete, {}, kNextPartial, kNextYear},
        {Test::NextImpossible, {}, kDateWrong, kNextDay},
        {Test::TypeWithoutCode,
         {},
         QStringLiteral("往来类型表操作失败,请检查系统设置!"),
         {},
         false,
         true},
    };
    return all;
}

const QStringList& writeOrder() {
    static const QStringList order{
        kYear,       kMonth,    kDay,         kClock,      kMinute,  kType,
        kReason,     kClient,   kMyJoin,      kPlace,      kContent, kSpent,
        kExpense,    kIncome,   kNextYear,    kNextMonth,  kNextDay, kNextClock,
        kNextMinute, kNextType, kNextContent, kDateColumn, kGift,
    };
    return order;
}

QStringList entries(Source source, const Clock& clock) {
    const int year = clock.today().year();
    QStringList out;
    switch (source) {
    case Source::Years:
        for (int y = year; y > year - 100; --y)
            out << QString::number(y);
        break;
    case Source::NextYears:
        for (int y = year; y < year + 100; ++y)
            out << QString::number(y);
        break;
    case Source::Months:
        out = numbered(1, 12, 1);
        break;
    case Source::Days:
        out = numbered(1, 31, 1);
        break;
    case Source::Hours:
        out = numbered(1, 24, 1);
        break;
    case Source::Minutes:
        out = numbered(0, 55, 5);
        break;
    case Source::Types:
    case Source::None:
        break;
    }
    return out;
}

} // namespace interaction
