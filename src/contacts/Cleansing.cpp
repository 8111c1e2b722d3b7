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

const QString kUntouched = QStringLiteral(
    "Update base set base_invalid_flag=0 \t\twhere base_invalid_flag=1 and \t\tbase_code not in "
    "(select comm_base_code from comm)");
const QString kInteractions = QStringLiteral("select count(*) from comm");

// The newest interaction of every contact that has one, its date built as
// "%s/%s/%s" from the parts, read by the engine's cdate and compared with the
// last day still within the period: more than N days before today is before
// today minus N days. The list is built whole before a row is touched, so
// every newest date is read (and an impossible one fails the run); contacts
// already in the trash stay as they are.
const QString kLapsed = QStringLiteral(
    "update base set base_invalid_flag=0 where base_invalid_flag is not 0 and base_code in ("
    "select k.code from (select distinct comm_base_code as code from comm) as k,comm as c "
    "where c.comm_code=(select n.comm_code from comm as n where n.comm_base_code=k.code "
    "order by n.comm_date DESC,n.comm_code DESC limit 1) and "
    "cdate(ifnull(c.comm_year,'')||'/'||ifnull(c.comm_month,'')||'/'||ifnull(c.comm_day,''))"
    "<'%s')");

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
    if (!db_.execute(sql::format(kUntouched)))
        return fail();
    auto progress = prompter_.beginProgress();
    const qint64 interactions = db_.count(sql::format(kInteractions));
    if (interactions < 0)
        return fail();
    progress->setRange(0, int(std::min<qint64>(interactions, std::numeric_limits<int>::max())));
    if (!db_.execute(sql::format(kLapsed, firstDayKept(clock_.today(), days))))
        return fail();
    progress->setPosition(int(std::min<qint64>(interactions, std::numeric_limits<int>::max())));
    // The contacts moved to the trash get their find keys again in the same transaction.
    if (quickfind::findkeys::fillMissing(db_) < 0) {
        db_.reportFailure(db_.lastError());
        return fail();
    }
    if (!db_.commit())
        return false;
    return true;
}
