#include "app/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject {
    Q_OBJECT

  private slots:
    void createdWithDefaultContentForOwnerOnly();
    void existingFileIsLeftAlone();
    void readsTrimAndFallBack();
    void writesKeepOtherLines();
    void writesAddMissingKeysAndSections();
    void unwritablePlaceGivesDefaults();

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

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
