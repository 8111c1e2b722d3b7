// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/InteractionForm.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "db/DateForms.h"
#include "db/JetFunctions.h"
#include "db/Lookups.h"
#include "db/RowWriter.h"
#include "db/Validators.h"
#include "interactions/Score.h"

using namespace interaction;

namespace {

// The contact's last-contact date never goes back: an interaction about an
// earlier meeting, entered later, leaves a newer stamp as it is. Stamps are
// ISO text, so text order is date order on both engines.
const QString kStamp =
    QStringLiteral("update base set base_lastmodi_date='%s' where base_code=%ld "
                   "and (base_lastmodi_date is null or base_lastmodi_date<'%s')");
const QString kExisting = QStringLiteral("select * from comm where comm_code=%s");
const QString kGone = QStringLiteral("往来记录已不存在,可能已被删除!");
const QString kNoDate = QStringLiteral("数据类型不匹配: 往来日期 %1 不是有效日期");

} // namespace

InteractionForm::InteractionForm(Database& db, Prompter& prompter, const Clock& clock)
    : db_(db), prompter_(prompter), clock_(clock) {}

void InteractionForm::startAdd(qint64 contact) {
    mode_ = Mode::Add;
    contact_ = contact;
    code_.clear();
    failure_.reset();
    values_.clear();
    const QDate today = clock_.today();
    values_.insert(kYear, today.toString(QStringLiteral("yyyy")));
    values_.insert(kMonth, today.toString(QStringLiteral("MM")));
    values_.insert(kDay, today.toString(QStringLiteral("dd")));
}

void InteractionForm::startModify(qint64 contact, const QString& code) {
    mode_ = Mode::Modify;
    contact_ = contact;
    code_ = code;
    failure_.reset();
    values_.clear();
}

QString InteractionForm::caption() const {
    return mode_ == Mode::Add ? kAddCaption : kModifyCaption;
}

QString InteractionForm::listDate(const QString& year, const QString& month, const QString& day) {
    return dateforms::listDate(year, month, day);
}

QStringList InteractionForm::typeNames() {
    QStringList names;
    db_.query(sql::format(kTypeNames), [&](const Row& row) {
        names << row.textAt(0);
        return true;
    });
    return names;
}

qint64 InteractionForm::typeCode(const QString& name) {
    return Lookups(db_).businessCode(name);
}

bool InteractionForm::failed(const Check& check) {
    const QString year = value(kNextYear);
    const QString month = value(kNextMonth);
    const QString day = value(kNextDay);
    switch (check.test) {
    case Test::Empty:
        return value(check.column).isEmpty();
    case Test::DateImpossible:
        return !validate::isValidDay(value(kYear), value(kMonth), value(kDay));
    case Test::NotAmount:
        return !value(check.column).isEmpty() && !validate::isAmount(value(check.column));
    case Test::NextYearMissing:
        return !month.isEmpty() && year.isEmpty();
    case Test::NextMonthOrDay:
        return !year.isEmpty() && (month.isEmpty() || day.isEmpty());
    case Test::NextIncomplete:
        return (!month.isEmpty() && (year.isEmpty() || day.isEmpty())) ||
               (!day.isEmpty() && (year.isEmpty() || month.isEmpty()));
    case Test::NextImpossible:
        return !year.isEmpty() && !month.isEmpty() && !day.isEmpty() &&
               !validate::isValidDay(year, month, day);
    case Test::TypeWithoutCode:
        return typeCode(value(kType)) < 0 || typeCode(value(kNextType)) < 0;
    }
    return false;
}

std::optional<InteractionForm::Failure> InteractionForm::check() {
    for (const Check& c : checks()) {
        if (failed(c))
            return Failure{c.message, c.focus, c.selectAll, c.error};
    }
    return std::nullopt;
}

bool InteractionForm::save() {
    failure_ = check();
    if (failure_) {
        if (failure_->error)
            prompter_.fail(failure_->message);
        else
            prompter_.inform(failure_->message);
        return false;
    }
    return write();
}

bool InteractionForm::write() {
    const QString date = jet::isoDate(dateforms::slashed(value(kYear), value(kMonth), value(kDay)));
    if (date.isEmpty()) {
        db_.reportFailure(
            kNoDate.arg(dateforms::slashed(value(kYear), value(kMonth), value(kDay))));
        return false;
    }
    const bool adding = mode_ == Mode::Add;
    if (!adding && !db_.exists(sql::format(kExisting, code_))) {
        prompter_.fail(kGone);
        return false;
    }
    // The row, the contact's stamp and the points stand or fall together:
    // the end of the program halfway leaves neither a row without its points
    // nor points without their row.
    const bool own = !db_.inTransaction();
    if (own && !db_.begin())
        return false;
    const QString savedCode = code_;
    if (!writeRow(adding, date)) {
        if (own)
            db_.rollback();
        code_ = savedCode;
        return false;
    }
    if (own && !db_.commit()) {
        code_ = savedCode;
        return false;
    }
    return true;
}

bool InteractionForm::writeRow(bool adding, const QString& date) {
    RowWriter row = adding ? RowWriter(db_, QStringLiteral("comm"))
                           : RowWriter(db_, QStringLiteral("comm"),
                                       sql::format(QStringLiteral("comm_code=%s"), code_));
    if (adding)
        row.set(QStringLiteral("comm_base_code"), contact_);
    for (const QString& column : writeOrder()) {
        if (column == kDateColumn)
            row.set(column, date);
        else if (const Field* f = field(column); f && f->typeName)
            row.set(column, typeCode(value(column)));
        else
            row.set(column, value(column));
    }
    if (!row.save())
        return false;
    if (!adding)
        return true;
    code_ = QString::number(row.newKey());
    return db_.execute(sql::format(kStamp, date, contact_, date)) &&
           (pointsUser_ < 0 || Score(db_).add(pointsUser_, points_));
}
