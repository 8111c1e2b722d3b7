// SPDX-License-Identifier: GPL-3.0-or-later
#include "phones/PhoneDirectory.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"
#include "db/RowWriter.h"
#include "db/Validators.h"
#include "ui/ReportModel.h"

namespace {

const QString kList = QStringLiteral(
    "select s.societysite_code,s.societysite_title,t.societysitesort_name,s.societysite_address, "
    "\t\t\ts.societysite_phone,s.societysite_name,d.duty_name,s.societysite_mobil, \t\t\t"
    "s.societysite_price,u.user_name \t\t\tfrom societysite as s,societysitesort as t,duty as "
    "d,userlogin as u \t\t\twhere s.societysite_sort_code = t.societysitesort_code AND \t\t\t\t"
    "s.societysite_duty_code = d.duty_code and s.societysite_user_code=u.user_code");
const QString kListWithCondition = QStringLiteral("%s and %s");
const QString kCategoryCondition = QStringLiteral("societysitesort_code=%ld");
const QString kEntry = QStringLiteral(
    "select s.societysite_title,t.societysitesort_name,s.societysite_address, \t\t\t"
    "s.societysite_phone,s.societysite_name,d.duty_name,s.societysite_mobil, \t\t\t"
    "s.societysite_memo,s.societysite_price,s.societysite_fax \t\t\tfrom societysite as "
    "s,societysitesort as t,duty as d \t\t\twhere s.societysite_sort_code = "
    "t.societysitesort_code AND \t\t\t\ts.societysite_duty_code = d.duty_code AND \t\t\t\t"
    "s.societysite_code=%ld");
const QString kUpdate = QStringLiteral(
    "update societysite set \t\tsocietysite_address='%s',societysite_duty_code=%ld, \t\t"
    "societysite_memo='%s', societysite_mobil='%s',societysite_name='%s', \t\t"
    "societysite_phone='%s',societysite_price='%s', societysite_sort_code=%ld, \t\t"
    "societysite_title='%s',societysite_fax='%s' \t\twhere societysite_code=%ld");
const QString kDelete = QStringLiteral("delete from societysite where societysite_code=%s");
const QString kCategoryNames =
    QStringLiteral("select societysitesort_name from societysitesort where "
                   "societysitesort_name<>'' order by societysitesort_name");
const QString kDutyNames =
    QStringLiteral("select duty_name from duty where duty_name<>'' order by duty_value desc");

const QString kNoTitle = QStringLiteral("请输入名称!");
const QString kNoCategory = QStringLiteral("请选择类别!");
const QString kDatabaseFailure = QStringLiteral("数据库操作失败,请检查系统设置");
const QString kNothingTicked = QStringLiteral("请选择所要删除的资料!");
const QString kContinueAdding = QStringLiteral("继续增加吗?");
const QString kConfirmDelete = QStringLiteral("确定要删除所选资料吗?");

} // namespace

sql::Statement PhoneDirectory::categoryCondition(qint64 categoryCode) {
    return sql::format(kCategoryCondition, categoryCode);
}

sql::Statement PhoneDirectory::listStatement(const sql::Statement& condition) {
    const sql::Statement list(kList);
    return condition.isEmpty() ? list : sql::format(kListWithCondition, list, condition);
}

bool PhoneDirectory::fetch(const sql::Statement& condition, QList<QStringList>& rows) {
    return db_.query(listStatement(condition), [&rows](const Row& row) {
        rows.append({QString(), QString::number(row.number(QStringLiteral("societysite_code"))),
                     row.text(QStringLiteral("societysite_title")),
                     row.text(QStringLiteral("societysite_name")),
                     row.text(QStringLiteral("societysite_phone")),
                     row.text(QStringLiteral("societysite_mobil")),
                     row.text(QStringLiteral("societysite_address")),
                     row.text(QStringLiteral("societysite_price"))});
        return true;
    });
}

std::optional<PhoneEntry> PhoneDirectory::load(qint64 code) {
    std::optional<PhoneEntry> found;
    db_.query(sql::format(kEntry, code), [&found](const Row& row) {
        PhoneEntry entry;
        entry.title = row.text(QStringLiteral("societysite_title"));
        entry.category = row.text(QStringLiteral("societysitesort_name"));
        entry.address = row.text(QStringLiteral("societysite_address"));
        entry.phone = row.text(QStringLiteral("societysite_phone"));
        entry.contact = row.text(QStringLiteral("societysite_name"));
        entry.duty = row.text(QStringLiteral("duty_name"));
        entry.mobile = row.text(QStringLiteral("societysite_mobil"));
        entry.memo = row.text(QStringLiteral("societysite_memo"));
        entry.price = row.text(QStringLiteral("societysite_price"));
        entry.fax = row.text(QStringLiteral("societysite_fax"));
        found = entry;
        return false;
    });
    return found;
}

bool PhoneDirectory::codesOf(const PhoneEntry& entry, qint64* duty, qint64* category,
                             Outcome* outcome) {
    Lookups lookups(db_);
    *duty = lookups.dutyCode(entry.duty);
    if (*duty == -1) {
        errors::show(prompter_, errors::Duty);
        *outcome = Outcome::DutyLookup;
        return false;
    }
    *category = lookups.phoneSortCode(entry.category);
    if (*category == -1) {
        errors::show(prompter_, errors::CommonData);
        *outcome = Outcome::CategoryLookup;
        return false;
    }
    return true;
}

PhoneDirectory::Outcome PhoneDirectory::checkNumbers(const PhoneEntry& entry) {
    struct Number {
        const QString& text;
        bool (*valid)(const QString&);
        const char* message;
        Outcome outcome;
    };
    const Number numbers[] = {
        {entry.mobile, validate::isPhone, "请在手机中输入数字!", Outcome::BadMobile},
        {entry.phone, validate::isPhone, "请在电话中输入数字!", Outcome::BadPhone},
        {entry.fax, validate::isPhone, "请在传真中输入数字!", Outcome::BadFax},
        {entry.price, validate::isAmount, "请在价格中输入数字!", Outcome::BadPrice},
    };
    for (const Number& number : numbers) {
        if (!number.valid(number.text)) {
            prompter_.inform(QString::fromUtf8(number.message));
            return number.outcome;
        }
    }
    return Outcome::Saved;
}

PhoneDirectory::Outcome PhoneDirectory::add(const PhoneEntry& entry, qint64 userCode) {
    if (entry.title.isEmpty()) {
        prompter_.inform(kNoTitle);
        return Outcome::NoTitle;
    }
    if (entry.category.isEmpty()) {
        prompter_.inform(kNoCategory);
        return Outcome::NoCategory;
    }
    if (const Outcome numbers = checkNumbers(entry); numbers != Outcome::Saved)
        return numbers;
    qint64 duty = -1;
    qint64 category = -1;
    Outcome outcome = Outcome::Saved;
    if (!codesOf(entry, &duty, &category, &outcome))
        return outcome;

    RowWriter row(db_, QStringLiteral("societysite"));
    row.set(QStringLiteral("societysite_address"), entry.address);
    row.set(QStringLiteral("societysite_duty_code"), duty);
    row.set(QStringLiteral("societysite_memo"), entry.memo);
    row.set(QStringLiteral("societysite_mobil"), entry.mobile);
    row.set(QStringLiteral("societysite_name"), entry.contact);
    row.set(QStringLiteral("societysite_phone"), entry.phone);
    row.set(QStringLiteral("societysite_fax"), entry.fax);
    row.set(QStringLiteral("societysite_price"), entry.price);
    row.set(QStringLiteral("societysite_sort_code"), category);
    row.set(QStringLiteral("societysite_title"), entry.title);
    row.set(QStringLiteral("societysite_user_code"), userCode);
    // The form says what failed in its own words, once.
    Prompter* engineMessages = db_.prompter();
    db_.setPrompter(nullptr);
    const bool saved = row.save();
    db_.setPrompter(engineMessages);
    if (!saved) {
        prompter_.fail(kDatabaseFailure);
        return Outcome::DatabaseError;
    }
    return Outcome::Saved;
}

PhoneDirectory::Outcome PhoneDirectory::save(qint64 code, const PhoneEntry& entry) {
    if (entry.title.isEmpty()) {
        prompter_.inform(kNoTitle);
        return Outcome::NoTitle;
    }
    if (const Outcome numbers = checkNumbers(entry); numbers != Outcome::Saved)
        return numbers;
    qint64 duty = -1;
    qint64 category = -1;
    Outcome outcome = Outcome::Saved;
    if (!codesOf(entry, &duty, &category, &outcome))
        return outcome;
    const bool saved = db_.execute(
        sql::format(kUpdate, entry.address, duty, entry.memo, entry.mobile, entry.contact,
                    entry.phone, entry.price, category, entry.title, entry.fax, code));
    return saved ? Outcome::Saved : Outcome::DatabaseError;
}

int PhoneDirectory::deleteTicked(ReportModel& model) {
    if (model.checkedRows().isEmpty()) {
        prompter_.inform(kNothingTicked);
        return -1;
    }
    if (!prompter_.confirm(kConfirmDelete))
        return -1;
    int deleted = 0;
    int position = 0;
    // A deleted row leaves the list and the next one moves up into its place;
    // a row that could not be deleted stays (its error was shown) and is passed.
    while (position < model.rowCount()) {
        if (!model.isChecked(position)) {
            ++position;
        } else if (db_.execute(sql::format(kDelete, model.key(position)))) {
            model.removeRowAt(position);
            ++deleted;
        } else {
            ++position;
        }
    }
    return deleted;
}

int PhoneDirectory::addLoop(Prompter& prompter, const std::function<bool()>& openForm) {
    int added = 0;
    while (openForm()) {
        ++added;
        if (!prompter.ask(Prompter::kNoticeCaption, kContinueAdding))
            break;
    }
    return added;
}

QStringList PhoneDirectory::categoryNames() {
    QStringList names;
    db_.query(sql::format(kCategoryNames), [&names](const Row& row) {
        names << row.text(QStringLiteral("societysitesort_name"));
        return true;
    });
    return names;
}

QStringList PhoneDirectory::dutyNames() {
    QStringList names;
    db_.query(sql::format(kDutyNames), [&names](const Row& row) {
        names << row.text(QStringLiteral("duty_name"));
        return true;
    });
    return names;
}
