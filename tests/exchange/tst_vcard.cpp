// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/PartialDate.h"
#include "exchange/VCardParser.h"
#include "exchange/VCardSource.h"
#include "exchange/VCardText.h"
#include "exchange/VCardWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace exchange;

namespace {

QString data(const QString& name) {
    return QStringLiteral(EXCHANGE_DATA "/") + name;
}

// The relation categories of the delivered database that the tests name.
bool isRelation(const QString& name) {
    return QStringList{"朋友", "同学", "客户"}.contains(name);
}

QList<IncomingContact> readAll(const QString& path, QString* error = nullptr) {
    VCardSource source(path, isRelation);
    QList<IncomingContact> out;
    IncomingContact c;
    while (source.next(c))
        out << c;
    if (error)
        *error = source.error();
    return out;
}

QList<IncomingContact> readText(const QByteArray& text) {
    QTemporaryDir dir;
    QFile file(dir.filePath("t.vcf"));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    file.close();
    return readAll(file.fileName());
}

} // namespace

class TestVCard : public QObject {
    Q_OBJECT

  private slots:
    void realFiles_data();
    void realFiles();
    void leftOutPartsAreSaid();
    void cardsWithoutEndAreRefusedAlone();
    void lineRules_data();
    void lineRules();
    void vcardDates_data();
    void vcardDates();
    void looseDates_data();
    void looseDates();
    void writtenCardReadsBack_data();
    void writtenCardReadsBack();
    void lunarBirthdayIsNoGregorianOne();
    void writtenLinesAreFolded();
    void binaryDataEndsTheFile();
    void hugeFileWithOneEndlessLine();
    void oversizedCardsAreRefusedAlone_data();
    void oversizedCardsAreRefusedAlone();
};

void TestVCard::realFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("card");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* file, int card, int line, const char* column, const QString& value) {
        QTest::addRow("%s #%d %s", file, card, column)
            << QString::fromLatin1(file) << card << line << QString::fromLatin1(column) << value;
    };
    // An Android phone's 2.1 export: quoted-printable UTF-8, bare TYPE parameters,
    // a soft line break in the note, a photo, then an old phone's GBK card.
    const char* a = "android-21.vcf";
    row(a, 0, 1, "base_name", "张三");
    row(a, 0, 1, "base_mobil", "138-0013-8000");
    row(a, 0, 1, "work_phone", "010-88886666");
    row(a, 0, 1, "home_phone", "010-66668888");
    row(a, 0, 1, "base_phone", "139 0000 1111"); // the second mobile number
    row(a, 0, 1, "base_email", "zhangsan@example.cn");
    row(a, 0, 1, "work_name", "星辰科技");
    row(a, 0, 1, "work_branch_name", "销售部");
    row(a, 0, 1, "work_duty_code", "经理");
    row(a, 0, 1, "base_experience",
        "第一行备注\n第二行: 客户来自杭州, 喜欢龙井茶, 每年春天去杭州出差一次");
    row(a, 0, 1, "base_year", "1985");
    row(a, 0, 1, "base_month", "04");
    row(a, 0, 1, "base_day", "12");
    row(a, 0, 1, "work_address", "人民路1号");
    row(a, 0, 1, "work_city", "广州");
    row(a, 0, 1, "work_province_code", "广东");
    row(a, 0, 1, "work_zip", "510000");
    row(a, 1, 27, "base_name", "Lucy");
    row(a, 1, 27, "base_mobil", "+86 186 0000 2222");
    row(a, 1, 27, "base_email", "LUCY@Example.COM");
    row(a, 2, 34, "base_name", "欧阳娜娜");
    row(a, 2, 34, "base_mobil", "13512345678");
    row(a, 2, 34, "work_fax", "020-12345678");
    row(a, 2, 34, "work_name", "岭南出版社");
    // An iPhone's 3.0 export: grouped properties with labels, a birthday
    // without a year, a note folded inside a character, a photo.
    const char* i = "apple-30.vcf";
    row(i, 0, 1, "base_name", "李四");
    row(i, 0, 1, "work_name", "红旗制造有限公司");
    row(i, 0, 1, "work_branch_name", "研发中心");
    row(i, 0, 1, "work_duty_code", "总工程师");
    row(i, 0, 1, "base_email", "si.li@hongqi.example.com");
    row(i, 0, 1, "base_mobil", "+86 139 1234 5678");
    row(i, 0, 1, "work_phone", "0755-2345 6789");
    row(i, 0, 1, "base_phone", "400-800-1234");
    row(i, 0, 1, "home_address", "科技园南路 8 号");
    row(i, 0, 1, "base_city", "深圳");
    row(i, 0, 1, "base_province_code", "广东");
    row(i, 0, 1, "base_experience", "喜欢喝茶, 不喝酒\n周末常打羽毛球; 一起去过黄山");
    row(i, 0, 1, "work_website", "https://hongqi.example.com");
    row(i, 0, 1, "base_year", "");
    row(i, 0, 1, "base_month", "11");
    row(i, 0, 1, "base_day", "03");
    row(i, 0, 1, "home_name", "王芳");
    row(i, 0, 1, "home_marryyear", "2010");
    row(i, 0, 1, "home_marrymonth", "10");
    row(i, 0, 1, "home_marryday", "01");
    // The examples of RFC 2426, folded where the RFC folds them.
    const char* r3 = "rfc2426-30.vcf";
    row(r3, 0, 1, "base_name", "Frank Dawson");
    row(r3, 0, 1, "work_name", "Lotus Development Corporation");
    row(r3, 0, 1, "work_address", "6544 Battleford Drive");
    row(r3, 0, 1, "work_city", "Raleigh");
    row(r3, 0, 1, "work_province_code", "NC");
    row(r3, 0, 1, "work_zip", "27613-3502");
    row(r3, 0, 1, "work_phone", "+1-919-676-9515");
    row(r3, 0, 1, "work_fax", "+1-919-676-9564");
    row(r3, 0, 1, "base_email", "Frank_Dawson@Lotus.com");
    row(r3, 0, 1, "base_contact", "fdawson@earthlink.net");
    row(r3, 0, 1, "work_website", "http://home.earthlink.net/~fdawson");
    row(r3, 1, 15, "base_name", "Tim Howes");
    row(r3, 1, 15, "work_city", "Mountain View");
    row(r3, 1, 15, "work_province_code", "CA");
    row(r3, 1, 15, "work_zip", " 94043");
    row(r3, 1, 15, "base_email", "howes@netscape.com");
    // The example of RFC 6350 and a Chinese 4.0 card with LF line ends.
    const char* r4 = "rfc6350-40.vcf";
    row(r4, 0, 1, "base_name", "Simon Perreault");
    row(r4, 0, 1, "base_year", "");
    row(r4, 0, 1, "base_month", "02");
    row(r4, 0, 1, "base_day", "03");
    row(r4, 0, 1, "home_marryyear", "2009");
    row(r4, 0, 1, "home_marrymonth", "08");
    row(r4, 0, 1, "home_marryday", "08");
    row(r4, 0, 1, "base_sex", "男");
    row(r4, 0, 1, "work_name", "Viagenie");
    row(r4, 0, 1, "work_address", "2875 Laurier Suite D2-630");
    row(r4, 0, 1, "work_city", "Quebec");
    row(r4, 0, 1, "work_zip", "G1V 2M2");
    row(r4, 0, 1, "work_phone", "+1-418-656-9254;ext=102");
    row(r4, 0, 1, "base_mobil", "+1-418-262-6501");
    row(r4, 0, 1, "base_email", "simon.perreault@viagenie.ca");
    row(r4, 0, 1, "work_website", "http://nomis80.org");
    row(r4, 1, 22, "base_name", "陈静");
    row(r4, 1, 22, "base_sex", "女");
    row(r4, 1, 22, "base_month", "12");
    row(r4, 1, 22, "base_day", "25");
    row(r4, 1, 22, "base_mobil", "+86-137-0000-3333");
    row(r4, 1, 22, "home_phone", "020-87654321");
    row(r4, 1, 22, "work_name", "南方日报社");
    row(r4, 1, 22, "work_branch_name", "新闻部 要闻组");
    row(r4, 1, 22, "work_duty_code", "主任");
    row(r4, 1, 22, "work_charge", "负责采访两会");
    row(r4, 1, 22, "home_address", "天河路 200 号, 3 栋");
    row(r4, 1, 22, "base_city", "广州");
    row(r4, 1, 22, "base_province_code", "广东省");
    row(r4, 1, 22, "home_name", "刘强");
    row(r4, 1, 22, "base_type_code", "朋友");
    row(r4, 1, 22, "base_experience", "第一行\n第二行,有逗号;有分号");
}

void TestVCard::realFiles() {
    QFETCH(QString, file);
    QFETCH(int, card);
    QFETCH(int, line);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    QString error;
    const QList<IncomingContact> contacts = readAll(data(file), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(card < contacts.size());
    const IncomingContact& c = contacts.at(card);
    QCOMPARE(c.refusal, QString());
    QCOMPARE(c.line, line);
    QCOMPARE(c.record.value(column), expected);
}

// What a card holds that no field takes is said, not dropped silently.
void TestVCard::leftOutPartsAreSaid() {
    auto notesOf = [](const QString& file, int card) {
        return readAll(data(file)).value(card).notes.join(u'|');
    };
    // An iPhone's home address: the postal code has no field; China goes without saying.
    QCOMPARE(notesOf("apple-30.vcf", 0),
             QStringLiteral("地址中的邮编“518057”没有对应的字段, 未导入"));
    // RFC 2426: a work address keeps its postal code; the country is said.
    QCOMPARE(notesOf("rfc2426-30.vcf", 0),
             QStringLiteral("地址中的国家“U.S.A.”没有对应的字段, 未导入"));
    QVERIFY(notesOf("android-21.vcf", 0).isEmpty());
    const QList<IncomingContact> two = readText("BEGIN:VCARD\r\nFN:A\r\nURL:http://a\r\n"
                                                "URL:http://b\r\nADR;TYPE=work:;;x;;;;\r\n"
                                                "ADR;TYPE=work:;;y;;;;\r\nEND:VCARD\r\n");
    QCOMPARE(two[0].record.value("work_website"), QStringLiteral("http://a"));
    QCOMPARE(two[0].record.value("work_address"), QStringLiteral("x"));
    QCOMPARE(two[0].notes.size(), 2);
    QVERIFY(two[0].notes.join(u'|').contains(u"http://b"));
    QVERIFY(two[0].notes.join(u'|').contains(u"“y”"));
}

void TestVCard::cardsWithoutEndAreRefusedAlone() {
    QString error;
    const QList<IncomingContact> contacts = readAll(data("missing-end.vcf"), &error);
    QCOMPARE(error, QString());
    QCOMPARE(contacts.size(), 3);
    QCOMPARE(contacts[0].line, 1);
    QCOMPARE(contacts[0].refusal, QStringLiteral("缺少 END:VCARD"));
    QCOMPARE(contacts[1].line, 5);
    QCOMPARE(contacts[1].refusal, QString());
    QCOMPARE(contacts[1].record.value("base_name"), QStringLiteral("Second Card"));
    QCOMPARE(contacts[2].line, 10);
    QCOMPARE(contacts[2].refusal, QStringLiteral("缺少 END:VCARD"));

    // A file with no card at all is not a contact file.
    readAll(data("empty.vcf"), &error);
    QVERIFY(!error.isEmpty());
}

// One card made of the given lines; the value read for a column.
void TestVCard::lineRules_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fold with blank") << QByteArray("FN:Zhang\r\n  San\r\n") << "base_name"
                                     << "Zhang San";
    QTest::newRow("fold with tab") << QByteArray("NOTE:ab\r\n\tcd\r\n") << "base_experience"
                                   << "abcd";
    QTest::newRow("fold inside a UTF-8 character")
        << QByteArray("NOTE:\xE4\xB8\r\n \xAD\xE6\x96\x87\r\n") << "base_experience"
        << "中文";
    QTest::newRow("LF line ends") << QByteArray("NOTE:x\n y\n") << "base_experience"
                                  << "xy";
    QTest::newRow("QP soft break mid-character")
        << QByteArray("NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:=E4=B8=\r\n=AD=E6=96=87\r\n")
        << "base_experience"
        << "中文";
    QTest::newRow("QP bare parameter and CRLF inside")
        << QByteArray("NOTE;QUOTED-PRINTABLE:line1=0D=0Aline2\r\n") << "base_experience"
        << "line1\nline2";
    QTest::newRow("charset GBK bytes")
        << QByteArray("NOTE;CHARSET=GBK:\xD6\xD0\xCE\xC4\r\n") << "base_experience"
        << "中文";
    QTest::newRow("no charset, GBK bytes")
        << QByteArray("NOTE:\xD6\xD0\xCE\xC4\r\n") << "base_experience"
        << "中文";
    QTest::newRow("escapes") << QByteArray("NOTE:a\\,b\\;c\\\\d\\ne\\Nf\r\n") << "base_experience"
                             << "a,b;c\\d\ne\nf";
    QTest::newRow("structured with escaped semicolon")
        << QByteArray("ORG:A\\;B;Sales\r\n") << "work_name"
        << "A;B";
    QTest::newRow("lower-case names and types")
        << QByteArray("tel;type=cell:123\r\n") << "base_mobil"
        << "123";
    QTest::newRow("2.1 fax without work") << QByteArray("TEL;FAX:456\r\n") << "work_fax"
                                          << "456";
    QTest::newRow("quoted parameter with colon")
        << QByteArray("TEL;TYPE=\"work,voice\";X-LABEL=\"a:b\":789\r\n") << "work_phone"
        << "789";
    QTest::newRow("base64 value passed over")
        << QByteArray("NOTE;ENCODING=b:SGVsbG8=\r\n NOTE:x\r\n") << "base_experience"
        << "";
    QTest::newRow("blank line inside") << QByteArray("\r\nNOTE:kept\r\n") << "base_experience"
                                       << "kept";
    QTest::newRow("line without colon")
        << QByteArray("garbage\r\nNOTE:kept\r\n") << "base_experience"
        << "kept";
    QTest::newRow("extension of this program")
        << QByteArray("X-MAVOR-WORK-SALARY:8000\\,面议\r\n") << "work_salary"
        << "8000,面议";
    QTest::newRow("extension of no field") << QByteArray("X-MAVOR-NOTHING:1\r\n") << "nothing"
                                           << "";
    QTest::newRow("name from N, western")
        << QByteArray("N:Smith;John;Quincy;Dr.;\r\n") << "base_name"
        << "John Quincy Smith";
}

void TestVCard::lineRules() {
    QFETCH(QByteArray, lines);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    if (!lines.contains("FN:") && !lines.startsWith("N:"))
        text += "FN:Someone\r\n";
    text += lines + "END:VCARD\r\n";
    const QList<IncomingContact> contacts = readText(text);
    QCOMPARE(contacts.size(), 1);
    QCOMPARE(contacts[0].refusal, QString());
    QCOMPARE(contacts[0].record.value(column), expected);
}

void TestVCard::vcardDates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::newRow("basic") << "19850412" << true << "1985"
                           << "04"
                           << "12";
    QTest::newRow("extended") << "1985-04-12" << true << "1985"
                              << "04"
                              << "12";
    QTest::newRow("short parts") << "1985-4-2" << true << "1985"
                                 << "04"
                                 << "02";
    QTest::newRow("with time") << "1985-04-12T10:00:00Z" << true << "1985"
                               << "04"
                               << "12";
    QTest::newRow("year and month") << "1985-04" << true << "1985"
                                    << "04"
                                    << "";
    QTest::newRow("year") << "1985" << true << "1985"
                          << ""
                          << "";
    QTest::newRow("month and day") << "--0412" << true << ""
                                   << "04"
                                   << "12";
    QTest::newRow("month and day, dashed") << "--04-12" << true << ""
                                           << "04"
                                           << "12";
    QTest::newRow("month") << "--04" << true << ""
                           << "04"
                           << "";
    QTest::newRow("day") << "---12" << true << ""
                         << ""
                         << "12";
    QTest::newRow("Apple's no year") << "1604-11-03" << true << ""
                                     << "11"
                                     << "03";
    QTest::newRow("empty") << "" << true << ""
                           << ""
                           << "";
    QTest::newRow("month 13") << "19851312" << false << ""
                              << ""
                              << "";
    QTest::newRow("day 32") << "1985-01-32" << false << ""
                            << ""
                            << "";
    QTest::newRow("words") << "April 12" << false << ""
                           << ""
                           << "";
}

void TestVCard::vcardDates() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const auto d = parseVCardDate(text);
    QCOMPARE(bool(d), valid);
    if (!valid)
        return;
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QCOMPARE(d->year, year);
    QCOMPARE(d->month, month);
    QCOMPARE(d->day, day);
    // What is read is written in a form that reads the same, whenever vCard has one.
    if (const auto written = vcardDate(*d))
        QCOMPARE(parseVCardDate(*written), d);
}

void TestVCard::looseDates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // year-month-day, or "invalid"
    QTest::newRow("iso") << "1979-06-01"
                         << "1979-06-01";
    QTest::newRow("slashes") << "1979/6/1"
                             << "1979-06-01";
    QTest::newRow("dots") << "1979.6.1"
                          << "1979-06-01";
    QTest::newRow("chinese") << "1990年12月5日"
                             << "1990-12-05";
    QTest::newRow("chinese year and month") << "1990年12月"
                                            << "1990-12-";
    QTest::newRow("chinese year") << "1990年"
                                  << "1990--";
    QTest::newRow("chinese month and day") << "12月5日"
                                           << "-12-05";
    QTest::newRow("own form, no year") << "-04-12"
                                       << "-04-12";
    QTest::newRow("own form, year") << "1985--"
                                    << "1985--";
    QTest::newRow("own form, day") << "--12"
                                   << "--12";
    QTest::newRow("own form, year and day") << "1985--12"
                                            << "1985--12";
    QTest::newRow("vcard basic") << "19850412"
                                 << "1985-04-12";
    QTest::newRow("vcard month and day") << "--0412"
                                         << "-04-12";
    QTest::newRow("blank") << "  "
                           << "";
    QTest::newRow("american") << "4/12/1985"
                              << "invalid";
    // A mail program's order shows when one number is past 12; it writes
    // "0/0/00" for no date.
    QTest::newRow("month/day/year") << "5/20/1970"
                                    << "1970-05-20";
    QTest::newRow("day/month/year") << "20/5/1970"
                                    << "1970-05-20";
    QTest::newRow("no date") << "0/0/00"
                             << "";
    QTest::newRow("text") << "明年"
                          << "invalid";
}

void TestVCard::looseDates() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const auto d = parseLooseDate(text);
    if (expected == u"invalid") {
        QVERIFY(!d);
        return;
    }
    QVERIFY(d);
    QCOMPARE(sheetDate(*d), expected);
    QCOMPARE(parseLooseDate(sheetDate(*d)), d);
}

// What the writer puts out, the reader takes back: each field on its own, with
// the texts that are hard for the format.
void TestVCard::writtenCardReadsBack_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    const QString hard = QStringLiteral("逗号,分号;反斜杠\\冒号:\n换行 \"引号\" 😀");
    for (const char* column :
         {"base_mobil",      "base_phone",   "work_phone",       "work_fax",         "home_phone",
          "base_email",      "work_name",    "work_branch_name", "work_duty_code",   "work_charge",
          "work_address",    "work_city",    "work_zip",         "home_address",     "base_city",
          "base_experience", "work_website", "home_name",        "base_contact",     "work_salary",
          "society_hobby",   "extend_hope",  "home_child_name",  "work_leader_mobil"})
        QTest::addRow("%s", column) << QString::fromLatin1(column) << hard;
    QTest::newRow("blank-edged mobile") << "base_mobil"
                                        << " 138 ";
    QTest::newRow("blank-edged e-mail") << "base_email"
                                        << " a@b.cn";
    QTest::newRow("blank unit department") << "work_branch_name"
                                           << "  ";
    QTest::newRow("sex") << "base_sex"
                         << "女";
    QTest::newRow("sex not in the list") << "base_sex"
                                         << "其他";
    QTest::newRow("relation") << "base_type_code"
                              << "某个类别";
    QTest::newRow("level") << "base_sort_code"
                           << "A级-核心";
    QTest::newRow("province") << "base_province_code"
                              << "广东省";
    QTest::newRow("unit province") << "work_province_code"
                                   << "上海市";
}

void TestVCard::writtenCardReadsBack() {
    QFETCH(QString, column);
    QFETCH(QString, value);
    ContactRecord r;
    r.setValue("base_name", QStringLiteral("测试"));
    r.setValue(column, value);
    // A street beside the city and province keeps the address apart from the street.
    if (column == u"work_city" || column == u"work_zip" || column == u"work_province_code")
        r.setValue("work_address", "街");
    if (column == u"base_city" || column == u"base_province_code")
        r.setValue("home_address", "街");
    const QList<IncomingContact> back = readText(VCardWriter::card(r));
    QCOMPARE(back.size(), 1);
    QCOMPARE(back[0].record.value(column), value);
    QCOMPARE(back[0].record.value("base_name"), QStringLiteral("测试"));
}

// 八月十五 of 1960 (the lunar tick set) must not reach other programs as
// 15 August; the card still brings it back whole.
void TestVCard::lunarBirthdayIsNoGregorianOne() {
    ContactRecord r;
    r.setValue("base_name", QStringLiteral("测试"));
    r.setValue("base_year", "1960");
    r.setValue("base_month", "08");
    r.setValue("base_day", "15");
    r.setValue("base_lunar", "1");
    const QByteArray card = VCardWriter::card(r);
    QVERIFY2(!card.contains("BDAY"), card.constData());
    const QList<IncomingContact> back = readText(card);
    QCOMPARE(back.size(), 1);
    for (const char* column : {"base_year", "base_month", "base_day", "base_lunar"})
        QCOMPARE(back[0].record.value(column), r.value(column));

    r.setValue("base_lunar", "");
    QVERIFY(VCardWriter::card(r).contains("BDAY:19600815"));
}

void TestVCard::writtenLinesAreFolded() {
    ContactRecord r;
    r.setValue("base_name", QStringLiteral("王"));
    r.setValue("base_experience", QString(400, QChar(0x4E2D)) + QStringLiteral("😀😀😀"));
    const QByteArray card = VCardWriter::card(r);
    QVERIFY(card.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\n"));
    for (const QByteArray& line : card.split('\n')) {
        QVERIFY2(line.size() <= 76, line.constData()); // 75 octets and the CR
        // Never a broken UTF-8 sequence on a line of its own.
        QVERIFY(QString::fromUtf8(line).toUtf8() == line);
    }
    QCOMPARE(readText(card).first().record.value("base_experience"), r.value("base_experience"));
}

void TestVCard::binaryDataEndsTheFile() {
    QByteArray text = "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:B\x00\x01\x02\r\n";
    text += QByteArray(1000, '\0');
    QTemporaryDir dir;
    QFile file(dir.filePath("t.vcf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QString error;
    const QList<IncomingContact> contacts = readAll(file.fileName(), &error);
    QCOMPARE(contacts.size(), 1);
    QVERIFY(error.contains(QStringLiteral("二进制")));
}

// A 100 MB card whose note never ends: read in slices of at most a megabyte,
// refused with its line, and quickly.
void TestVCard::hugeFileWithOneEndlessLine() {
    QTemporaryDir dir;
    QFile file(dir.filePath("huge.vcf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Big\r\nNOTE:");
    const QByteArray slab(1 << 20, 'x');
    for (int i = 0; i < 100; ++i)
        file.write(slab);
    file.write("\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Small\r\nEND:VCARD\r\n");
    file.close();
    QElapsedTimer timer;
    timer.start();
    QString error;
    const QList<IncomingContact> contacts = readAll(file.fileName(), &error);
    qInfo("read 100 MB in %lld ms", timer.elapsed());
    QCOMPARE(error, QString());
    QCOMPARE(contacts.size(), 2);
    QCOMPARE(contacts[0].line, 1);
    QVERIFY(contacts[0].refusal.contains(QStringLiteral("第 4 行")));
    QCOMPARE(contacts[1].record.value("base_name"), QStringLiteral("Small"));
    QCOMPARE(contacts[1].line, 6);
}

// A card past a cap is refused with its reason; the cards around it are read
// as usual. A card right at a cap is still whole.
void TestVCard::oversizedCardsAreRefusedAlone_data() {
    QTest::addColumn<int>("notes");
    QTest::addColumn<int>("noteBytes");
    QTest::addColumn<QString>("refusal");
    // VERSION and FN count among the card's properties.
    const int most = VCardParser::kMaxProperties - 2;
    QTest::newRow("properties at the cap") << most << 1 << QString();
    QTest::newRow("one property too many")
        << most + 1 << 1 << QStringLiteral("名片过大 (超过 5000 项内容)");
    // Lines each well under the line cap that together pass the card's.
    QTest::newRow("bytes past the cap") << 3 << 400000 << QStringLiteral("名片过大 (超过 1 MB)");
}

void TestVCard::oversizedCardsAreRefusedAlone() {
    QFETCH(int, notes);
    QFETCH(int, noteBytes);
    QFETCH(QString, refusal);
    QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Before\r\nEND:VCARD\r\n"
                      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Big\r\n";
    const QByteArray note = "NOTE:" + QByteArray(noteBytes, 'n') + "\r\n";
    for (int i = 0; i < notes; ++i)
        text += note;
    text += "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:After\r\nEND:VCARD\r\n";
    const QList<IncomingContact> contacts = readText(text);
    QCOMPARE(contacts.size(), 3);
    QCOMPARE(contacts[1].line, 5);
    QCOMPARE(contacts[1].refusal, refusal);
    for (int i : {0, 2}) {
        QCOMPARE(contacts[i].refusal, QString());
        QCOMPARE(contacts[i].record.value("base_name"),
                 i ? QStringLiteral("After") : QStringLiteral("Before"));
    }
}

QTEST_GUILESS_MAIN(TestVCard)
#include "tst_vcard.moc"
