// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Settings.h"
#include "exchange/CsvMapping.h"
#include "exchange/CsvParser.h"
#include "exchange/CsvSource.h"
#include "exchange/ImportFile.h"
#include "exchange/ImportTargets.h"
#include "exchange/TextEncoding.h"
#include "support/ContactFieldOracle.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace exchange;

namespace {

QString data(const QString& name) {
    return QStringLiteral(EXCHANGE_DATA "/") + name;
}

QList<CsvRow> parse(const QByteArray& bytes, Encoding encoding = Encoding::Utf8,
                    QChar separator = u',', QString* error = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvParser parser(buffer, encoding, separator);
    QList<CsvRow> rows;
    CsvRow row;
    while (parser.next(row))
        rows << row;
    if (error)
        *error = parser.error();
    return rows;
}

QList<IncomingContact> readFile(const QString& path, QString* error = nullptr) {
    ImportFile file;
    if (!file.open(path)) {
        if (error)
            *error = file.error();
        return {};
    }
    QList<QStringList> first;
    file.preview(file.detectedEncoding(), 1, &first);
    const CsvMapping mapping = CsvMapping::guess(first.value(0), {});
    auto source = file.csvSource(file.detectedEncoding(), mapping);
    QList<IncomingContact> out;
    IncomingContact c;
    while (source->next(c))
        out << c;
    if (error)
        *error = source->error();
    return out;
}

} // namespace

class TestCsv : public QObject {
    Q_OBJECT

  private slots:
    void records_data();
    void records();
    void recordsInSmallChunksOfAnyEncoding();
    void encodings_data();
    void encodings();
    void wrongEncodingStopsTheFile();
    void writtenRecordsReadBack_data();
    void writtenRecordsReadBack();
    void headings_data();
    void headings();
    void mappingIsRemembered();
    void realFiles_data();
    void realFiles();
    void valuesWithoutAFieldAreReported();
    void unevenRowsAreRefused();
    void overLongRowIsRefusedAlone();
    void exportedHeadingsAreRecognised();
};

// Each record's fields joined by "|", records by "#".
void TestCsv::records_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("lines");
    QTest::newRow("plain") << QByteArray("a,b\r\nc,d\r\n") << "a|b#c|d"
                           << "1,2";
    QTest::newRow("no final line end") << QByteArray("a,b\r\nc,d") << "a|b#c|d"
                                       << "1,2";
    QTest::newRow("LF and CR ends") << QByteArray("a\nb\rc\r\n") << "a#b#c"
                                    << "1,2,3";
    QTest::newRow("quoted separator") << QByteArray("\"a,b\",c\r\n") << "a,b|c"
                                      << "1";
    QTest::newRow("doubled quote") << QByteArray("\"say \"\"hi\"\"\",x\r\n") << "say \"hi\"|x"
                                   << "1";
    QTest::newRow("line break inside quotes")
        << QByteArray("\"one\r\ntwo\",x\r\nnext,y\r\n") << "one\r\ntwo|x#next|y"
        << "1,3";
    QTest::newRow("empty fields") << QByteArray(",,\r\n") << "||"
                                  << "1";
    QTest::newRow("empty quoted field") << QByteArray("\"\",a\r\n") << "|a"
                                        << "1";
    QTest::newRow("blank lines passed over") << QByteArray("a\r\n\r\n\r\nb\r\n") << "a#b"
                                             << "1,4";
    QTest::newRow("quote inside unquoted field") << QByteArray("5\" disk,x\r\n") << "5\" disk|x"
                                                 << "1";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFname,x\r\n") << "name|x"
                                     << "1";
    QTest::newRow("unclosed quote runs to the end")
        << QByteArray("\"open,a\r\nb\r\n") << "open,a\r\nb\r\n"
        << "1";
}

void TestCsv::records() {
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    QFETCH(QString, lines);
    QString error;
    const QList<CsvRow> rows = parse(text, Encoding::Utf8, u',', &error);
    QCOMPARE(error, QString());
    QStringList records, starts;
    for (const CsvRow& r : rows) {
        records << r.fields.join(u'|');
        starts << QString::number(r.line);
    }
    QCOMPARE(records.join(u'#'), expected);
    QCOMPARE(starts.join(u','), lines);
}

// The decoder and the parser see the file in 64 KB slices: a character or a
// quoted field cut at a slice's end must come out whole.
void TestCsv::recordsInSmallChunksOfAnyEncoding() {
    QString text;
    QStringList expected;
    for (int i = 0; i < 4000; ++i) {
        const QString note = QStringLiteral("第%1行\r\n\"引号\",逗号😀").arg(i);
        text += QStringLiteral("张三%1,").arg(i) + u'"' + QString(note).replace(u'"', "\"\"") +
                QStringLiteral("\"\r\n");
        expected << note;
    }
    for (Encoding e : {Encoding::Utf8, Encoding::Gb18030, Encoding::Utf16LE}) {
        const QList<CsvRow> rows = parse(encode(text, e, true), e);
        QCOMPARE(rows.size(), 4000);
        for (int i = 0; i < rows.size(); i += 397) {
            QCOMPARE(rows[i].fields.value(0), QStringLiteral("张三%1").arg(i));
            QCOMPARE(rows[i].fields.value(1), expected[i]);
            QCOMPARE(rows[i].line, 1 + 2 * i);
        }
    }
}

void TestCsv::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<int>("bom");
    QTest::addColumn<bool>("binary");
    QTest::newRow("ascii") << QByteArray("name,phone\r\n") << int(Encoding::Utf8) << 0 << false;
    QTest::newRow("utf-8") << QByteArray("姓名,手机\r\n") << int(Encoding::Utf8) << 0 << false;
    QTest::newRow("utf-8 with bom")
        << QByteArray("\xEF\xBB\xBF姓名") << int(Encoding::Utf8) << 3 << false;
    // "姓名,手机" in GBK.
    QTest::newRow("gbk") << QByteArray("\xD0\xD5\xC3\xFB,\xCA\xD6\xBB\xFA\r\n")
                         << int(Encoding::Gb18030) << 0 << false;
    QTest::newRow("utf-8 cut at the sample's end")
        << QByteArray("姓名,\xE6\x89") << int(Encoding::Utf8) << 0 << false;
    QTest::newRow("utf-16 little end")
        << QByteArray("\xFF\xFEn\0a\0m\0e\0", 10) << int(Encoding::Utf16LE) << 2 << false;
    QTest::newRow("nul bytes") << QByteArray("ab\0cd", 5) << int(Encoding::Utf8) << 0 << true;
    QTest::newRow("control bytes") << QByteArray(200, '\x01') << int(Encoding::Utf8) << 0 << true;
}

void TestCsv::encodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(int, bom);
    QFETCH(bool, binary);
    const Detection d = detectEncoding(bytes);
    QCOMPARE(d.binary, binary);
    if (binary)
        return;
    QCOMPARE(int(d.encoding), encoding);
    QCOMPARE(d.bomLength, bom);
}

// A file read as UTF-8 that turns out to hold GBK later on stops with a
// message instead of importing garbled names.
void TestCsv::wrongEncodingStopsTheFile() {
    QByteArray bytes = "name,note\r\n";
    for (int i = 0; i < 20000; ++i)
        bytes += "abc,def\r\n";
    bytes += "x,\xD6\xD0\xCE\xC4\r\n";
    QString error;
    parse(bytes, Encoding::Utf8, u',', &error);
    QVERIFY(error.contains(QStringLiteral("GB18030")));
}

void TestCsv::writtenRecordsReadBack_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("plain") << QStringList{"a", "b"};
    QTest::newRow("separators and quotes") << QStringList{"a,b", "say \"x\"", "c;d"};
    QTest::newRow("line breaks") << QStringList{"1\n2", "3\r\n4", "5\r6"};
    QTest::newRow("outer blanks") << QStringList{" lead", "trail ", "\tt"};
    QTest::newRow("empty") << QStringList{"", "", ""};
    QTest::newRow("chinese and emoji") << QStringList{"张三", "😀,😀"};
}

void TestCsv::writtenRecordsReadBack() {
    QFETCH(QStringList, fields);
    for (QChar separator : {u',', u';', u'\t'}) {
        const QString line = csvRecord(fields, separator);
        QVERIFY(line.endsWith(QLatin1String("\r\n")));
        const QList<CsvRow> rows = parse(line.toUtf8(), Encoding::Utf8, separator);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].fields, fields);
    }
    // Fields that need no quotes get none.
    QCOMPARE(csvRecord({"a", "b c"}), QStringLiteral("a,b c\r\n"));
    QCOMPARE(csvRecord({"a\"b"}), QStringLiteral("\"a\"\"b\"\r\n"));
}

void TestCsv::headings_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("target");
    // This program's own headings.
    QTest::newRow("姓名") << "姓名"
                          << "base_name";
    QTest::newRow("手机号码") << "手机号码"
                              << "base_mobil";
    QTest::newRow("单位名称") << "单位名称"
                              << "work_name";
    QTest::newRow("出生日期") << "出生日期"
                              << "date:base_year";
    QTest::newRow("单位领导手机") << "单位领导手机"
                                  << "work_leader_mobil";
    QTest::newRow("直接上级职务") << "直接上级职务"
                                  << "work_superior_duty_code";
    QTest::newRow("配偶姓名") << "配偶姓名"
                              << "home_name";
    QTest::newRow("配偶手机") << "配偶手机"
                              << "home_mobil";
    QTest::newRow("小孩生日") << "小孩生日"
                              << "date:home_child_year";
    QTest::newRow("婚庆") << "婚庆"
                          << "date:home_marryyear";
    QTest::newRow("家庭住址") << "家庭住址"
                              << "home_address";
    QTest::newRow("目前最为关心的事情") << "目前最为关心的事情"
                                        << "extend_hope";
    // Others' headings.
    QTest::newRow("Name") << "Name"
                          << "base_name";
    QTest::newRow("名字 with colon") << "名字："
                                     << "base_name";
    QTest::newRow("Mobile Phone") << "Mobile Phone"
                                  << "base_mobil";
    QTest::newRow("mobile_phone") << "mobile_phone"
                                  << "base_mobil";
    QTest::newRow("手机") << "手机"
                          << "base_mobil";
    QTest::newRow("单位") << "单位"
                          << "work_name";
    QTest::newRow("Company") << "Company"
                             << "work_name";
    QTest::newRow("电子邮件") << "电子邮件"
                              << "base_email";
    QTest::newRow("E-mail Address") << "E-mail Address"
                                    << "base_email";
    QTest::newRow("Job Title") << "Job Title"
                               << "work_duty_code";
    QTest::newRow("Business Fax") << "Business Fax"
                                  << "work_fax";
    QTest::newRow("Birthday") << "Birthday"
                              << "date:base_year";
    QTest::newRow("Birth Day") << "Birth Day"
                               << "base_day";
    QTest::newRow("Birth Year") << "Birth Year"
                                << "base_year";
    QTest::newRow("First Name") << "First Name"
                                << ":given";
    QTest::newRow("Last Name") << "Last Name"
                               << ":family";
    QTest::newRow("Phone 2 - Value") << "Phone 2 - Value"
                                     << ":tel";
    QTest::newRow("E-mail 1 - Value") << "E-mail 1 - Value"
                                      << ":email";
    QTest::newRow("备注") << "备注"
                          << "base_experience";
    QTest::newRow("unknown") << "Yomi Name"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCsv::headings() {
    QFETCH(QString, heading);
    QFETCH(QString, target);
    QCOMPARE(targets::recognise(heading), target);
}

void TestCsv::mappingIsRemembered() {
    QTemporaryDir dir;
    Settings settings(dir.filePath("mavor.ini"));
    QVERIFY(settings.ensureExists());
    const QStringList headings{"Nom", "Portable", "备注", "A=B&C"};
    CsvMapping first = CsvMapping::guess(headings, CsvMapping::remembered(settings));
    QVERIFY(first.headerRow); // 备注 is known
    QCOMPARE(first.targets, (QStringList{"", "", "base_experience", ""}));
    first.targets = {"base_name", "base_mobil", "", "work_name"};
    QVERIFY(CsvMapping::remember(settings, headings, first));
    // The settings the program already had are untouched.
    QCOMPARE(settings.value("Day"), QStringLiteral("60"));

    Settings again(dir.filePath("mavor.ini"));
    const CsvMapping second = CsvMapping::guess(headings, CsvMapping::remembered(again));
    QCOMPARE(second.targets, first.targets);
    // A file with other headings still gets its own guesses.
    const CsvMapping other = CsvMapping::guess({"姓名", "Portable"}, CsvMapping::remembered(again));
    QCOMPARE(other.targets, (QStringList{"base_name", "base_mobil"}));
    // A first row of data has no headings: nothing guessed.
    const CsvMapping data = CsvMapping::guess({"王五", "13700137000"}, {});
    QVERIFY(!data.headerRow);
    QCOMPARE(data.targets, (QStringList{"", ""}));
}

void TestCsv::realFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");
    auto add = [](const char* file, int row, int line, const char* column, const QString& value) {
        QTest::addRow("%s #%d %s", file, row, column)
            << QString::fromLatin1(file) << row << line << QString::fromLatin1(column) << value;
    };
    // GBK, Chinese headings.
    const char* g = "gbk-headings.csv";
    add(g, 0, 2, "base_name", "王五");
    add(g, 0, 2, "base_sex", "男");
    add(g, 0, 2, "base_mobil", "13700137000");
    add(g, 0, 2, "base_email", "wangwu@example.cn");
    add(g, 0, 2, "work_name", "东方贸易公司");
    add(g, 0, 2, "work_branch_name", "采购部");
    add(g, 0, 2, "work_duty_code", "经理");
    add(g, 0, 2, "work_phone", "021-55556666");
    add(g, 0, 2, "base_year", "1979");
    add(g, 0, 2, "base_month", "06");
    add(g, 0, 2, "base_day", "01");
    add(g, 0, 2, "home_address", "上海市浦东新区世纪大道100号");
    add(g, 0, 2, "base_experience", "老客户,每年续约");
    add(g, 1, 3, "base_name", "赵六");
    add(g, 1, 3, "base_sex", "女士"); // the importer makes it 女
    add(g, 1, 3, "base_mobil", "+86 136 0000 1111");
    add(g, 1, 3, "base_year", "1990");
    add(g, 1, 3, "base_month", "12");
    add(g, 1, 3, "base_day", "05");
    add(g, 2, 4, "base_name", "钱七");
    add(g, 2, 4, "base_mobil", "0086-135-1111-2222");
    // Google's layout: a line break and doubled quotes in a note, typed values.
    const char* o = "google.csv";
    add(o, 0, 2, "base_name", "Maria Garcia");
    add(o, 0, 2, "base_experience",
        "Met at the \"Spring Fair\" in Canton.\nPrefers e-mail, not calls.");
    add(o, 0, 2, "base_email", "maria@example.es");
    add(o, 0, 2, "base_mobil", "+34 600 123 456");
    add(o, 0, 2, "work_fax", "+34 91 123 4567");
    add(o, 0, 2, "work_name", "Acme Iberia");
    add(o, 0, 2, "base_year", "1982");
    add(o, 1, 4, "base_name", "Wei Zhou");
    add(o, 1, 4, "base_mobil", "13911112222");
    // Addresses and web addresses, by their kind: a work address to the unit's
    // fields, a home address given only whole to the home address.
    add(o, 0, 2, "work_address", "Calle Mayor 1");
    add(o, 0, 2, "work_city", "Madrid");
    add(o, 0, 2, "work_zip", "28013");
    add(o, 0, 2, "work_website", "http://acme.example.es");
    add(o, 1, 4, "home_address", "5 Tower Road, Hong Kong");
    // The newer layout, with several values in one cell.
    const char* n = "google-labels.csv";
    add(n, 0, 2, "base_name", "Lei Wang");
    add(n, 0, 2, "base_email", "wl@example.cn");
    add(n, 0, 2, "base_mobil", "138 0000 1111");
    add(n, 0, 2, "base_phone", "139 2222 3333");
    add(n, 0, 2, "work_phone", "010-6666 7777");
    add(n, 0, 2, "base_contact", "lei.wang@example.com; 137 4444 5555");
    add(n, 0, 2, "home_address", "Xueyuan Road 5");
    add(n, 0, 2, "base_city", "Beijing");
    add(n, 0, 2, "work_website", "https://example.cn/lei");
    // Thunderbird's layout: the birthday in three columns.
    const char* t = "thunderbird.csv";
    add(t, 0, 2, "base_name", "Hans Müller");
    add(t, 0, 2, "base_email", "hans@example.de");
    add(t, 0, 2, "base_contact", "h.mueller@example.org");
    add(t, 0, 2, "work_phone", "+49 30 1234567");
    add(t, 0, 2, "base_mobil", "+49 170 7654321");
    add(t, 0, 2, "work_city", "Berlin");
    add(t, 0, 2, "work_zip", "10117");
    add(t, 0, 2, "work_branch_name", "Einkauf");
    add(t, 0, 2, "work_name", "Beispiel GmbH");
    add(t, 0, 2, "work_website", "http://example.de");
    add(t, 0, 2, "base_year", "1970");
    add(t, 0, 2, "base_month", "3");
    add(t, 0, 2, "base_day", "9");
}

void TestCsv::realFiles() {
    QFETCH(QString, file);
    QFETCH(int, row);
    QFETCH(int, line);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    QString error;
    const QList<IncomingContact> contacts = readFile(data(file), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(row < contacts.size());
    QCOMPARE(contacts[row].refusal, QString());
    QCOMPARE(contacts[row].line, line);
    QCOMPARE(contacts[row].record.value(column), expected);
}

void TestCsv::valuesWithoutAFieldAreReported() {
    QString error;
    const QList<IncomingContact> contacts = readFile(data("google-labels.csv"), &error);
    QCOMPARE(contacts.size(), 1);
    const QStringList expected = {
        QStringLiteral(
            "“Website 1 - Value”的“https://blog.example.cn/wang-lei-notes”没有可放的字段, "
            "未导入"),
        QStringLiteral("“Address 1 - Postal Code”的“100083”没有可放的字段, 未导入"),
        QStringLiteral("“Address 1 - Country”的“China”没有可放的字段, 未导入")};
    QCOMPARE(contacts[0].notes, expected);
}

void TestCsv::unevenRowsAreRefused() {
    QString error;
    const QList<IncomingContact> contacts = readFile(data("uneven.csv"), &error);
    QCOMPARE(error, QString());
    QCOMPARE(contacts.size(), 4);
    QCOMPARE(contacts[0].refusal, QString());
    QCOMPARE(contacts[1].line, 3);
    QCOMPARE(contacts[1].refusal, QStringLiteral("有 2 列, 而第一行有 3 列"));
    QCOMPARE(contacts[1].record.value("base_name"), QStringLiteral("Beta Two"));
    QCOMPARE(contacts[2].line, 4);
    QCOMPARE(contacts[2].refusal, QStringLiteral("有 4 列, 而第一行有 3 列"));
    QCOMPARE(contacts[3].refusal, QString());
    QCOMPARE(contacts[3].record.value("work_name"), QStringLiteral("Unit D"));
}

// A row past the cap on its size is refused with its line, even when each of
// its fields is under the field's cap; the rows after it are read as usual.
void TestCsv::overLongRowIsRefusedAlone() {
    QTemporaryDir dir;
    QFile file(dir.filePath("long.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray part(400000, 'x');
    file.write("姓名,手机,备注\r\n长行," + part + "," + part + part + "\r\n短行,139,好\r\n");
    file.close();
    QString error;
    const QList<IncomingContact> contacts = readFile(file.fileName(), &error);
    QCOMPARE(error, QString());
    QCOMPARE(contacts.size(), 2);
    QCOMPARE(contacts[0].refusal, QStringLiteral("第 2 行过长 (超过 1 MB)"));
    QCOMPARE(contacts[1].refusal, QString());
    QCOMPARE(contacts[1].record.value("base_name"), QStringLiteral("短行"));
}

// An exported spreadsheet needs no mapping step: every heading is known, once.
void TestCsv::exportedHeadingsAreRecognised() {
    QStringList seen;
    int dates = 0;
    for (const ImportTarget* t : targets::exported()) {
        QCOMPARE(targets::recognise(t->label), t->id);
        QVERIFY2(!seen.contains(t->label), qPrintable(t->label));
        seen << t->label;
        dates += t->wholeDate ? 1 : 0;
    }
    // One column per field of the five pages, a date in one column, and the
    // three birthdays' lunar flags.
    QCOMPARE(dates, 5);
    QCOMPARE(seen.size(), oracle::kFields.size() + 3);
    for (const char* flag : {"base_lunar", "home_lunar", "home_child_lunar"})
        QVERIFY2(seen.contains(targets::labelOf(flag)), flag);
}

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
