// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Database.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QMap>
#include <QVariant>

// A fresh database, a scripted prompter and a fixed day (Monday 7 December
// 2026), with helpers that add users, contacts, interactions and documents.
struct ReportsFixture {
    TestHome home;
    ScriptedPrompter prompter;
    Database db{&prompter};
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 0))};

    ReportsFixture() { db.open(home.databasePath()); }

    // A code read with a hand-written statement of the test's own.
    qint64 code(const QString& statement, const QString& name) {
        qint64 found = -1;
        db.query(sql::format(statement, name), [&found](const Row& row) {
            found = row.numberAt(0);
            return false;
        });
        return found;
    }
    qint64 department(const QString& name) {
        return code(QStringLiteral("select dep_code from dep where dep_name='%s'"), name);
    }
    qint64 level(const QString& name) {
        return code(QStringLiteral("select sort_code from sort where sort_name='%s'"), name);
    }
    qint64 province(const QString& name) {
        return code(QStringLiteral("select province_code from province where province_name='%s'"),
                    name);
    }
    qint64 duty(const QString& name) {
        return code(QStringLiteral("select duty_code from duty where duty_name='%s'"), name);
    }
    qint64 business(const QString& name) {
        return code(QStringLiteral("select business_code from business where business_name='%s'"),
                    name);
    }
    qint64 docsort(const QString& name) {
        return code(QStringLiteral("select docsort_code from docsort where docsort_name='%s'"),
                    name);
    }

    qint64 addUser(const QString& name, qint64 departmentCode) {
        RowWriter w(db, QStringLiteral("userlogin"));
        w.set(QStringLiteral("user_name"), name);
        w.set(QStringLiteral("user_pwd"), QStringLiteral("00000000000000000000000000000000"));
        w.set(QStringLiteral("user_dep_code"), departmentCode);
        w.set(QStringLiteral("user_dep_mng"), QStringLiteral("0"));
        w.set(QStringLiteral("user_grade"), 0);
        return w.save() ? w.newKey() : -1;
    }

    // A live contact of the administrator with an empty post and level unless
    // fields say otherwise (column -> value).
    qint64 addContact(const QString& name, const QMap<QString, QVariant>& fields = {}) {
        RowWriter w(db, QStringLiteral("base"));
        QMap<QString, QVariant> all{{QStringLiteral("base_name"), name},
                                    {QStringLiteral("base_user_code"), 1},
                                    {QStringLiteral("base_user_dep_code"), 1},
                                    {QStringLiteral("base_invalid_flag"), 1},
                                    {QStringLiteral("work_duty_code"), duty(QString())},
                                    {QStringLiteral("base_sort_code"), level(QString())},
                                    {QStringLiteral("base_province_code"), province(QString())}};
        for (auto it = fields.begin(); it != fields.end(); ++it)
            all.insert(it.key(), it.value());
        for (auto it = all.begin(); it != all.end(); ++it) {
            if (it.value().typeId() == QMetaType::QString)
                w.set(it.key(), it.value().toString());
            else
                w.set(it.key(), it.value().toLongLong());
        }
        return w.save() ? w.newKey() : -1;
    }

    // An interaction on year/month/day with the given texts (column -> value).
    qint64 addInteraction(qint64 contact, const QString& year, const QString& month,
                          const QString& day, const QMap<QString, QString>& fields = {}) {
        RowWriter w(db, QStringLiteral("comm"));
        w.set(QStringLiteral("comm_base_code"), contact);
        w.set(QStringLiteral("comm_year"), year);
        w.set(QStringLiteral("comm_month"), month);
        w.set(QStringLiteral("comm_day"), day);
        w.set(QStringLiteral("comm_date"), year + u'-' + month + u'-' + day);
        w.set(QStringLiteral("comm_business_code"), business(QStringLiteral("拜访")));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            w.set(it.key(), it.value());
        return w.save() ? w.newKey() : -1;
    }

    qint64 addDocument(qint64 contact, const QString& category, const QString& title,
                       const QString& keyword, const QString& file) {
        RowWriter w(db, QStringLiteral("doc"));
        w.set(QStringLiteral("doc_base_code"), contact);
        w.set(QStringLiteral("doc_docsort_code"), docsort(category));
        w.set(QStringLiteral("doc_title"), title);
        w.set(QStringLiteral("doc_keyword"), keyword);
        w.set(QStringLiteral("doc_filename"), file);
        return w.save() ? w.newKey() : -1;
    }
};
