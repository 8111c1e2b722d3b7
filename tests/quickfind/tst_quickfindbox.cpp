// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "quickfind/CQuickFindBox.h"
#include "support/TestHome.h"

#include <QListWidget>
#include <QTest>

// The box reads the keys on a thread of its own: what is typed before they
// are read, and what is saved after, is found all the same.
class TestQuickFindBox : public QObject {
    Q_OBJECT

  private slots:
    void findsWhileAndAfterReading() {
        TestHome home;
        Database db;
        QVERIFY(db.open(home.databasePath()));
        QVERIFY(db.execute(sql::format("insert into base (base_name,base_invalid_flag,"
                                       "work_duty_code) values ('%s',1,1)",
                                       QStringLiteral("张三"))));
        CQuickFindBox box(db);
        // The reading starts with the event loop; typed at once, the box waits for it.
        QCoreApplication::processEvents();
        box.setText(QStringLiteral("zs"));
        box.search();
        QCOMPARE(box.popup()->count(), 2); // 张三 and "show all"
        // Saved through the window's connection after the keys were read elsewhere.
        QVERIFY(db.execute(sql::format("insert into base (base_name,base_invalid_flag,"
                                       "work_duty_code) values ('%s',1,1)",
                                       QStringLiteral("张思"))));
        QCoreApplication::processEvents();
        box.search();
        QCOMPARE(box.popup()->count(), 3);
    }
};

QTEST_MAIN(TestQuickFindBox)
#include "tst_quickfindbox.moc"
