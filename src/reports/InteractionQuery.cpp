// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/InteractionQuery.h"

#include "base/Clock.h"
#include "db/DateForms.h"
#include "db/Lookups.h"

namespace {

const QString kUser = QStringLiteral("base_user_code=%ld ");
const QString kName = QStringLiteral("and base_name like '%s%s%s' ");
const QString kMobile = QStringLiteral("and base_mobil like '%s%s%s' ");
const QString kPhone = QStringLiteral("and base_phone like '%s%s%s' ");
const QString kWorkAddress = QStringLiteral("and work_address like '%s%s%s' ");
const QString kWorkName = QStringLiteral("and work_name like '%s%s%s' ");
const QString kWorkPhone = QStringLiteral("and work_phone like '%s%s%s' ");
const QString kProvince = QStringLiteral("and base_province_code=%ld ");
const QString kLevel = QStringLiteral("and base_sort_code=%ld ");
const QString kLive = QStringLiteral(" and base_invalid_flag=1");

} // namespace

InteractionQuery::InteractionQuery(Database& db, Prompter& prompter, const Clock& clock,
                                   qint64 userCode)
    : db_(db), prompter_(prompter), clock_(clock), userCode_(userCode) {}

std::optional<InteractionConditions>
InteractionQuery::conditions(const InteractionQueryForm& form) {
    const std::optional<sql::Statement> dates = daterange::condition(form.dates, clock_, prompter_);
    if (!dates)
        return std::nullopt;

    sql::Statement base = sql::format(kUser, userCode_);
    auto like = [&base](const QString& fragment, const QString& typed) {
        if (!typed.isEmpty())
            base += sql::format(fragment, sql::kAnyText, typed, sql::kAnyText);
    };
    like(kName, form.name);
    like(kMobile, form.mobile);
    like(kPhone, form.phone);
    like(kWorkAddress, form.workAddress);
    like(kWorkName, form.workName);
    like(kWorkPhone, form.workPhone);
    Lookups lookups(db_);
    if (!form.province.isEmpty())
        base += sql::format(kProvince, lookups.provinceCode(form.province));
    if (!form.level.isEmpty())
        base += sql::format(kLevel, lookups.levelCode(form.level));
    base += sql::Statement(kLive);
    return InteractionConditions{*dates, base};
}

InteractionConditions InteractionQuery::today() const {
    const QDate day = clock_.today();
    const QString today = dateforms::queryDate(day.year(), day.month(), day.day());
    return {sql::format(kTodayComm, today, today), sql::format(kTodayBase, userCode_)};
}
