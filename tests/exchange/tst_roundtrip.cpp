// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "exchange/ContactExporter.h"
#include "exchange/ContactImporter.h"
#include "exchange/CsvMapping.h"
#include "exchange/ImportCleaner.h"
#include "exchange/ImportFile.h"
#include "featureapi/Session.h"
#include "support/ContactFieldOracle.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTemporaryDir>
#include <QTest>

using namespace exchange;

namespace {

// Names the delivered reference tables hold, a different one per list column.
const QHash<QString, QString> kListNames = {
    {"base_sort_code", "B级-重要"},      {"base_type_code", "同学"},
    {"base_province_code", "广东省"},    {"work_industry_code", "银行"},
    {"work_duty_code", "总经理"},        {"work_leader_duty_code", "董事长"},
    {"work_superior_duty_code", "总裁"}, {"work_region_code", "华南"},
    {"work_province_code", "上海市"},    {"home_province_code", "内蒙古自治区"},
    {"home_duty_code", "工程师"},        {"extend_degree_code", "硕士"},
};

// A text of exactly `length` UTF-16 units that holds everything a file format
// finds hard: quotes, separators, a line break, a backslash, an emoji, Chinese.
QString hardText(const QString& column, int length) {
    const QString mix = QStringLiteral("\"引号\",逗号;分号\n换行\\😀") + column;
    QString text;
    while (text.size() < length)
        text += mix + QString(100, QChar(char16_t(0x4E2D + text.size() % 50)));
    text.truncate(length);
    if (text.back().isHighSurrogate())
        text.back() = QChar(0x6587);
    return text;
}

// Every field filled: texts as long as their field takes (a Chinese text of 100
// where the field takes more), lists with an entry, dates with a leap day.
ContactRecord fullContact(const QString& name) {
    ContactRecord r;
    for (const oracle::Field& f : oracle::kFields) {
        const QStringList columns = oracle::columnsOf(f);
        const QString column = columns.first();
        if (f.kind == oracle::Date) {
            r.setValue(columns[0], "2012");
            r.setValue(columns[1], "02");
            r.setValue(columns[2], "29");
        } else if (kListNames.contains(column)) {
            r.setValue(column, kListNames.value(column));
        } else if (!oracle::fixedEntries(column).isEmpty()) {
            r.setValue(column, oracle::fixedEntries(column).last());
        } else if (f.limit > 100) {
            r.setValue(column, QString(96, QChar(0x6C49)) + QStringLiteral(",\n😀"));
        } else {
            r.setValue(column, hardText(column, f.limit));
        }
    }
    r.setValue("base_name", name);
    // Two full contacts are two people: their keys of the duplicate search differ.
    for (const char* column : {"base_mobil", "base_email", "work_name"})
        r.setValue(column,
                   r.value(column).left(r.value(column).size() - name.size() - 1) + u'-' + name);
    return r;
}

// Few fields, dates without a year or with a year only, blanks at the edges.
ContactRecord sparseContact() {
    ContactRecord r;
    r.setValue("base_name", QStringLiteral("Ann \"A.\" Lee"));
    r.setValue("base_sex", QStringLiteral("未知"));
    r.setValue("base_month", "12");
    r.setValue("base_day", "25");
    r.setValue("home_marryyear", "1999");
    r.setValue("home_child_month", "07");
    r.setValue("extend_gradyear", "2001");
    r.setValue("extend_gradday", "15"); // a year and a day: no vCard form
    r.setValue("base_mobil", QStringLiteral(" +86 138 0000 0000 "));
    r.setValue("base_email", QStringLiteral("ann@example.com"));
    r.setValue("work_branch_name", QStringLiteral("   "));
    r.setValue("home_address", QStringLiteral("=SUM(A1)\nEND:VCARD\nBEGIN:VCARD"));
    r.setValue("base_city", QStringLiteral("深圳"));
    r.setValue("work_city", QStringLiteral("no street"));
    r.setValue("base_experience", QStringLiteral("\n前后有换行\n"));
    return r;
}

} // namespace

class TestRoundTrip : public QObject {
    Q_OBJECT

  private slots:
    void exportThenImportGivesTheSameContacts_data();
    void exportThenImportGivesTheSameContacts();
};

void TestRoundTrip::exportThenImportGivesTheSameContacts_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("encoding");
    QTest::newRow("vcard") << int(ExportFormat::VCard) << int(Encoding::Utf8);
    QTest::newRow("csv utf-8") << int(ExportFormat::Csv) << int(Encoding::Utf8);
    QTest::newRow("csv gb18030") << int(ExportFormat::Csv) << int(Encoding::Gb18030);
}

void TestRoundTrip::exportThenImportGivesTheSameContacts() {
    QFETCH(int, format);
    QFETCH(int, encoding);
    // 李四 keeps lunar birthdays: 二月廿九 of 2012, a child's in 2012's 闰四月.
    ContactRecord lunar = fullContact(QStringLiteral("李四"));
    lunar.setValue("base_lunar", "1");
    lunar.setValue("home_child_month", "04");
    lunar.setValue("home_child_lunar", "2");
    const QList<ContactRecord> contacts = {fullContact(QStringLiteral("张三😀\"甲\"")), lunar,
                                           sparseContact()};
    FixedClock clock;
    Session session{1, 1};

    TestHome from;
    ScriptedPrompter prompter;
    Database source(&prompter);
    QVERIFY(source.open(from.databasePath()));
    ContactStore store(source, prompter);
    QList<qint64> codes;
    for (const ContactRecord& r : contacts) {
        codes << store.insertNew(r, session, clock);
        QVERIFY2(codes.last() > 0, qPrintable(prompter.texts().join(u'\n')));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(format == int(ExportFormat::VCard) ? "out.vcf" : "out.csv");
    ContactExporter exporter(source, prompter);
    QVERIFY2(exporter.write(codes, 1, ExportFormat(format), Encoding(encoding), path),
             qPrintable(exporter.error()));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray head = written.read(3);
    // Spreadsheet programs need the mark to read UTF-8; GB18030 has none.
    QCOMPARE(head == "\xEF\xBB\xBF",
             format == int(ExportFormat::Csv) && encoding == int(Encoding::Utf8));

    TestHome to;
    Database target(&prompter);
    QVERIFY(target.open(to.databasePath()));
    ImportFile file;
    QVERIFY2(file.open(path), qPrintable(file.error()));
    QCOMPARE(int(file.format()),
             format == int(ExportFormat::VCard) ? int(FileFormat::VCard) : int(FileFormat::Csv));
    ImportCleaner cleaner(target);
    std::unique_ptr<ContactSource> input;
    if (file.format() == FileFormat::VCard) {
        input = file.vcardSource([&](const QString& n) { return cleaner.isRelation(n); });
    } else {
        QCOMPARE(int(file.detectedEncoding()), encoding);
        QList<QStringList> first;
        QVERIFY(file.preview(file.detectedEncoding(), 1, &first));
        const CsvMapping mapping = CsvMapping::guess(first.value(0), {});
        QVERIFY(!mapping.targets.contains(QString()));
        input = file.csvSource(file.detectedEncoding(), mapping);
    }
    ContactImporter importer(target, prompter, session, clock);
    const ImportSummary s = importer.run(*input, cleaner, DuplicatePolicy::Skip);
    QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
    QCOMPARE(s.refused, 0);
    QCOMPARE(s.skipped, 0);
    QVERIFY2(s.notes.isEmpty(), qPrintable(s.notes.value(0).text));
    QCOMPARE(s.imported, contacts.size());

    ContactStore back(target, prompter);
    for (const ContactRecord& original : contacts) {
        qint64 code = -1;
        target.query(sql::format("select base_code from base where base_name='%s'",
                                 original.value("base_name")),
                     [&](const Row& row) {
                         code = row.numberAt(0);
                         return false;
                     });
        QVERIFY2(code > 0, qPrintable(original.value("base_name")));
        const ContactLoad loaded = back.load(code, 1);
        QVERIFY(loaded.complete);
        for (const QString& column : oracle::allColumns())
            QVERIFY2(
                loaded.record.value(column) == original.value(column),
                qPrintable(QStringLiteral("%1: %2 | %3")
                               .arg(column, loaded.record.value(column), original.value(column))));
    }
}

QTEST_GUILESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
