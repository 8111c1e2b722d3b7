// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/LatestComm.h"
#include "db/Statement.h"
#include "interactions/Reminders.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeSink.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

namespace {

// An interaction as "year|month|day" or "year|month|day|next year|next month|next day",
// optionally followed by "|comm_date" when the stored date is not the parts' own.
struct Interaction {
    QString year, month, day, nextYear, nextMonth, nextDay;
    QVariant date; // comm_date
};

Interaction parse(const QString& entry) {
    const QStringList p = entry.split(u'|');
    Interaction i{p.value(0), p.value(1), p.value(2), p.value(3), p.value(4), p.value(5), {}};
    if (p.size() > 6) {
        i.date = p[6].isEmpty() ? QVariant() : QVariant(p[6]);
    } else {
        const QDate d(i.year.toInt(), i.month.toInt(), i.day.toInt());
        i.date = d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
    }
    return i;
}

// Records the tree operations as captions.
class CaptionSink : public TreeSink {
  public:
    QList<QPair<QString, QStringList>> nodes;
    QStringList childrenOf(const QString& caption) const {
        for (const auto& node : nodes)
            if (node.first == caption)
                return node.second;
        return {};
    }

    void clearTree() override { nodes.clear(); }
    TreeNode findOrAddTopLevel(const QString& pattern, CaptionMatch,
                               const QString& caption) override {
        for (int i = 0; i < nodes.size(); ++i)
            if (nodes[i].first == pattern)
                return i + 1;
        nodes.append({caption, {}});
        return int(nodes.size());
    }
    TreeNode findOrAddChild(TreeNode, const QString&) override { return 0; }
    void removeChildren(TreeNode node) override { nodes[node - 1].second.clear(); }
    TreeNode addChild(TreeNode parent, const QString& caption) override {
        nodes[parent - 1].second << caption;
        return 0;
    }
    void setCaption(TreeNode, const QString&) override {}
    void expand(TreeNode) override {}
    void buildStarted() override {}
    void buildEnded(bool) override {}
};

// The rule as first written down: its own statements walked row by row, the
// day distances from the calendar. Only the first row of each contact counts;
// on one date the later-entered interaction comes first (comm_code DESC), the
// order the program keeps.
class RuleByHand {
  public:
    explicit RuleByHand(Database& db) : db_(db) {}

    // (contact, type) pairs, sorted.
    QList<QPair<qint64, int>> rows(const QDate& today) {
        QList<QPair<qint64, int>> out;
        db_.query(sql::format(
                      "select b.base_name,b.base_code from comm as c,base as b \t\twhere "
                      "b.base_invalid_flag=1 and \t\t\t  c.comm_base_code=b.base_code and \t\t\t  "
                      "c.comm_next_year='%s' and \t\t\t  c.comm_next_month='%s' and \t\t\t  "
                      "c.comm_next_day='%s'",
                      today.toString("yyyy"), today.toString("MM"), today.toString("dd")),
                  [&](const Row& r) {
                      out.append({r.number("base_code"), 1});
                      return true;
                  });
        qint64 previous = -1;
        db_.query(
            sql::Statement(
                "select c.comm_base_code,c.comm_year,c.comm_month,c.comm_day,s.sort_frequence,"
                "b.base_name, \t\tc.comm_next_year,c.comm_next_month,c.comm_next_day \t\t\tfrom "
                "comm c,base b,sort s \t\t\twhere c.comm_base_code = b.base_code and \t\t\t    "
                "  b.base_sort_code = s.sort_code and b.base_invalid_flag=1 order by "
                "c.comm_base_code,c.comm_date DESC,c.comm_code DESC"),
            [&](const Row& r) {
                const qint64 code = r.number("comm_base_code");
                if (code == previous)
                    return true;
                previous = code;
                const qint64 f = r.number("sort_frequence", 0);
                if (r.text("comm_next_year").isEmpty()) {
                    const qint64 d =
                        days(today, r.text("comm_year"), r.text("comm_month"), r.text("comm_day"));
                    if (d == f)
                        out.append({code, 2});
                    else if (d > f)
                        out.append({code, 3});
                } else if (days(today, r.text("comm_next_year"), r.text("comm_next_month"),
                                r.text("comm_next_day")) > 0) {
                    out.append({code, 3});
                }
                return true;
            });
        db_.query(
            sql::Statement("select b.base_code,b.base_name,b.base_create_date,"
                           "s.sort_frequence from base b,sort s \t\twhere b.base_sort_code "
                           "= s.sort_code \t\tand b.base_invalid_flag=1 \t\tand b.base_code "
                           "not in (select comm_base_code from comm)"),
            [&](const Row& r) {
                const QString created = r.text("base_create_date");
                const qint64 d =
                    days(today, created.mid(0, 4), created.mid(5, 2), created.mid(8, 2));
                out.append({r.number("base_code"), d > r.number("sort_frequence", 0) ? 3 : 2});
                return true;
            });
        std::sort(out.begin(), out.end());
        return out;
    }

  private:
    // The generated data holds real calendar dates only.
    static qint64 days(const QDate& today, const QString& y, const QString& m, const QString& d) {
        const QDate date(y.toInt(), m.toInt(), d.toInt());
        Q_ASSERT(date.isValid());
        return date.daysTo(today);
    }

    Database& db_;
};

} // namespace

class TestReminders : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void rule_data();
    void rule();
    void onlyTheUsersRowsAreRebuilt();
    void sameAsTheRuleByHand_data();
    void sameAsTheRuleByHand();
    void keptNewestFollowsEveryChange();
    void rowsBroughtUpToDateFollowTheRule();
    void careCountsAndAlerts();
    void lunarBirthdaysFallWhereThisYearPutsThem_data();
    void lunarBirthdaysFallWhereThisYearPutsThem();
    void nodesAndTheirCaptions();
    void failuresLeaveTheirGroupsOut();

  private:
    qint64 level(int interval);
    qint64 contact(qint64 level, int live = 1, const QString& created = QString(),
                   const QString& month = QString(), const QString& day = QString());
    void interact(qint64 contact, const Interaction& interaction);
    QList<QPair<qint64, int>> rowsOf(qint64 user);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
};

void TestReminders::init() {
    home_ = std::make_unique<TestHome>();
    QVERIFY(home_->isValid());
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestReminders::cleanup() {
    db_.reset();
    prompter_.reset();
    home_.reset();
}

qint64 TestReminders::level(int interval) {
    db_->execute(
        sql::format("insert into sort(sort_name,sort_value,sort_frequence) values('间隔%d',1,%ld)",
                    interval, qint64(interval)));
    return db_->count("select max(sort_code) from sort");
}

qint64 TestReminders::contact(qint64 level, int live, const QString& created, const QString& month,
                              const QString& day) {
    db_->execute(sql::format("insert into base(base_name,base_sort_code,base_invalid_flag,"
                             "base_create_date,base_user_code,base_month,base_day) "
                             "values('某人',%ld,%ld,'%s',1,'%s','%s')",
                             level, qint64(live), created, month, day));
    const qint64 code = db_->count("select max(base_code) from base");
    db_->execute(sql::format("insert into home(home_base_code) values(%ld)", code));
    return code;
}

void TestReminders::interact(qint64 contact, const Interaction& i) {
    QVERIFY(db_->execute(sql::format(
        "insert into comm(comm_base_code,comm_year,comm_month,comm_day,comm_next_year,"
        "comm_next_month,comm_next_day,comm_date) values(%ld,'%s','%s','%s','%s','%s','%s',%s)",
        contact, i.year, i.month, i.day, i.nextYear, i.nextMonth, i.nextDay,
        i.date.isNull() ? sql::Statement("NULL") : sql::format("'%s'", i.date.toString()))));
}

QList<QPair<qint64, int>> TestReminders::rowsOf(qint64 user) {
    QList<QPair<qint64, int>> rows;
    db_->query(sql::format("select tmptrans_base_code,tmptrans_type from tmptrans where "
                           "tmptrans_user_code=%ld",
                           user),
               [&](const Row& r) {
                   rows.append({r.numberAt(0), int(r.numberAt(1))});
                   return true;
               });
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TestReminders::rule_data() {
    QTest::addColumn<QString>("today");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QStringList>("interactions"); // in the order entered
    QTest::addColumn<QString>("created");
    QTest::addColumn<int>("live");
    QTest::addColumn<QList<int>>("types");

    const QString day = QStringLiteral("2012-05-08");
    const QList<int> none;
    QTest::newRow("exactly F days: due")
        << day << 7 << QStringList{"2012|05|01"} << "" << 1 << QList<int>{2};
    QTest::newRow("F+1 days: overdue")
        << day << 7 << QStringList{"2012|04|30"} << "" << 1 << QList<int>{3};
    QTest::newRow("F-1 days: nothing") << day << 7 << QStringList{"2012|05|02"} << "" << 1 << none;
    QTest::newRow("interval 0, today: due")
        << day << 0 << QStringList{"2012|05|08"} << "" << 1 << QList<int>{2};
    QTest::newRow("interval 0, yesterday: overdue")
        << day << 0 << QStringList{"2012|05|07"} << "" << 1 << QList<int>{3};
    QTest::newRow("plan ahead hides an old interaction")
        << day << 7 << QStringList{"2012|01|01|2012|06|01"} << "" << 1 << none;
    QTest::newRow("plan for today: planned only")
        << day << 7 << QStringList{"2012|01|01|2012|05|08"} << "" << 1 << QList<int>{1};
    QTest::newRow("plan for yesterday: overdue")
        << day << 7 << QStringList{"2012|01|01|2012|05|07"} << "" << 1 << QList<int>{3};
    QTest::newRow("an older plan for today is planned, the newest decides the rest")
        << day << 7 << QStringList{"2012|04|01|2012|05|08", "2012|04|20"} << "" << 1
        << QList<int>{1, 3};
    QTest::newRow("an older plan gone by is ignored")
        << day << 7 << QStringList{"2012|04|01|2012|04|02", "2012|05|05"} << "" << 1 << none;
    QTest::newRow("newest by date, not by entry")
        << day << 7 << QStringList{"2012|05|05", "2012|04|01"} << "" << 1 << none;
    QTest::newRow("one date twice: the later entered decides (no plan)")
        << day << 7 << QStringList{"2012|05|01|2012|06|01", "2012|05|01"} << "" << 1
        << QList<int>{2};
    QTest::newRow("one date twice: the later entered decides (plan)")
        << day << 7 << QStringList{"2012|05|01", "2012|05|01|2012|06|01"} << "" << 1 << none;
    QTest::newRow("two plans for today: two rows")
        << day << 7 << QStringList{"2012|01|01|2012|05|08", "2012|02|01|2012|05|08"} << "" << 1
        << QList<int>{1, 1};
    QTest::newRow("created today, never met: due")
        << day << 7 << QStringList{} << "2012-05-08" << 1 << QList<int>{2};
    QTest::newRow("created F days ago: due")
        << day << 7 << QStringList{} << "2012-05-01" << 1 << QList<int>{2};
    QTest::newRow("created F+1 days ago: overdue")
        << day << 7 << QStringList{} << "2012-04-30" << 1 << QList<int>{3};
    QTest::newRow("created on no known day: overdue")
        << day << 7 << QStringList{} << "" << 1 << QList<int>{3};
    QTest::newRow("in the trash: nothing")
        << day << 7 << QStringList{"2012|01|01|2012|05|08"} << "" << 0 << none;
    QTest::newRow("never met, in the trash: nothing")
        << day << 7 << QStringList{} << "2012-04-30" << 0 << none;
    QTest::newRow("2000 is a leap year: 28 Feb to 1 Mar is 2 days")
        << "2000-03-01" << 2 << QStringList{"2000|02|28"} << "" << 1 << QList<int>{2};
    QTest::newRow("2000, interval 1: overdue")
        << "2000-03-01" << 1 << QStringList{"2000|02|28"} << "" << 1 << QList<int>{3};
    QTest::newRow("1900 is not: 1 day")
        << "1900-03-01" << 1 << QStringList{"1900|02|28"} << "" << 1 << QList<int>{2};
    QTest::newRow("1900, interval 0: overdue")
        << "1900-03-01" << 0 << QStringList{"1900|02|28"} << "" << 1 << QList<int>{3};
    QTest::newRow("a day past the month's end counts on (30 Feb is 2 Mar)")
        << "2023-03-04" << 2 << QStringList{"2023|02|30|||||"} << "" << 1 << QList<int>{2};
    QTest::newRow("a month without its zero")
        << day << 7 << QStringList{"2012|5|1"} << "" << 1 << QList<int>{2};
    QTest::newRow("a plan of a year only, long gone: overdue")
        << day << 7 << QStringList{"2012|05|07|2011||"} << "" << 1 << QList<int>{3};
    QTest::newRow("a plan of a year only, to come: nothing")
        << day << 7 << QStringList{"2012|01|01|2013||"} << "" << 1 << none;
}

void TestReminders::rule() {
    QFETCH(QString, today);
    QFETCH(int, interval);
    QFETCH(QStringList, interactions);
    QFETCH(QString, created);
    QFETCH(int, live);
    QFETCH(QList<int>, types);

    const qint64 who = contact(level(interval), live, created);
    for (const QString& entry : interactions)
        interact(who, parse(entry));
    const Reminders::Counts counts =
        Reminders(*db_, QDate::fromString(today, Qt::ISODate)).rebuild(1);
    QVERIFY(counts.cleared);
    QList<int> found;
    for (const auto& row : rowsOf(1)) {
        QCOMPARE(row.first, who);
        found << row.second;
    }
    QCOMPARE(found, types);
    QCOMPARE(counts.planned.value_or(-1), types.count(1));
    QCOMPARE(counts.due.value_or(-1), types.count(2));
    QCOMPARE(counts.overdue.value_or(-1), types.count(3));
    QVERIFY(prompter_->messages.isEmpty());
}

void TestReminders::onlyTheUsersRowsAreRebuilt() {
    const qint64 a = contact(level(7), 1, "2012-05-08");
    QVERIFY(db_->execute(sql::format("insert into tmptrans(tmptrans_base_code,tmptrans_type,"
                                     "tmptrans_user_code) values(%ld,'3',1),(%ld,'1',2)",
                                     a + 100, a + 200)));
    Reminders reminders(*db_, QDate(2012, 5, 8));
    QVERIFY(reminders.rebuild(1).cleared);
    QCOMPARE(rowsOf(1), (QList<QPair<qint64, int>>{{a, 2}}));
    QCOMPARE(rowsOf(2), (QList<QPair<qint64, int>>{{a + 200, 1}}));
    // The contacts of every user take part: the rows are the user's work list.
    QVERIFY(reminders.rebuild(2).cleared);
    QCOMPARE(rowsOf(2), (QList<QPair<qint64, int>>{{a, 2}}));
    QCOMPARE(rowsOf(1), (QList<QPair<qint64, int>>{{a, 2}}));
}

void TestReminders::sameAsTheRuleByHand_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QString>("today");
    QTest::newRow("seed 1") << 1u << "2012-05-08";
    QTest::newRow("seed 2, new year's day") << 2u << "2013-01-01";
    QTest::newRow("seed 3, leap day") << 3u << "2012-02-29";
    QTest::newRow("seed 4") << 4u << "2012-12-31";
}

// Many contacts with random histories, ties on one day included: the program's
// statements and the rule walked by hand give the same rows.
void TestReminders::sameAsTheRuleByHand() {
    QFETCH(quint32, seed);
    QFETCH(QString, today);
    const QDate day = QDate::fromString(today, Qt::ISODate);
    QRandomGenerator random(seed);
    QList<qint64> levels;
    for (int interval : {0, 1, 7, 15, 30})
        levels << level(interval);
    QVERIFY(db_->begin());
    for (int n = 0; n < 400; ++n) {
        const QDate created = day.addDays(-random.bounded(60));
        const qint64 who = contact(levels[random.bounded(int(levels.size()))],
                                   random.bounded(10) == 0 ? 0 : 1, created.toString(Qt::ISODate));
        const int count = random.bounded(5);
        for (int k = 0; k < count; ++k) {
            // Few distinct days, so that one contact often has two interactions on one day.
            const QDate when = day.addDays(-random.bounded(40));
            Interaction i{
                when.toString("yyyy"),     when.toString("MM"), when.toString("dd"), {}, {}, {},
                when.toString(Qt::ISODate)};
            if (random.bounded(3) == 0) {
                const QDate next = day.addDays(random.bounded(7) - 3);
                i.nextYear = next.toString("yyyy");
                i.nextMonth = next.toString("MM");
                i.nextDay = next.toString("dd");
            }
            interact(who, i);
        }
    }
    QVERIFY(db_->commit());
    const Reminders::Counts counts = Reminders(*db_, day).rebuild(1);
    const auto expected = RuleByHand(*db_).rows(day);
    QCOMPARE(rowsOf(1), expected);
    int byType[4] = {0, 0, 0, 0};
    for (const auto& row : expected)
        ++byType[row.second];
    QCOMPARE(counts.planned.value_or(-1), byType[1]);
    QCOMPARE(counts.due.value_or(-1), byType[2]);
    QCOMPARE(counts.overdue.value_or(-1), byType[3]);
    // All three kinds turn up, so the comparison says something.
    QVERIFY(byType[1] > 0 && byType[2] > 0 && byType[3] > 0);
}

// Thousands of random adds, changes, moves to another contact and deletes,
// one row or many at a time, with ties, empty and missing dates: the newest
// interaction the engine keeps per contact never differs from the interactions,
// and the reminders read from it stay those of the rule walked by hand.
void TestReminders::keptNewestFollowsEveryChange() {
    const QDate day(2012, 5, 8);
    QRandomGenerator random(31);
    QList<qint64> levels;
    for (int interval : {0, 3, 7, 30})
        levels << level(interval);
    QList<qint64> people;
    QVERIFY(db_->begin());
    for (int n = 0; n < 120; ++n)
        people << contact(levels[random.bounded(int(levels.size()))], random.bounded(8) ? 1 : 0,
                          day.addDays(-random.bounded(20)).toString(Qt::ISODate));
    const auto someone = [&] { return people[random.bounded(int(people.size()))]; };
    // Few days, so that ties are common; the stored date is sometimes missing,
    // empty or not the parts' own.
    const auto values = [&] {
        const QDate when = day.addDays(-random.bounded(12));
        QString next = QStringLiteral("'','',''");
        if (random.bounded(3) == 0) {
            const QDate plan = day.addDays(random.bounded(5) - 2);
            next = QStringLiteral("'%1','%2','%3'")
                       .arg(plan.toString("yyyy"), plan.toString("MM"), plan.toString("dd"));
        }
        QString stored = QStringLiteral("'%1'").arg(when.toString(Qt::ISODate));
        switch (random.bounded(12)) {
        case 0:
            stored = QStringLiteral("NULL");
            break;
        case 1:
            stored = QStringLiteral("''");
            break;
        case 2:
            stored =
                QStringLiteral("'%1'").arg(day.addDays(-random.bounded(12)).toString(Qt::ISODate));
            break;
        default:
            break;
        }
        return QStringLiteral("'%1','%2','%3',%4,%5")
            .arg(when.toString("yyyy"), when.toString("MM"), when.toString("dd"), next, stored);
    };
    const auto anInteraction = [&]() -> qint64 {
        const qint64 top = db_->count("select max(comm_code) from comm");
        if (top <= 0)
            return 0;
        return db_->count(sql::format("select min(comm_code) from comm where comm_code>=%ld",
                                      1 + random.bounded(top)));
    };
    for (int step = 0; step < 4000; ++step) {
        const int what = random.bounded(20);
        sql::Statement change;
        if (what < 8) {
            change = sql::format(QStringLiteral("insert into comm(comm_base_code,comm_year,"
                                                "comm_month,comm_day,comm_next_year,"
                                                "comm_next_month,comm_next_day,comm_date) "
                                                "values(%ld,%1)")
                                     .arg(values()),
                                 someone());
        } else if (what < 12) {
            const QStringList v = values().split(u',');
            change =
                sql::format(QStringLiteral("update comm set comm_year=%1,comm_month=%2,comm_day=%3,"
                                           "comm_next_year=%4,comm_next_month=%5,comm_next_day=%6,"
                                           "comm_date=%7 where comm_code=%ld")
                                .arg(v[0], v[1], v[2], v[3], v[4], v[5], v[6]),
                            anInteraction());
        } else if (what < 14) {
            change = sql::format("update comm set comm_base_code=%ld where comm_code=%ld",
                                 someone(), anInteraction());
        } else if (what == 14) {
            // A merge: every interaction of one contact goes to another.
            change = sql::format("update comm set comm_base_code=%ld where comm_base_code=%ld",
                                 someone(), someone());
        } else if (what == 15) {
            change = sql::format("delete from comm where comm_base_code=%ld", someone());
        } else if (what == 16) {
            change = sql::format("update comm set comm_content='x' where comm_code=%ld",
                                 anInteraction());
        } else {
            change = sql::format("delete from comm where comm_code=%ld", anInteraction());
        }
        QVERIFY2(db_->execute(change), qPrintable(change.text()));
        if (step % 1000 == 999)
            QCOMPARE(latestcomm::staleCount(*db_), 0);
    }
    QVERIFY(db_->commit());
    QVERIFY(db_->count("select count(*) from commlast") > 50);
    const Reminders::Counts counts = Reminders(*db_, day).rebuild(1);
    const auto expected = RuleByHand(*db_).rows(day);
    QCOMPARE(rowsOf(1), expected);
    QCOMPARE(counts.due.value_or(-1) + counts.overdue.value_or(-1) + counts.planned.value_or(-1),
             qint64(expected.size()));
    // A kept row made wrong behind the triggers' back is found, and mended.
    QVERIFY(db_->execute("update commlast set commlast_day='xx' where commlast_base_code in "
                         "(select min(commlast_base_code) from commlast)"));
    QCOMPARE(latestcomm::staleCount(*db_), 1);
    QString error;
    QVERIFY2(latestcomm::refill(*db_, &error), qPrintable(error));
    QCOMPARE(latestcomm::staleCount(*db_), 0);
}

// Rebuilds that bring the last rows up to date, over random changes of
// interactions, contacts and levels and days that pass one or many at a time,
// for two users: always the rows of the rule walked by hand.
void TestReminders::rowsBroughtUpToDateFollowTheRule() {
    QDate day(2012, 5, 8);
    QRandomGenerator random(47);
    QList<qint64> levels;
    for (int interval : {0, 3, 7, 30})
        levels << level(interval);
    const auto aLevel = [&] { return levels[random.bounded(int(levels.size()))]; };
    QList<qint64> people;
    const auto someone = [&] { return people[random.bounded(int(people.size()))]; };
    const auto aDate = [&](int back, int ahead) {
        return day.addDays(random.bounded(back + ahead + 1) - back);
    };
    const auto addSomeone = [&] {
        people << contact(aLevel(), random.bounded(8) ? 1 : 0, aDate(40, 0).toString(Qt::ISODate));
    };
    const auto anInteraction = [&]() -> qint64 {
        return db_->count(sql::format("select min(comm_code) from comm where comm_code>=%ld",
                                      1 + random.bounded(db_->count("select max(comm_code) from "
                                                                    "comm") +
                                                         1)));
    };
    QVERIFY(db_->begin());
    for (int n = 0; n < 100; ++n)
        addSomeone();
    QVERIFY(db_->commit());
    int caughtUp = 0;
    for (int step = 0; step < 3000; ++step) {
        const int what = random.bounded(40);
        if (what < 14) {
            const QDate when = aDate(40, 0);
            const QDate next = random.bounded(3) ? QDate() : aDate(3, 4);
            interact(someone(), {when.toString("yyyy"), when.toString("MM"), when.toString("dd"),
                                 next.isValid() ? next.toString("yyyy") : QString(),
                                 next.isValid() ? next.toString("MM") : QString(),
                                 next.isValid() ? next.toString("dd") : QString(),
                                 when.toString(Qt::ISODate)});
        } else if (what < 20) {
            const QDate when = aDate(40, 0);
            QVERIFY(db_->execute(sql::format(
                "update comm set comm_year='%s',comm_month='%s',comm_day='%s',comm_date='%s' "
                "where comm_code=%ld",
                when.toString("yyyy"), when.toString("MM"), when.toString("dd"),
                when.toString(Qt::ISODate), anInteraction())));
        } else if (what < 22) {
            QVERIFY(db_->execute(sql::format("update comm set comm_base_code=%ld where "
                                             "comm_code=%ld",
                                             someone(), anInteraction())));
        } else if (what < 27) {
            QVERIFY(
                db_->execute(sql::format("delete from comm where comm_code=%ld", anInteraction())));
        } else if (what < 29) {
            QVERIFY(db_->execute(sql::format(
                "update base set base_invalid_flag=1-base_invalid_flag where base_code=%ld",
                someone())));
        } else if (what < 31) {
            QVERIFY(db_->execute(sql::format("update base set base_sort_code=%ld where "
                                             "base_code=%ld",
                                             aLevel(), someone())));
        } else if (what < 32) {
            QVERIFY(db_->execute(
                sql::format("update base set base_create_date='%s' where base_code=%ld",
                            aDate(40, 2).toString(Qt::ISODate), someone())));
        } else if (what < 34) {
            addSomeone();
        } else if (what < 35) {
            const qint64 gone = someone();
            people.removeAll(gone);
            QVERIFY(db_->execute(sql::format("delete from base where base_code=%ld", gone)));
        } else if (what < 36 && random.bounded(4) == 0) {
            QVERIFY(
                db_->execute(sql::format("update sort set sort_frequence=%ld where sort_code=%ld",
                                         qint64(random.bounded(10)), aLevel())));
        }
        if (step % 40 != 39)
            continue;
        // Most rebuilds on the same day or the next; some after a long absence.
        static const int kDays[] = {0, 0, 0, 1, 1, 1, 2, 3, 7, 45};
        day = day.addDays(kDays[random.bounded(10)]);
        for (qint64 user : {1, 2}) {
            if (user == 2 && random.bounded(3))
                continue;
            const qint64 before = db_->count(sql::format(
                "select count(*) from remindstate where remindstate_user_code=%ld", user));
            const Reminders::Counts counts = Reminders(*db_, day).rebuild(user);
            const auto expected = RuleByHand(*db_).rows(day);
            QCOMPARE(rowsOf(user), expected);
            qint64 byType[4] = {0, 0, 0, 0};
            for (const auto& row : expected)
                ++byType[row.second];
            QCOMPARE(counts.planned.value_or(-1), byType[1]);
            QCOMPARE(counts.due.value_or(-1), byType[2]);
            QCOMPARE(counts.overdue.value_or(-1), byType[3]);
            // Asked again with nothing changed: the same rows and numbers.
            const Reminders::Counts again = Reminders(*db_, day).rebuild(user);
            QCOMPARE(rowsOf(user), expected);
            QCOMPARE(again.planned.value_or(-1), byType[1]);
            QCOMPARE(again.due.value_or(-1), byType[2]);
            QCOMPARE(again.overdue.value_or(-1), byType[3]);
            caughtUp += int(before);
        }
    }
    // Most of the rebuilds above caught up rather than started over.
    QVERIFY2(caughtUp > 50, qPrintable(QString::number(caughtUp)));
}

void TestReminders::careCountsAndAlerts() {
    const qint64 sort = level(7);
    // Today is 8 May: 甲 was born on the 8th, 乙 in the trash on the 20th, 丙 on 1 May.
    const qint64 a = contact(sort, 1, "", "05", "08");
    const qint64 b = contact(sort, 0, "", "05", "20");
    const qint64 c = contact(sort, 1, "", "05", "01");
    contact(sort, 1, "", "06", "08");
    // Family: 甲's spouse and child both in May (one contact), 丙's child in May (before today).
    QVERIFY(db_->execute(sql::format(
        "update home set home_month='05',home_day='30',home_child_month='05',home_child_day='31' "
        "where home_base_code=%ld",
        a)));
    QVERIFY(db_->execute(sql::format(
        "update home set home_child_month='05',home_child_day='02' where home_base_code=%ld", c)));
    Reminders reminders(*db_, QDate(2012, 5, 8));
    const Reminders::Care care = reminders.care();
    QCOMPARE(care.birthdays.value_or(-1), 3); // the trash counts
    QCOMPARE(care.family.value_or(-1), 2);
    QVERIFY(reminders.hasBirthdaysAhead());                           // today's birthday is ahead
    QVERIFY(Reminders(*db_, QDate(2012, 5, 21)).hasBirthdaysAhead()); // spouse and child
    QVERIFY(!Reminders(*db_, QDate(2012, 6, 9)).hasBirthdaysAhead());
    QVERIFY(Reminders(*db_, QDate(2012, 6, 8)).hasBirthdaysAhead());

    // Only an interaction of a contact in the trash plans today: the alert
    // still says so, the planned list does not.
    QVERIFY(!reminders.hasPlannedToday());
    interact(b, parse("2012|04|01|2012|05|08"));
    QVERIFY(reminders.hasPlannedToday());
    QCOMPARE(reminders.rebuild(1).planned.value_or(-1), 0);
    QVERIFY(prompter_->messages.isEmpty());
}

// Four contacts: 甲 keeps 八月十五 by the lunar calendar, 乙 was born on 20 August
// (Gregorian), 丙's spouse keeps 腊月三十 and 丁's child 闰六月初八. Days from the
// published tables: 中秋 2026-09-25 and 2027-09-15; 腊月 of lunar 2025 has 30
// days (除夕 2026-02-16), that of 2026 has 29 (除夕 2027-02-05); 2025 has 闰六月
// (初八 2025-08-01), 2026 none (六月初八 2026-07-21).
void TestReminders::lunarBirthdaysFallWhereThisYearPutsThem_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("birthdays");
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("ahead");
    QTest::newRow("August 2026: only the Gregorian one") << QDate(2026, 8, 1) << 1 << 0 << true;
    QTest::newRow("September 2026: 中秋 on the 25th") << QDate(2026, 9, 1) << 1 << 0 << true;
    QTest::newRow("26 September 2026: passed") << QDate(2026, 9, 26) << 1 << 0 << false;
    QTest::newRow("September 2027: 中秋 on the 15th") << QDate(2027, 9, 10) << 1 << 0 << true;
    QTest::newRow("16 September 2027: passed") << QDate(2027, 9, 16) << 1 << 0 << false;
    QTest::newRow("21 August 2027: 乙's has passed") << QDate(2027, 8, 21) << 1 << 0 << false;
    QTest::newRow("February 2026: 三十 of a long month") << QDate(2026, 2, 16) << 0 << 1 << true;
    QTest::newRow("February 2027: 三十 falls on 廿九") << QDate(2027, 2, 5) << 0 << 1 << true;
    QTest::newRow("6 February 2027: passed") << QDate(2027, 2, 6) << 0 << 1 << false;
    QTest::newRow("August 2025: the leap month itself") << QDate(2025, 8, 1) << 1 << 1 << true;
    QTest::newRow("July 2025: not the ordinary 六月") << QDate(2025, 7, 1) << 0 << 0 << false;
    QTest::newRow("July 2026: no leap month, 六月初八") << QDate(2026, 7, 21) << 0 << 1 << true;
}

void TestReminders::lunarBirthdaysFallWhereThisYearPutsThem() {
    QFETCH(QDate, today);
    QFETCH(int, birthdays);
    QFETCH(int, family);
    QFETCH(bool, ahead);
    const qint64 sort = level(7);
    const qint64 a = contact(sort, 1, "", "08", "15");
    contact(sort, 1, "", "08", "20");
    const qint64 c = contact(sort, 1);
    const qint64 d = contact(sort, 1);
    QVERIFY(db_->execute(sql::format("update base set base_lunar=1 where base_code=%ld", a)));
    QVERIFY(db_->execute(sql::format(
        "update home set home_lunar=1,home_month='12',home_day='30' where home_base_code=%ld", c)));
    QVERIFY(db_->execute(sql::format("update home set home_child_lunar=2,home_child_month='06',"
                                     "home_child_day='08' where home_base_code=%ld",
                                     d)));
    Reminders reminders(*db_, today);
    const Reminders::Care care = reminders.care();
    QCOMPARE(care.birthdays.value_or(-1), birthdays);
    QCOMPARE(care.family.value_or(-1), family);
    QCOMPARE(reminders.hasBirthdaysAhead(), ahead);
    QVERIFY(prompter_->messages.isEmpty());
}

void TestReminders::nodesAndTheirCaptions() {
    const qint64 sort = level(7);
    const qint64 a = contact(sort, 1, "2012-05-08", "05", "01");
    interact(contact(sort, 1, "2012-05-08"), parse("2012|01|01|2012|05|08"));
    interact(contact(sort, 1), parse("2012|04|01"));
    Q_UNUSED(a);
    const FixedClock clock(QDateTime(QDate(2012, 5, 8), QTime(23, 59)));
    ReminderNodes nodes(clock);
    CaptionSink sink;
    QVERIFY(nodes.rebuildReminders(sink, *db_, 1));
    nodes.buildCare(sink, *db_, 1);
    QCOMPARE(sink.nodes.size(), 2);
    QCOMPARE(sink.nodes[0].first, QStringLiteral("事务提醒 "));
    QCOMPARE(sink.nodes[0].second, (QStringList{"预先安排 <1>", "当天事务 <1>", "逾期事务 <1>"}));
    QCOMPARE(sink.nodes[1].first, QStringLiteral("日常关怀 "));
    QCOMPARE(sink.nodes[1].second, (QStringList{"生日关怀 (1)", "家庭关怀 (0)"}));
    // Built again, the node keeps its place and gets its children anew.
    QVERIFY(nodes.rebuildReminders(sink, *db_, 1));
    QCOMPARE(sink.nodes.size(), 2);
    QCOMPARE(sink.childrenOf("事务提醒 ").size(), 3);
}

void TestReminders::failuresLeaveTheirGroupsOut() {
    const FixedClock clock(QDateTime(QDate(2012, 5, 8), QTime(9, 0)));
    ReminderNodes nodes(clock);
    CaptionSink sink;
    contact(level(7), 1, "2012-05-08");

    // Without levels the due and overdue groups cannot be worked out.
    QVERIFY(db_->execute("alter table sort rename to sort_gone"));
    QVERIFY(nodes.rebuildReminders(sink, *db_, 1));
    QCOMPARE(sink.childrenOf("事务提醒 "), QStringList{"预先安排 <0>"});
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
    QVERIFY(db_->execute("alter table sort_gone rename to sort"));

    // The work list cannot be emptied: its own message, and no groups.
    prompter_->clear();
    QVERIFY(db_->execute("alter table tmptrans rename to tmptrans_gone"));
    QVERIFY(!nodes.rebuildReminders(sink, *db_, 1));
    QCOMPARE(sink.childrenOf("事务提醒 "), QStringList{});
    QCOMPARE(prompter_->texts(), QStringList{"临时表清空失败,请检查系统设置!"});
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
}

QTEST_GUILESS_MAIN(TestReminders)
#include "tst_reminders.moc"
