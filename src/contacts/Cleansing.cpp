// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/Cleansing.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "db/TextFormat.h"
#include "quickfind/FindKeys.h"

#include <limits>

namespace {

// Contacts without any interaction: commlast has a row exactly for each
// contact that has one. A comm row without a contact keeps everyone, as
// "not in" a list holding a null does.
const QString kUntouched =
    QStringLiteral("update base set base_invalid_flag=0 where base_invalid_flag=1 and "
                   "base_code not in (select commlast_base_code from commlast) and "
                   "not exists (select 1 from comm where comm_base_code is null)");
const QString kInteractions = QStringLiteral("select count(*) from comm");

// The newest interaction of every contact that has one (commlast, kept by the
// engine), its date built as "%s/%s/%s" from the parts, read by the engine's
// cdate and compared with the last day still within the period: more than N
// days before today is before today minus N days. The list is built whole
// before a row is touched, so every newest date is read (and an impossible one
// fails the run); contacts already in the trash stay as they are.
const QString kLapsed = QStringLiteral(
    "update base set base_invalid_flag=0 where base_invalid_flag is not 0 and base_code in ("
    "select l.commlast_base_code from commlast as l where "
    "cdate(ifnull(l.commlast_year,'')||'/'||ifnull(l.commlast_month,'')||'/'||"
    "ifnull(l.commlast_day,''))<'%s')");

// A contact moved to the trash loses its find keys (the find box then reads
// the row again and leaves the contact out). The keys do not change with the
// flag: they are kept aside and written back as new rows, instead of being
// worked out again from the names one contact at a time.
const QString kKeepKeys = QStringLiteral(
    "create temp table cleansed_keys as select findkey_base_code as code, findkey_name as name, "
    "findkey_unit as unit, findkey_branch as branch, findkey_digits as digits from findkey "
    "where findkey_base_code in (select base_code from base where base_invalid_flag is not 0)");
const QString kRenewKeys = QStringLiteral(
    "insert into findkey (findkey_base_code,findkey_name,findkey_unit,findkey_branch,"
    "findkey_digits) select k.code,k.name,k.unit,k.branch,k.digits from cleansed_keys as k "
    "where not exists (select 1 from findkey as f where f.findkey_base_code=k.code) "
    "order by k.code");
const QString kDropKeys = QStringLiteral("drop table cleansed_keys");

// The first day within the period, in the ISO form cdate gives; a period that
// reaches back before the year 1 keeps everyone.
QString firstDayKept(const QDate& today, int days) {
    const QDate first = today.addDays(-qint64(days));
    if (!first.isValid() || first.year() < 1)
        return QStringLiteral("0000-00-00");
    return first.toString(Qt::ISODate);
}

} // namespace

int Cleansing::periodOf(const QString& setting) {
    qint64 days = 0;
    for (const QChar c : setting) {
        if (c < u'0' || c > u'9')
            break;
        days = std::min<qint64>(days * 10 + (c.unicode() - u'0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(days);
}

bool Cleansing::confirm(int days) {
    return prompter_.confirm(text::format(kQuestion, days));
}

bool Cleansing::fail() {
    db_.rollback();
    return false;
}

bool Cleansing::run(int days) {
    if (!db_.begin())
        return false;
    if (!db_.execute(sql::format(kKeepKeys)) || !db_.execute(sql::format(kUntouched)))
        return fail();
    auto progress = prompter_.beginProgress();
    const qint64 interactions = db_.count(sql::format(kInteractions));
    if (interactions < 0)
        return fail();
    progress->setRange(0, int(std::min<qint64>(interactions, std::numeric_limits<int>::max())));
    if (!db_.execute(sql::format(kLapsed, firstDayKept(clock_.today(), days))))
        return fail();
    progress->setPosition(int(std::min<qint64>(interactions, std::numeric_limits<int>::max())));
    // The contacts moved to the trash get their find keys again in the same
    // transaction; a contact that had none gets them worked out.
    if (!db_.execute(sql::format(kRenewKeys)) || !db_.execute(sql::format(kDropKeys)))
        return fail();
    if (quickfind::findkeys::fillMissing(db_) < 0) {
        db_.reportFailure(db_.lastError());
        return fail();
    }
    if (!db_.commit())
        return false;
    return true;
}
