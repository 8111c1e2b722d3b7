// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/ScoreQuery.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "interactions/Score.h"

namespace {

const QString kUsers = QStringLiteral(
    "select u.user_code,u.user_name,d.dep_name \t\t\tfrom userlogin u inner join dep d on "
    "(d.dep_code=u.user_dep_code) \t\t\twhere u.user_name<>'' \t\t\torder by u.user_name");
const QString kUserContacts = QStringLiteral("base_user_code=%ld and base_invalid_flag=1");
const QString kDepartments = QStringLiteral(
    "select dep_code,dep_name \t\t\tfrom  dep \t\t\twhere dep_name<>'' \t\t\torder by dep_name");
const QString kDepartmentContacts =
    QStringLiteral("base_user_dep_code=%ld and base_invalid_flag=1");
const QString kDepartmentUsers =
    QStringLiteral("select count(*) from userlogin where user_dep_code=%ld");

const QString kTwoDecimals = QStringLiteral("%.2f");

} // namespace

QList<ScoreQuery::UserRow> ScoreQuery::users() {
    QList<UserRow> rows;
    db_.query(sql::format(kUsers), [&](const Row& r) {
        rows.append({r.number(QStringLiteral("user_code")), r.text(QStringLiteral("user_name")), 0,
                     r.text(QStringLiteral("dep_name"))});
        return true;
    });
    Score score(db_);
    for (UserRow& row : rows)
        row.score = score.networkScore(sql::format(kUserContacts, row.code));
    return rows;
}

QList<ScoreQuery::DepartmentRow> ScoreQuery::departments() {
    QList<DepartmentRow> rows;
    db_.query(sql::format(kDepartments), [&](const Row& r) {
        rows.append(
            {r.number(QStringLiteral("dep_code")), r.text(QStringLiteral("dep_name")), 0, {}});
        return true;
    });
    Score score(db_);
    for (DepartmentRow& row : rows) {
        row.score = score.networkScore(sql::format(kDepartmentContacts, row.code));
        const qint64 members = db_.count(sql::format(kDepartmentUsers, row.code));
        row.average = text::format(kTwoDecimals, members > 0 ? double(row.score) / members : 0.0);
    }
    return rows;
}

QString ScoreQuery::total(const QList<UserRow>& users) {
    double sum = 0;
    for (const UserRow& row : users)
        sum += double(row.score);
    return text::format(QStringLiteral("%.0f"), sum);
}

QString ScoreQuery::average(const QList<UserRow>& users) {
    double sum = 0;
    for (const UserRow& row : users)
        sum += double(row.score);
    return text::format(kTwoDecimals, users.isEmpty() ? 0.0 : sum / double(users.size()));
}

QString ScoreQuery::title(qsizetype users) {
    return text::format(QStringLiteral("等级分查询--目前共有人数： %d"), qint64(users));
}
