// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every byte of a literal, NULs included.
template <qsizetype N> QByteArray bytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

  private slots:
    void createdWithDefaultContentForOwnerOnly();
    void existingFileIsLeftAlone();
    void readsTrimAndFallBack();
    void writesKeepOtherLines();
    void writesAddMissingKeysAndSections();
    void unwritablePlaceGivesDefaults();
    void damagedFileReads_data();
    void damagedFileReads();
    void writeKeepsDamagedLinesAsTheyStood();

  private:
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& content) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
};

void TestSettings::createdWithDefaultContentForOwnerOnly() {
    QTemporaryDir dir;
    const QString path = dir.filePath("mavor.ini");
    Settings settings(path);
    QVERIFY(settings.ensureExists());
    QCOMPARE(read(path),
             QByteArray("[Settings]\r\nUserName=\r\nPassword=\r\nAutoLogin=0\r\nDay=60\r\n"));
    QCOMPARE(QFile::permissions(path) &
                 (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
    QCOMPARE(settings.value("Day"), QStringLiteral("60"));
    QCOMPARE(settings.value("UserName", "x"), QString(""));
}

void TestSettings::existingFileIsLeftAlone() {
    QTemporaryDir dir;
    const QString path = dir.filePath("mavor.ini");
    const QByteArray mine = "[Settings]\nDay=30\n; mine\n";
    write(path, mine);
    Settings settings(path);
    QVERIFY(settings.ensureExists());
    QCOMPARE(read(path), mine);
    QCOMPARE(settings.value("Day"), QStringLiteral("30"));
}

void TestSettings::readsTrimAndFallBack() {
    QTemporaryDir dir;
    const QString path = dir.filePath("mavor.ini");
    write(path, "[Other]\r\nUserName=wrong\r\n[ settings ]\r\n  UserName =  张三  \r\nDay=\r\n");
    Settings settings(path);
    QCOMPARE(settings.value("UserName"), QStringLiteral("张三"));
    QCOMPARE(settings.value("username"), QStringLiteral("张三"));
    QCOMPARE(settings.value("Day", "60"), QString(""));
    QCOMPARE(settings.value("Password", "none"), QStringLiteral("none"));
}

void TestSettings::writesKeepOtherLines() {
    QTemporaryDir dir;
    const QString path = dir.filePath("mavor.ini");
    Settings settings(path);
    QVERIFY(settings.ensureExists());
    QVERIFY(settings.setValue("UserName", QStringLiteral("O'Neil 王")));
    QVERIFY(settings.setValue("Password", "0123456789abcdef0123456789abcdef"));
    QCOMPARE(read(path), QByteArray("[Settings]\r\nUserName=O'Neil 王\r\n"
                                    "Password=0123456789abcdef0123456789abcdef\r\n"
                                    "AutoLogin=0\r\nDay=60\r\n"));
    QVERIFY(settings.setValue("UserName", ""));
    QCOMPARE(settings.value("UserName", "x"), QString(""));
    QCOMPARE(settings.value("Day"), QStringLiteral("60"));
    QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther),
             QFile::Permissions());
}

void TestSettings::writesAddMissingKeysAndSections() {
    QTemporaryDir dir;
    const QString path = dir.filePath("mavor.ini");
    write(path, "[Settings]\nDay=60\n\n[Window]\nx=1\n");
    Settings settings(path);
    QVERIFY(settings.setValue("UserName", "admin"));
    QCOMPARE(read(path), QByteArray("[Settings]\nDay=60\nUserName=admin\n\n[Window]\nx=1\n"));

    const QString other = dir.filePath("other.ini");
    write(other, "; nothing here\r\n");
    Settings second(other);
    QVERIFY(second.setValue("Day", "30"));
    QCOMPARE(read(other), QByteArray("; nothing here\r\n[Settings]\r\nDay=30\r\n"));
    QCOMPARE(second.value("Day"), QStringLiteral("30"));
}

void TestSettings::unwritablePlaceGivesDefaults() {
    Settings settings("/nonexistent-directory/mavor.ini");
    QVERIFY(!settings.ensureExists());
    QCOMPARE(settings.value("Day", "60"), QStringLiteral("60"));
    QVERIFY(!settings.setValue("Day", "1"));
}

void TestSettings::damagedFileReads_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("values"); // UserName, Password, Day; "-" is the fallback

    const QByteArray mb(1024 * 1024, 'x');
    QTest::newRow("empty values") << QByteArray("[Settings]\r\nUserName=\r\nPassword=\r\nDay=\r\n")
                                  << QStringList{"", "", ""};
    QTest::newRow("empty file") << QByteArray() << QStringList{"-", "-", "-"};
    QTest::newRow("one megabyte line")
        << QByteArray("[Settings]\r\nUserName=" + mb + "\r\nDay=30\r\n")
        << QStringList{QString::fromLatin1(mb), "-", "30"};
    QTest::newRow("NUL ends a value")
        << bytes("[Settings]\nUserName=adm\0in\nPassword=\0\0\0\nDay=6\0"
                 "0\n")
        << QStringList{"adm", "", "6"};
    QTest::newRow("bytes that are not UTF-8")
        << QByteArray("[Settings]\r\nUserName=\xff\xfe\xc3(\r\nPassword=\x80"
                      "abc\r\n")
        << QStringList{"\ufffd\ufffd\ufffd(", "\ufffdabc", "-"};
    QTest::newRow("no [Settings] section")
        << QByteArray("UserName=admin\r\nDay=30\r\n[Other]\r\nDay=1\r\n")
        << QStringList{"-", "-", "-"};
    QTest::newRow("duplicated keys: the first counts")
        << QByteArray("[Settings]\nUserName=first\nUserName=second\nDAY=7\nDay=8\n")
        << QStringList{"first", "-", "7"};
    QTest::newRow("duplicated sections read in order")
        << QByteArray("[Settings]\nDay=7\n[Settings]\nUserName=later\nDay=8\n")
        << QStringList{"later", "-", "7"};
    QTest::newRow("binary garbage")
        << bytes("\x00\x01\x02=\xff[\x00]\n\x1b\x7f") << QStringList{"-", "-", "-"};
}

// A hand-edited or damaged file never stops a read: every key gives its value
// or the fallback.
void TestSettings::damagedFileReads() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, values);
    QTemporaryDir dir;
    const QString path = dir.filePath("mavor.ini");
    write(path, content);
    Settings settings(path);
    QVERIFY(settings.ensureExists());
    QCOMPARE(read(path), content);
    QCOMPARE(settings.value("UserName", "-"), values[0]);
    QCOMPARE(settings.value("Password", "-"), values[1]);
    QCOMPARE(settings.value("Day", "-"), values[2]);

    // A write into the damaged file is read back, and the other keys keep their values.
    QVERIFY(settings.setValue("UserName", QStringLiteral("管理员")));
    QCOMPARE(settings.value("UserName", "-"), QStringLiteral("管理员"));
    QCOMPARE(settings.value("Password", "-"), values[1]);
    QCOMPARE(settings.value("Day", "-"), values[2]);
}

// Lines the program does not write stay byte for byte as they were, even when
// they are not text.
void TestSettings::writeKeepsDamagedLinesAsTheyStood() {
    QTemporaryDir dir;
    const QString path = dir.filePath("mavor.ini");
    const QByteArray before = bytes("[Settings]\r\nUserName=\xd5\xc5\xc8\xfd\r\nPassword=\r\n"
                                    "; \xff\x00\x80 note\r\nDay=60\r\n");
    write(path, before);
    Settings settings(path);
    QVERIFY(settings.setValue("Password", "0123456789abcdef0123456789abcdef"));
    QByteArray expected = before;
    expected.replace("Password=\r\n", "Password=0123456789abcdef0123456789abcdef\r\n");
    QCOMPARE(read(path), expected);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
