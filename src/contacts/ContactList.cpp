// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactList.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/DetailPane.h"
#include "contacts/PostLevelNames.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "featureapi/ListHost.h"
#include "ui/ReportModel.h"

namespace {

const QString kContacts = QStringLiteral(
    "select b.base_code,b.base_name,b.work_duty_code,b.base_mobil, \t\t\t\tb.base_phone,"
    "b.work_name,b.base_sort_code, b.base_user_code,b.base_lastmodi_date, \t\t\t\t"
    "b.work_region_code,b.work_province_code,b.base_user_dep_code,b.work_branch_name \t\t\t\t"
    "from base b,duty d \t\t\t\twhere b.work_duty_code=d.duty_code ");
const QString kReminders = QStringLiteral(
    "select b.base_code,b.base_name,b.work_duty_code,b.base_mobil, \t\t\t\tb.base_phone,"
    "b.work_name,b.base_sort_code, b.base_user_code,b.base_lastmodi_date, \t\t\t\t"
    "b.work_region_code,b.work_province_code,b.base_user_dep_code,b.work_branch_name \t\t\t\t"
    "from base as b,tmptrans as t,duty as d \t\t\t\twhere b.base_code=t.tmptrans_base_code "
    "\t\t\t\tand t.tmptrans_type='%d' \t\t\t\tand t.tmptrans_user_code=%ld \t\t\t\t"
    "and b.work_duty_code=d.duty_code \t\t\t\torder by b.work_name desc,d.duty_value desc,"
    "b.base_lastmodi_date DESC");
const QString kDocuments = QStringLiteral(
    "select b.base_code,b.base_name,b.work_duty_code,b.base_mobil, \t\t\t\tb.base_phone,"
    "b.work_name,b.base_sort_code, b.base_user_code,b.base_lastmodi_date, \t\t\t\t"
    "b.work_region_code,b.work_province_code,b.base_user_dep_code,b.work_branch_name \t\t\t\t"
    "from base b inner join doc d on (b.base_code=d.doc_base_code) ");
// Birthday and family care: a lunar birthday (flag 1, or 2 in a leap month)
// is listed in the Gregorian month where it falls this year (the %ld pairs are
// this year and month); the other birthdays by their month, as stored.
const QString kBirthdayCare = QStringLiteral(
    "select b.base_code,b.base_name,b.work_duty_code,b.base_mobil, \t\t\t\tb.base_phone,"
    "b.work_name,b.base_sort_code, b.base_user_code,b.base_lastmodi_date, \t\t\t\t"
    "b.work_region_code,b.work_province_code,b.base_user_dep_code,b.work_branch_name \t\t\t\t"
    "from base as b,duty as d \t\t\t\twhere b.work_duty_code=d.duty_code and (b.base_lunar=0 and "
    "b.base_month='%s' or b.base_lunar<>0 and "
    "lunarday(b.base_lunar,b.base_month,b.base_day,%ld,%ld)>0) ");
const QString kFamilyCare = QStringLiteral(
    "select b.base_code,b.base_name,b.work_duty_code,b.base_mobil, \t\t\t\tb.base_phone,"
    "b.work_name,b.base_sort_code, b.base_user_code,b.base_lastmodi_date, \t\t\t\t"
    "b.work_region_code,b.work_province_code,b.base_user_dep_code,b.work_branch_name \t\t\t\t"
    "from base b,home h \t\t\t\twhere b.base_code=h.home_base_code \t\t\t\t  "
    "and (h.home_lunar=0 and h.home_month='%s' or h.home_child_lunar=0 and "
    "h.home_child_month='%s' or "
    "h.home_lunar<>0 and lunarday(h.home_lunar,h.home_month,h.home_day,%ld,%ld)>0 or "
    "h.home_child_lunar<>0 and "
    "lunarday(h.home_child_lunar,h.home_child_month,h.home_child_day,%ld,%ld)>0)");

const QString kContactsFilter = QStringLiteral("%s and %s ");
const QString kDocumentsFilter = QStringLiteral("%s where b.base_invalid_flag=1 and %s ");
const QString kContactsOrder =
    QStringLiteral(" order by b.work_name desc,d.duty_value desc,b.base_lastmodi_date DESC");
const QString kDocumentsOrder =
    QStringLiteral(" order by b.base_lastmodi_date DESC,b.work_name desc,b.base_code");
const QString kFamilyCareOrder =
    QStringLiteral(" order by b.work_name desc,b.base_lastmodi_date DESC");

const QString kToTrash =
    QStringLiteral("update base set base_invalid_flag=0 \t\t\t\twhere base_code=%s");
const QString kFromTrash =
    QStringLiteral("update base set base_invalid_flag=1 \t\t\t\twhere base_code=%s");

// The dependent rows go first, the contact last.
const QString kDeleteCascade[] = {
    QStringLiteral("delete from extend where extend_base_code=%s"),
    QStringLiteral("delete from home where home_base_code=%s"),
    QStringLiteral("delete from society where society_base_code=%s"),
    QStringLiteral("delete from comm where comm_base_code=%s"),
    QStringLiteral("delete from asso where asso_base_code=%s"),
    QStringLiteral("delete from doc where doc_base_code=%s"),
    QStringLiteral("delete from base where base_code=%s"),
};

const QString kHandOver =
    QStringLiteral("update base set base_user_code=%ld,base_user_dep_code=%ld where base_code=%s");

const QString kSaveQuestion = QStringLiteral("保存修改记录吗?");
const QString kScoreDown = QStringLiteral("等级分减少了! 加油!");
const QString kScoreUp = QStringLiteral("等级分增加了! 加油!");
const QString kChooseTrash = QStringLiteral("请先选择垃圾箱!");
const QString kTrashEmpty = QStringLiteral("垃圾箱中暂无资料!");
const QString kNoManager =
    QStringLiteral("试图分发的对象不存在!\r\n\r\n可能是该部门没有设置管理者!");

} // namespace

ContactList::ContactList(Database& db, Prompter& prompter, const Clock& clock, qint64 userCode,
                         ReportModel& model)
    : db_(db), prompter_(prompter), clock_(clock), userCode_(userCode), model_(model) {}

sql::Statement ContactList::statement(const sql::Statement& filter, int mode) const {
    const QDate today = clock_.today();
    const QString month = QStringLiteral("%1").arg(today.month(), 2, 10, QChar(u'0'));
    const qint64 y = today.year();
    const qint64 m = today.month();
    const sql::Statement contactsOrder(kContactsOrder);
    switch (mode) {
    case Contacts: {
        const sql::Statement select =
            filter.isEmpty() ? sql::format(kContacts)
                             : sql::format(kContactsFilter, sql::format(kContacts), filter);
        return select + contactsOrder;
    }
    case PlannedToday:
    case DueToday:
    case Overdue:
        return sql::format(kReminders, mode, userCode_);
    case Documents: {
        const sql::Statement select =
            filter.isEmpty() ? sql::format(kDocuments)
                             : sql::format(kDocumentsFilter, sql::format(kDocuments), filter);
        return select + sql::Statement(kDocumentsOrder);
    }
    case BirthdayCare:
        return sql::format(kBirthdayCare, month, y, m) + contactsOrder;
    case FamilyCare:
        return sql::format(kFamilyCare, month, month, y, m, y, m) +
               sql::Statement(kFamilyCareOrder);
    default:
        return {};
    }
}

bool ContactList::fetch(const sql::Statement& filter, int mode, ReportRows& rows) {
    rows.clear();
    const sql::Statement select = statement(filter, mode);
    if (select.isEmpty())
        return false;
    PostLevelNames names;
    names.load(db_);

    const QString code = QStringLiteral("base_code");
    const QString name = QStringLiteral("base_name");
    const QString duty = QStringLiteral("work_duty_code");
    const QString level = QStringLiteral("base_sort_code");
    const QString mobile = QStringLiteral("base_mobil");
    const QString phone = QStringLiteral("base_phone");
    const QString work = QStringLiteral("work_name");
    const QString branch = QStringLiteral("work_branch_name");
    const QString lastContact = QStringLiteral("base_lastmodi_date");
    qint64 previous = -1;
    // The columns are found by name once; a long list then reads them by place.
    QList<int> at;
    return db_.query(select, [&](const Row& row) {
        if (at.isEmpty())
            for (const QString& column :
                 {code, name, duty, level, mobile, phone, work, branch, lastContact})
                at << row.indexOf(column);
        const qint64 base = row.numberAt(at[0]);
        // A contact with several documents comes once per document, one after another.
        if (mode == Documents && base == previous)
            return true;
        previous = base;
        rows.append({QStringView(), QString::number(base), row.textAt(at[1]),
                     names.post(row.numberAt(at[2])), names.level(row.numberAt(at[3])),
                     row.textAt(at[4]), row.textAt(at[5]), row.textAt(at[6]), row.textAt(at[7]),
                     row.textAt(at[8])});
        return true;
    });
}

bool ContactList::load(const sql::Statement& filter, int mode, int liveFlag) {
    ReportRows rows;
    // A list is mostly loaded again at about the size it had.
    rows.reserve(model_.rowCount(), 64, LastContactColumn + 1);
    if (!fetch(filter, mode, rows))
        return false;
    filter_ = filter;
    mode_ = mode;
    liveFlag_ = liveFlag;
    clearDetail();
    model_.setRows(std::move(rows));
    return true;
}

void ContactList::clearDetail() {
    current_ = 0;
    if (pane_)
        pane_->clearPane();
}

bool ContactList::settleEdits() {
    if (!pane_ || !pane_->isModified())
        return true;
    // The flag is down while the question is open, so that nothing asks twice.
    // A refused save (a check, someone else's save meanwhile, the database)
    // leaves the pane on the contact with its edits still pending: the next
    // click asks again, and only 否 lets them go.
    pane_->setModified(false);
    if (current_ > 0 && prompter_.confirm(kSaveQuestion)) {
        if (!pane_->validatePane() || !pane_->saveContact(current_)) {
            pane_->setModified(true);
            return false;
        }
        showSaved(current_);
    }
    return true;
}

void ContactList::showSaved(qint64 code) {
    const QString key = QString::number(code);
    int at = -1;
    for (int r = 0; r < model_.rowCount() && at < 0; ++r) {
        if (model_.key(r) == key)
            at = r;
    }
    ReportRows saved;
    if (at < 0 || !fetch(sql::format("b.base_code=%ld", code), Contacts, saved) ||
        saved.size() != 1)
        return;
    for (int column = NameColumn; column <= LastContactColumn; ++column) {
        if (model_.text(at, column) != saved.view(0, column))
            model_.setText(at, column, saved.text(0, column));
    }
}

void ContactList::interactionsChanged(qint64 code) {
    if (mode_ != PlannedToday && mode_ != DueToday && mode_ != Overdue) {
        showSaved(code);
        return;
    }
    const QString key = QString::number(code);
    int at = -1;
    for (int r = 0; r < model_.rowCount() && at < 0; ++r) {
        if (model_.key(r) == key)
            at = r;
    }
    ReportRows rows;
    if (at < 0 || !fetch(filter_, mode_, rows))
        return;
    for (int r = 0; r < rows.size(); ++r) {
        if (rows.view(r, IdColumn) != key)
            continue;
        for (int column = NameColumn; column <= LastContactColumn; ++column)
            model_.setText(at, column, rows.text(r, column));
        return;
    }
    model_.removeRowAt(at);
}

bool ContactList::openContact(qint64 code) {
    if (!pane_) {
        current_ = code;
        return true;
    }
    if (!pane_->isModified() && code == current_)
        return false;
    if (!settleEdits())
        return false;
    current_ = code;
    pane_->loadContact(code, liveFlag_);
    return true;
}

bool ContactList::run(const Walk& walk) {
    // The pane's edits would be lost when the list changes under them.
    if (!settleEdits())
        return false;
    if (model_.checkedRows().isEmpty()) {
        prompter_.inform(walk.nothingTicked);
        return false;
    }
    if (!walk.confirm())
        return false;

    const int steps = model_.rowCount();
    std::unique_ptr<ProgressHandle> progress = prompter_.beginProgress();
    auto advance = [&progress](int position) {
        if (progress)
            progress->setPosition(position);
    };
    if (progress)
        progress->setRange(0, steps);
    advance(1);
    // Each step either passes a row or removes it, so the position never runs
    // past the rows that are left.
    int position = 0;
    for (int step = 1; step <= steps; ++step) {
        if (!model_.isChecked(position)) {
            ++position;
        } else if (walk.perRow(model_.key(position))) {
            // Handed-over rows stay until the whole list is emptied at the end.
            if (walk.handOver)
                ++position;
            else
                model_.removeRowAt(position);
        } else if (walk.handOver) {
            advance(step);
            break;
        } else {
            // The failure has been shown once; the row stays ticked and the
            // walk moves on instead of trying it again at every step.
            ++position;
        }
        advance(step);
    }

    clearDetail();
    if (walk.followUp)
        walk.followUp();
    progress.reset();
    if (!walk.closing.isEmpty())
        prompter_.inform(walk.closing);
    return true;
}

bool ContactList::setLiveFlag(const QString& id, bool live) {
    return db_.execute(sql::format(live ? kFromTrash : kToTrash, id));
}

bool ContactList::deleteWithDependents(const QString& id) {
    if (!db_.begin())
        return false;
    for (const QString& statement : kDeleteCascade) {
        if (!db_.execute(sql::format(statement, id))) {
            db_.rollback();
            return false;
        }
    }
    return db_.commit();
}

void ContactList::scoreFollowUp(const QString& notice) {
    if (!host_)
        return;
    host_->showNotice(notice);
    host_->showScore();
    host_->contactsChanged();
}

bool ContactList::moveToTrash() {
    Walk walk;
    walk.nothingTicked = QStringLiteral("请选择所要移动的资料!");
    walk.confirm = [this] { return prompter_.confirm(QStringLiteral("确定要移动所选资料吗?")); };
    walk.perRow = [this](const QString& id) { return setLiveFlag(id, false); };
    walk.followUp = [this] { scoreFollowUp(kScoreDown); };
    walk.closing = QStringLiteral("所选资料已移至垃圾箱!");
    return run(walk);
}

bool ContactList::restore() {
    Walk walk;
    walk.nothingTicked = QStringLiteral("请选择所要还原的资料!");
    walk.confirm = [this] { return prompter_.confirm(QStringLiteral("确定要还原所选资料吗?")); };
    walk.perRow = [this](const QString& id) { return setLiveFlag(id, true); };
    walk.followUp = [this] { scoreFollowUp(kScoreUp); };
    walk.closing = QStringLiteral("所选资料已还原!");
    return run(walk);
}

bool ContactList::deleteContacts() {
    Walk walk;
    walk.nothingTicked = QStringLiteral("请选择所要删除的资料!");
    walk.confirm = [this] { return prompter_.confirm(QStringLiteral("确定要删除所选资料吗?")); };
    walk.perRow = [this](const QString& id) { return deleteWithDependents(id); };
    walk.followUp = [this] { scoreFollowUp(kScoreDown); };
    return run(walk);
}

bool ContactList::emptyTrash() {
    if (!settleEdits())
        return false;
    if (liveFlag_ != 0) {
        prompter_.notice(Prompter::kConfirmCaption, kChooseTrash, PromptIcon::Question);
        return false;
    }
    if (model_.rowCount() == 0) {
        prompter_.notice(Prompter::kConfirmCaption, kTrashEmpty, PromptIcon::Question);
        return false;
    }
    Walk walk;
    walk.nothingTicked = QStringLiteral("请选择所要清除的资料!");
    walk.confirm = [this] {
        return prompter_.confirm(QStringLiteral("确定要清空垃圾箱中的资料吗?"));
    };
    walk.perRow = [this](const QString& id) { return deleteWithDependents(id); };
    walk.followUp = [this] {
        if (host_)
            host_->contactsChanged();
    };
    walk.closing = QStringLiteral("垃圾箱清除完成!");
    return run(walk);
}

bool ContactList::distribute() {
    qint64 manager = -1;
    Walk walk;
    walk.nothingTicked = QStringLiteral("请选择所要发放的资料!");
    walk.confirm = [&] {
        const std::optional<QString> department = chooser_ ? chooser_() : std::nullopt;
        if (!department)
            return false;
        manager = Lookups(db_).departmentManager(*department);
        if (manager < 0) {
            prompter_.notice(Prompter::kNoticeCaption, kNoManager, PromptIcon::Question);
            return false;
        }
        return true;
    };
    walk.perRow = [&](const QString& id) {
        const qint64 department = Lookups(db_).departmentOfUser(manager);
        return db_.execute(sql::format(kHandOver, manager, department, id));
    };
    walk.handOver = true;
    walk.followUp = [this] {
        // The list is loaded again: handed-over rows leave it when the node
        // filtered on their owner.
        if (host_)
            host_->contactsChanged(true);
    };
    walk.closing = QStringLiteral("资料分发完成!");
    return run(walk);
}
