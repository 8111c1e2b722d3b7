// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/Score.h"

#include "base/Clock.h"
#include "db/Database.h"
#include "db/DateForms.h"
#include "db/Statement.h"

#include <QDateTime>

namespace {

const QString kNetwork = QStringLiteral(
    "select s.sort_value from base as b,sort as s \t\twhere b.base_sort_code=s.sort_code");
const QString kUserFilter = QStringLiteral("b.base_user_code=%ld and b.base_invalid_flag=1");
const QString kUserGrade = QStringLiteral("select user_grade from userlogin where user_code=%ld");
const QString kAddGrade =
    QStringLiteral("Update userlogin set user_grade=user_grade+%ld where user_code=%ld");
const QString kLastLogin =
    QStringLiteral("select user_lastlogin from userlogin where user_code=%ld");
const QString kLoginReward = QStringLiteral(
    "update userlogin set user_grade=user_grade+10,user_lastlogin='%s' where user_code=%ld");
const QString kLoginStamp =
    QStringLiteral("update userlogin set user_lastlogin='%s'\twhere user_code=%ld");
const QString kLoginPenalty = QStringLiteral(
    "update userlogin set user_grade=user_grade-%d,user_lastlogin='%s' where user_code=%ld");

} // namespace

qint64 Score::networkScore(const sql::Statement& filter) {
    const sql::Statement statement =
        filter.isEmpty() ? sql::format(kNetwork)
                         : sql::format(QStringLiteral("%s and %s"), sql::format(kNetwork), filter);
    qint64 sum = 0;
    db_.query(statement, [&](const Row& row) {
        sum += row.number(QStringLiteral("s.sort_value"), 0);
        return true;
    });
    return sum;
}

qint64 Score::userScore(qint64 userCode) {
    qint64 grade = 0;
    db_.query(sql::format(kUserGrade, userCode), [&](const Row& row) {
        grade = row.number(QStringLiteral("user_grade"), 0);
        return false;
    });
    return networkScore(sql::format(kUserFilter, userCode)) + grade;
}

bool Score::add(qint64 userCode, qint64 points) {
    return db_.execute(sql::format(kAddGrade, points, userCode));
}

QString Score::applyLoginRule(qint64 userCode, const Clock& clock) {
    QString previous;
    db_.query(sql::format(kLastLogin, userCode), [&](const Row& row) {
        previous = row.text(QStringLiteral("user_lastlogin"));
        return false;
    });
    const QString now = dateforms::now(clock);
    const QString reward = QStringLiteral("用户登录,等级分增加 10 分!");
    if (previous.trimmed().isEmpty()) {
        db_.execute(sql::format(kLoginReward, now, userCode));
        return reward;
    }
    QDateTime before =
        QDateTime::fromString(previous.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!before.isValid())
        before = QDateTime::fromString(previous.trimmed(), Qt::ISODate);
    // Both times are read as the clock on the wall shows them, as the stamp is
    // written: a night the clocks go forward or back is a day like any other.
    const QDateTime current = clock.now();
    const QDateTime wallNow(current.date(), current.time(), Qt::UTC);
    const QDateTime wallBefore(before.date(), before.time(), Qt::UTC);
    // An unreadable stamp counts as a login today: neither reward nor charge.
    const qint64 days = before.isValid() ? wallBefore.secsTo(wallNow) / 86400 : 0;
    if (days <= 0) {
        db_.execute(sql::format(kLoginStamp, now, userCode));
        return QStringLiteral("维护人脉资源,走向成功!");
    }
    if (days == 1) {
        db_.execute(sql::format(kLoginReward, now, userCode));
        return reward;
    }
    const qint64 penalty = std::min<qint64>(5 * days - 5, 30);
    db_.execute(sql::format(kLoginPenalty, penalty, now, userCode));
    return text::format(QStringLiteral("长期不登录,等级分下降 %d 分!"), penalty);
}

QString Score::scoreText(qint64 score) {
    return text::format(QStringLiteral("我的人脉等级分是: %d 分 !"), score);
}

QString Score::levelText(qint64 s) {
    if (s < 0)
        return QStringLiteral("级别是: 10 级! 人脉资源正在流失,请加快建设!");
    if (s == 0)
        return QStringLiteral("从现在开始,管理人脉, 提升人脉等级 !");
    struct Band {
        qint64 below;
        const char* text;
    };
    static const Band bands[] = {
        {100, "级别是: 9 级! 离一下等级还差 %d 分!"},
        {200, "级别是: 8 级! 离一下等级还差 %d 分!"},
        {300, "级别是: 7 级! 离一下等级还差 %d 分!"},
        {500, "级别是: 6 级! 离一下等级还差 %d 分!"},
        {700, "级别是: 5 级!  离一下等级还差 %d 分!"},
        {1000, "级别是: 4 级!  离一下等级还差 %d 分!"},
        {1500, "级别是: 3 级!  离一下等级还差 %d 分!"},
        {3000, "级别是: 2 级!  离一下等级还差 %d 分!"},
    };
    for (const Band& band : bands) {
        if (s < band.below)
            return text::format(QString::fromUtf8(band.text), band.below - s);
    }
    return QStringLiteral("级别是: 1 级! 恭喜! 一定要保持!");
}

QString Score::changeNotice(qint64 points) {
    return points >= 0 ? text::format(QStringLiteral("等级分增加 %d 分!"), points)
                       : text::format(QStringLiteral("等级分减少 %d 分!"), -points);
}
