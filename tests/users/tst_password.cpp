// SPDX-License-Identifier: GPL-3.0-or-later
#include "login/PasswordCodec.h"

#include <QRegularExpression>
#include <QTest>

class TestPassword : public QObject {
    Q_OBJECT

  private slots:
    void roundTrip_data();
    void roundTrip();
    void tooLongOrUnencodableIsRefused_data();
    void tooLongOrUnencodableIsRefused();
    void deliveredAdministratorPassword();
    void decodeRefusesWhatIsNotHex_data();
    void decodeRefusesWhatIsNotHex();
    void anyThirtyTwoHexDigitsDecode();
};

void TestPassword::roundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("one byte") << "a" << 1;
    QTest::newRow("fifteen bytes") << "123456789012345" << 15;
    QTest::newRow("exactly sixteen, no terminator") << "1234567890abcdef" << 16;
    QTest::newRow("chinese, sixteen bytes") << "一二三四五六七八" << 16;
    QTest::newRow("mixed") << "密码a1" << 6;
    QTest::newRow("quote and blank") << "it's me" << 7;
}

void TestPassword::roundTrip() {
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(password::gbkBytes(text)->size(), bytes);
    QVERIFY(password::fits(text));
    const auto encoded = password::encode(text);
    QVERIFY(encoded);
    QVERIFY(QRegularExpression("^[0-9a-f]{32}$").match(*encoded).hasMatch());
    QCOMPARE(password::decode(*encoded), text);
    QCOMPARE(password::encode(text), encoded); // the same key for every run
}

void TestPassword::tooLongOrUnencodableIsRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("seventeen bytes") << "1234567890abcdefg";
    QTest::newRow("nine chinese characters") << "一二三四五六七八九";
    QTest::newRow("emoji has no GBK form") << "😀";
}

void TestPassword::tooLongOrUnencodableIsRefused() {
    QFETCH(QString, text);
    QVERIFY(!password::fits(text));
    QVERIFY(!password::encode(text));
}

void TestPassword::deliveredAdministratorPassword() {
    QCOMPARE(password::encode("admin888"), QStringLiteral("d5257d73bd30dd12ae2cce4d02bfb8ca"));
    QCOMPARE(password::decode("d5257d73bd30dd12ae2cce4d02bfb8ca"), QStringLiteral("admin888"));
    QCOMPARE(password::decode("D5257D73BD30DD12AE2CCE4D02BFB8CA"), QStringLiteral("admin888"));
}

void TestPassword::decodeRefusesWhatIsNotHex_data() {
    QTest::addColumn<QString>("text");
    const QString valid = QStringLiteral("d5257d73bd30dd12ae2cce4d02bfb8ca");
    const auto withAt = [&](int at, QChar c) { return QString(valid).replace(at, 1, c); };
    QTest::newRow("empty") << QString();
    QTest::newRow("clear password") << "admin888";
    QTest::newRow("33 digits") << valid + u'0';
    QTest::newRow("31 digits") << valid.left(31);
    QTest::newRow("letter beyond f") << withAt(0, u'g');
    QTest::newRow("blank") << withAt(5, u' ');
    QTest::newRow("sign") << withAt(31, u'-');
    QTest::newRow("NUL") << withAt(7, QChar(u'\0'));
    // Characters beyond ASCII: digits of other scripts, Latin-1, and the top of the range.
    QTest::newRow("fullwidth digit") << withAt(3, QChar(0xFF10));
    QTest::newRow("fullwidth a") << withAt(3, QChar(0xFF41));
    QTest::newRow("Arabic-Indic digit") << withAt(3, QChar(0x0660));
    QTest::newRow("Latin-1 letter") << withAt(3, QChar(0x00E0));
    QTest::newRow("U+FFFD") << withAt(3, QChar(0xFFFD));
    QTest::newRow("U+FFFF") << withAt(3, QChar(0xFFFF));
    QTest::newRow("32 Chinese characters") << QString(32, QChar(u'字'));
    QTest::newRow("32 replacement characters") << QString(32, QChar(0xFFFD));
}

// Only 32 ASCII hex digits decode; anything else a settings file may hold is refused.
void TestPassword::decodeRefusesWhatIsNotHex() {
    QFETCH(QString, text);
    QVERIFY(!password::decode(text));
}

// 32 hex digits that no encode produced still decode to at most 16 characters
// of some text, never fail or overrun.
void TestPassword::anyThirtyTwoHexDigitsDecode() {
    for (const char* hex : {"00000000000000000000000000000000", "ffffffffffffffffffffffffffffffff",
                            "0123456789abcdefFEDCBA9876543210"}) {
        const auto text = password::decode(QString::fromLatin1(hex));
        QVERIFY(text);
        QVERIFY(text->size() <= 16);
        QVERIFY(!text->contains(QChar(u'\0')));
    }
}

QTEST_GUILESS_MAIN(TestPassword)
#include "tst_password.moc"
