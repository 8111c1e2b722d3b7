#include "users/PasswordCodec.h"

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
    void decodeRefusesWhatIsNotHex();
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

void TestPassword::decodeRefusesWhatIsNotHex() {
    QVERIFY(!password::decode(""));
    QVERIFY(!password::decode("admin888"));
    QVERIFY(!password::decode("zz257d73bd30dd12ae2cce4d02bfb8ca"));
    QVERIFY(!password::decode("d5257d73bd30dd12ae2cce4d02bfb8ca0"));
}

QTEST_GUILESS_MAIN(TestPassword)
#include "tst_password.moc"
