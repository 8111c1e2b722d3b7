// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/InteractionList.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "interactions/InteractionFields.h"
#include "interactions/InteractionForm.h"
#include "interactions/InteractionHost.h"
#include "interactions/Score.h"
#include "ui/ListEditing.h"
#include "ui/ReportModel.h"

using namespace interaction;

namespace {

const QString kLoad = QStringLiteral(
    "select c.comm_code,c.comm_year,c.comm_month,c.comm_day,b.business_name, \t\t\tc.comm_content,"
    "c.comm_spent,c.comm_cost,c.comm_next_year,c.comm_next_month, \t\t\tc.comm_next_day,"
    "c.comm_tran \t\t\tfrom comm as c inner join business as b \t\t\ton "
    "c.comm_business_code=b.business_code \t\t\twhere c.comm_base_code=%ld \t\t\torder by "
    "c.comm_year DESC,c.comm_month DESC,c.comm_day DESC,c.comm_clock DESC,c.comm_minute DESC");

// The fields the list does not show.
const QString kRest = QStringLiteral(
    "select c.comm_clock,c.comm_minute,c.comm_next_clock, \t\t\tc.comm_next_minute,"
    "b.business_name,c.comm_next_content,c.comm_gift, \t\t\tc.comm_reason,c.comm_place,"
    "c.comm_client,c.comm_myjoin \t\t\tfrom comm as c,business as b \t\t\twhere "
    "c.comm_next_business_code=b.business_code and \t\t\t\t  c.comm_code=%s");

const QString kDelete = QStringLiteral("delete from comm where comm_code=%s");

const QString kChooseFirst = QStringLiteral("请先选择相关资料,再使用此功能!");
const QString kChooseFirstPlain = QStringLiteral("请先选择相关资料,再使用此功能");
const QString kTickToModify = QStringLiteral("请在选择框中选中所要修改的资料!");
const QString kSelectRow = QStringLiteral("请选择所要操作的数据!");
const QString kAddMore = QStringLiteral("继续增加吗?");

QString trimmedRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

QString nextDate(const QString& year, const QString& month, const QString& day) {
    if (year.isEmpty() || month.isEmpty() || day.isEmpty())
        return {};
    return InteractionForm::listDate(year, month, day);
}

} // namespace

InteractionList::InteractionList(Database& db, Prompter& prompter, const Clock& clock,
                                 qint64 userCode, ReportModel& model)
    : db_(db), prompter_(prompter), clock_(clock), userCode_(userCode), model_(model) {
    model_.setColumns(kColumns);
}

qint64 InteractionList::currentContact() const {
    return contact_ ? contact_() : 0;
}

void InteractionList::clear() {
    model_.clear();
}

bool InteractionList::load(qint64 contact) {
    QList<QStringList> rows;
    const bool ok = db_.query(sql::format(kLoad, contact), [&](const Row& r) {
        rows.append({QString(), r.text(QStringLiteral("comm_code")),
                     InteractionForm::listDate(r.text(QStringLiteral("comm_year")),
                                               r.text(QStringLiteral("comm_month")),
                                               r.text(QStringLiteral("comm_day"))),
                     r.text(QStringLiteral("business_name")),
                     trimmedRight(r.text(QStringLiteral("comm_tran"))),
                     trimmedRight(r.text(QStringLiteral("comm_cost"))),
                     r.text(QStringLiteral("comm_content")),
                     trimmedRight(r.text(QStringLiteral("comm_spent"))),
                     nextDate(r.text(QStringLiteral("comm_next_year")),
                              r.text(QStringLiteral("comm_next_month")),
                              r.text(QStringLiteral("comm_next_day")))});
        return true;
    });
    model_.setRows(ok ? rows : QList<QStringList>{});
    return ok;
}

QStringList InteractionList::rowOf(const InteractionForm& form) {
    return {QString(),
            form.code(),
            InteractionForm::listDate(form.value(kYear), form.value(kMonth), form.value(kDay)),
            form.value(kType),
            form.value(kIncome),
            form.value(kExpense),
            form.value(kContent),
            form.value(kSpent),
            nextDate(form.value(kNextYear), form.value(kNextMonth), form.value(kNextDay))};
}

int InteractionList::add() {
    const qint64 contact = currentContact();
    if (contact < 1) {
        prompter_.inform(kChooseFirst);
        return 0;
    }
    InteractionForm form(db_, prompter_, clock_);
    // Each saved interaction brings its points with it.
    form.setPointsOnAdd(userCode_, kPoints);
    int saved = 0;
    form.startAdd(contact);
    while (runForm_ && runForm_(form)) {
        // Read again rather than appended: the new row takes its place by date.
        load(contact);
        ++saved;
        if (!prompter_.ask(Prompter::kNoticeCaption, kAddMore))
            break;
        form.startAdd(contact);
    }
    if (saved > 0) {
        if (host_) {
            host_->showNotice(Score::changeNotice(qint64(kPoints) * saved));
            host_->showScore();
            host_->remindersChanged();
        }
    }
    return saved;
}

bool InteractionList::modify() {
    if (currentContact() < 1) {
        prompter_.inform(kChooseFirstPlain);
        return false;
    }
    const QList<int> ticked = model_.checkedRows();
    if (ticked.isEmpty()) {
        prompter_.inform(kTickToModify);
        return false;
    }
    return modifyAt(ticked.first());
}

bool InteractionList::modifyRow(int row) {
    if (row < 0 || row >= model_.rowCount()) {
        prompter_.inform(kSelectRow);
        return false;
    }
    return modifyAt(row);
}

bool InteractionList::modifyAt(int row) {
    InteractionForm form(db_, prompter_, clock_);
    const QString code = model_.text(row, IdColumn);
    form.startModify(currentContact(), code);
    const QString date = model_.text(row, DateColumn);
    form.setValue(kYear, date.mid(0, 4));
    form.setValue(kMonth, date.mid(5, 2));
    form.setValue(kDay, date.mid(8, 2));
    const QString next = model_.text(row, NextColumn);
    if (!next.trimmed().isEmpty()) {
        form.setValue(kNextYear, next.mid(0, 4));
        form.setValue(kNextMonth, next.mid(5, 2));
        form.setValue(kNextDay, next.mid(8, 2));
    }
    form.setValue(kType, model_.text(row, TypeColumn));
    form.setValue(kIncome, model_.text(row, IncomeColumn));
    form.setValue(kExpense, model_.text(row, ExpenseColumn));
    form.setValue(kContent, model_.text(row, ContentColumn));
    form.setValue(kSpent, model_.text(row, SpentColumn));
    db_.query(sql::format(kRest, code), [&](const Row& r) {
        form.setValue(kClock, r.text(QStringLiteral("comm_clock")));
        form.setValue(kMinute, r.text(QStringLiteral("comm_minute")));
        form.setValue(kNextClock, r.text(QStringLiteral("comm_next_clock")));
        form.setValue(kNextMinute, r.text(QStringLiteral("comm_next_minute")));
        form.setValue(kNextType, r.text(QStringLiteral("business_name")));
        form.setValue(kNextContent, r.text(QStringLiteral("comm_next_content")));
        form.setValue(kGift, r.text(QStringLiteral("comm_gift")));
        form.setValue(kReason, r.text(QStringLiteral("comm_reason")));
        form.setValue(kPlace, r.text(QStringLiteral("comm_place")));
        form.setValue(kClient, r.text(QStringLiteral("comm_client")));
        form.setValue(kMyJoin, r.text(QStringLiteral("comm_myjoin")));
        return false;
    });
    if (!runForm_ || !runForm_(form))
        return false;
    const QStringList texts = rowOf(form);
    for (int column = IdColumn; column <= NextColumn; ++column)
        model_.setText(row, column, texts.at(column));
    if (host_)
        host_->remindersChanged();
    return true;
}

int InteractionList::remove() {
    if (currentContact() < 1) {
        prompter_.inform(kChooseFirst);
        return 0;
    }
    const int removed = listediting::removeTicked(
        model_, prompter_, [this](const QString& key) { return deleteWithPoints(key); });
    if (removed > 0) {
        if (host_)
            host_->remindersChanged();
        if (host_) {
            host_->showNotice(Score::changeNotice(-qint64(kPoints) * removed));
            host_->showScore();
        }
    }
    return removed;
}

bool InteractionList::deleteWithPoints(const QString& code) {
    // The row and the points it brought go together, or neither goes.
    if (!db_.begin())
        return false;
    if (!db_.execute(sql::format(kDelete, code)) || !Score(db_).add(userCode_, -qint64(kPoints))) {
        db_.rollback();
        return false;
    }
    return db_.commit();
}
