// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportsFixture.h"

#include <QTest>

// A small network whose figures were worked out by hand (tst_relationstats
// gives the sums); today is 7 December 2026, the period January to June 2026.
// 张三, 李四, 王五 and 孙八 are the administrator's (department 1); 赵六 is
// lee's (department 2); 钱七 is in the trash.
struct StatsNetwork {
    ReportsFixture* f;
    qint64 zhang = -1, li = -1, wang = -1, sun = -1;

    explicit StatsNetwork(ReportsFixture* fixture) : f(fixture) {}

    qint64 contact(const QString& name, const QString& level, const QString& created,
                   qint64 user = 1, qint64 department = 1, qint64 live = 1) {
        return f->addContact(name, {{QStringLiteral("base_sort_code"), f->level(level)},
                                    {QStringLiteral("base_create_date"), created},
                                    {QStringLiteral("base_user_code"), user},
                                    {QStringLiteral("base_user_dep_code"), department},
                                    {QStringLiteral("base_invalid_flag"), live}});
    }
    void add(qint64 who, const QString& date, const QString& type, const QString& cost,
             const QString& tran, const QString& next = QString()) {
        QMap<QString, QString> fields{{QStringLiteral("comm_cost"), cost},
                                      {QStringLiteral("comm_tran"), tran}};
        if (!next.isEmpty()) {
            fields.insert(QStringLiteral("comm_next_year"), next.left(4));
            fields.insert(QStringLiteral("comm_next_month"), next.mid(5, 2));
            fields.insert(QStringLiteral("comm_next_day"), next.mid(8, 2));
        }
        const qint64 code =
            f->addInteraction(who, date.left(4), date.mid(5, 2), date.mid(8, 2), fields);
        QVERIFY(code > 0);
        QVERIFY(f->db.execute(sql::format(
            QStringLiteral("update comm set comm_business_code=%ld where comm_code=%ld"),
            f->business(type), code)));
    }

    void build() {
        const QString a = QStringLiteral("A级-核心"), b = QStringLiteral("B级-重要"),
                      c = QStringLiteral("C级-一般"), d = QStringLiteral("D级-普通");
        const QString visit = QStringLiteral("拜访"), gift = QStringLiteral("送礼"),
                      dinner = QStringLiteral("宴请"), call = QStringLiteral("电话");
        zhang = contact(QStringLiteral("张三"), a, QStringLiteral("2025-12-01"));
        li = contact(QStringLiteral("李四"), c, QStringLiteral("2025-12-01"));
        wang = contact(QStringLiteral("王五"), d, QStringLiteral("2026-02-10"));
        sun = contact(QStringLiteral("孙八"), b, QStringLiteral("2026-03-20")); // no interactions
        const qint64 lee = f->addUser(QStringLiteral("lee"), 2);
        const qint64 zhao =
            contact(QStringLiteral("赵六"), a, QStringLiteral("2025-12-01"), lee, 2);
        const qint64 qian =
            contact(QStringLiteral("钱七"), a, QStringLiteral("2025-12-01"), 1, 1, 0);

        add(zhang, QStringLiteral("2025-12-20"), visit, QStringLiteral("77"), QString());
        add(zhang, QStringLiteral("2026-01-05"), visit, QStringLiteral("100"), QString());
        add(zhang, QStringLiteral("2026-01-20"), dinner, QStringLiteral("250.5"),
            QStringLiteral("50"));
        add(zhang, QStringLiteral("2026-03-03"), visit, QStringLiteral("1.2.3"),
            QStringLiteral("30"));
        add(zhang, QStringLiteral("2026-06-28"), call, QString(), QString());
        // A plan for 10 March keeps 李四 from being overdue in February.
        add(li, QStringLiteral("2026-01-10"), gift, QString(), QStringLiteral("500"),
            QStringLiteral("2026-03-10"));
        add(li, QStringLiteral("2026-03-15"), visit, QStringLiteral(" 20 "), QStringLiteral("abc"));
        // Money one way only.
        add(wang, QStringLiteral("2026-03-01"), gift, QStringLiteral("300"), QString());
        add(wang, QStringLiteral("2026-05-15"), gift, QStringLiteral("200."), QString());
        add(zhao, QStringLiteral("2026-01-15"), visit, QStringLiteral("1000"), QString());
        add(qian, QStringLiteral("2026-01-02"), visit, QStringLiteral("999"), QString());
    }
};
