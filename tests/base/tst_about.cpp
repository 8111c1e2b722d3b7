// SPDX-License-Identifier: GPL-3.0-or-later
// The About box names what a user or a packager looks for: the release, the
// licence and the home page the build was configured with.
#include "base/AboutText.h"

#include <QTest>

class TestAbout : public QObject {
    Q_OBJECT

  private slots:
    void namesReleaseLicenceAndHomepage() {
        const QString text = app::aboutText();
        QVERIFY2(text.contains(QStringLiteral("版本 " MAVOR_TEST_VERSION)), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("GPL-3.0-or-later")));
        QVERIFY2(text.contains(QStringLiteral("主页: " MAVOR_TEST_HOMEPAGE)), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestAbout)
#include "tst_about.moc"
