// SPDX-License-Identifier: GPL-3.0-or-later
#include "DavServers.h"
#include "carddav/CSyncAccountDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

class TestCardDavGui : public QObject {
    Q_OBJECT

  private slots:
    void anUnverifiedServerIsReachedOnlyByChoice();
};

// The account window finds the books of a server whose certificate no
// authority vouches for only once the person ticks that they trust that
// certificate; the choice is kept with the account and shown when it reopens.
void TestCardDavGui::anUnverifiedServerIsReachedOnlyByChoice() {
    const carddav::Connection c = davtest::connection(davtest::RadicaleTls);
    const QUrl book = [&] {
        carddav::Connection trusting = c;
        trusting.extraAuthorities = davtest::testAuthority();
        return davtest::newBook(trusting);
    }();
    QVERIFY(book.isValid());
    CSyncAccountDlg dialog(SyncAccount{});
    QVERIFY(!dialog.trustBox()->isVisibleTo(&dialog));
    dialog.serverEdit()->setText(c.server.toString());
    dialog.userEdit()->setText(c.user);
    dialog.passwordEdit()->setText(c.password);
    QVERIFY(!dialog.discover());
    QVERIFY2(dialog.status()->text().contains(QStringLiteral("无法验证服务器")),
             qPrintable(dialog.status()->text()));
    QVERIFY(dialog.trustBox()->isVisibleTo(&dialog));
    QVERIFY(!dialog.trustBox()->isChecked());
    QVERIFY(dialog.account().trustedCertificate.isEmpty());

    dialog.trustBox()->setChecked(true);
    QVERIFY2(dialog.discover(), qPrintable(dialog.status()->text()));
    const int at = dialog.books()->findData(book);
    QVERIFY(at >= 0);
    dialog.books()->setCurrentIndex(at);
    const SyncAccount account = dialog.account();
    QCOMPARE(account.book, book);
    const QSslCertificate served =
        QSslCertificate::fromPath(qEnvironmentVariable("MAVOR_DAV_DIR") + "/server.crt").value(0);
    QCOMPARE(account.trustedCertificate,
             QString::fromLatin1(served.digest(QCryptographicHash::Sha256).toHex()));

    CSyncAccountDlg reopened(account);
    QVERIFY(reopened.trustBox()->isVisibleTo(&reopened));
    QVERIFY(reopened.trustBox()->isChecked());
    QVERIFY(reopened.discover());
}

QTEST_MAIN(TestCardDavGui)
#include "tst_carddavgui.moc"
