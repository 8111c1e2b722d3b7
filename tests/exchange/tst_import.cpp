// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "exchange/ContactImporter.h"
#include "exchange/CsvMapping.h"
#include "exchange/ImportCleaner.h"
#include "exchange/ImportFile.h"
#include "featureapi/Session.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace exchange;

namespace {

QString data(const QString& name) {
    return QStringLiteral(EXCHANGE_DATA "/") + name;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void realFilesAreStored_data();
    void realFilesAreStored();
    void everyContactGetsItsFourRows();
    void overLongValuesAreCutAndSaid_data();
    void overLongValuesAreCutAndSaid();
    void notesOfACardAreJoinedAndCut_data();
    void notesOfACardAreJoinedAndCut();
    void refusalsKeepTheirLines();
    void unreadableFilesAreRefusedWhole_data();
    void unreadableFilesAreRefusedWhole();
    void aFileThatTurnsBadKeepsNothing();
    void cancelKeepsNothing();
    void duplicates_data();
    void duplicates();
    void aPersonTwiceInOneFile();

  private:
    ImportSummary import(const QString& path, DuplicatePolicy policy = DuplicatePolicy::Skip,
                         const ContactImporter::Progress& progress = {});
    ImportSummary importText(const QByteArray& text, const char* suffix,
                             DuplicatePolicy policy = DuplicatePolicy::Skip);
    qint64 codeOf(const QString& name);
    ContactRecord stored(const QString& name);
    qint64 count(const char* table) {
        return db_->count(
            sql::Statement(QStringLiteral("select count(*) from ") + QLatin1String(table)));
    }

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    FixedClock clock_;
    Session session_{1, 1};
    QTemporaryDir temp_;
};

void TestImport::init() {
    home_ = std::make_unique<TestHome>();
    QVERIFY(home_->isValid());
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestImport::cleanup() {
    db_.reset();
    home_.reset();
}

ImportSummary TestImport::import(const QString& path, DuplicatePolicy policy,
                                 const ContactImporter::Progress& progress) {
    ImportFile file;
    if (!file.open(path)) {
        ImportSummary failed;
        failed.error = file.error();
        return failed;
    }
    ImportCleaner cleaner(*db_);
    std::unique_ptr<ContactSource> source;
    if (file.format() == FileFormat::VCard) {
        source = file.vcardSource([&](const QString& n) { return cleaner.isRelation(n); });
    } else {
        QList<QStringList> first;
        file.preview(file.detectedEncoding(), 1, &first);
        source = file.csvSource(file.detectedEncoding(), CsvMapping::guess(first.value(0), {}));
    }
    ContactImporter importer(*db_, *prompter_, session_, clock_);
    return importer.run(*source, cleaner, policy, progress);
}

ImportSummary TestImport::importText(const QByteArray& text, const char* suffix,
                                     DuplicatePolicy policy) {
    static int n = 0;
    const QString path = temp_.filePath(QStringLiteral("in%1.%2").arg(++n).arg(suffix));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    file.close();
    return import(path, policy);
}

qint64 TestImport::codeOf(const QString& name) {
    qint64 code = -1;
    db_->query(sql::format("select base_code from base where base_name='%s'", name),
               [&](const Row& row) {
                   code = row.numberAt(0);
                   return false;
               });
    return code;
}

ContactRecord TestImport::stored(const QString& name) {
    ContactStore store(*db_, *prompter_);
    return store.load(codeOf(name), 1).record;
}

// What ends up in the database, after the lists are matched to their tables.
void TestImport::realFilesAreStored_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");
    auto add = [](const char* file, const char* name, const char* column, const char* value) {
        QTest::addRow("%s %s %s", file, name, column)
            << QString::fromLatin1(file) << QString::fromUtf8(name) << QString::fromLatin1(column)
            << QString::fromUtf8(value);
    };
    add("android-21.vcf", "张三", "work_province_code", "广东省"); // short name found
    add("android-21.vcf", "张三", "work_duty_code", "经理");
    add("android-21.vcf", "张三", "base_mobil", "138-0013-8000");
    add("android-21.vcf", "张三", "base_month", "04");
    add("android-21.vcf", "欧阳娜娜", "work_name", "岭南出版社");
    add("apple-30.vcf", "李四", "base_province_code", "广东省");
    add("apple-30.vcf", "李四", "work_duty_code", ""); // 总工程师 is not a post of the list
    add("apple-30.vcf", "李四", "home_name", "王芳");
    add("rfc2426-30.vcf", "Frank Dawson", "work_province_code", ""); // NC is no province
    add("rfc2426-30.vcf", "Frank Dawson", "work_zip", "27613-3502");
    add("rfc6350-40.vcf", "陈静", "base_type_code", "朋友");
    add("rfc6350-40.vcf", "陈静", "base_sex", "女");
    add("rfc6350-40.vcf", "陈静", "work_duty_code", "主任");
    add("gbk-headings.csv", "赵六", "base_sex", "女"); // 女士
    add("gbk-headings.csv", "赵六", "work_duty_code", "");
    add("gbk-headings.csv", "王五", "base_experience", "老客户,每年续约");
    add("google.csv", "Maria Garcia", "base_experience",
        "Met at the \"Spring Fair\" in Canton.\nPrefers e-mail, not calls.");
    add("thunderbird.csv", "Hans Müller", "base_month", "03");
    add("thunderbird.csv", "Hans Müller", "base_day", "09");
}

void TestImport::realFilesAreStored() {
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    const ImportSummary s = import(data(file));
    QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
    QCOMPARE(s.refused, 0);
    QVERIFY(codeOf(name) > 0);
    QCOMPARE(stored(name).value(column), expected);
}

void TestImport::everyContactGetsItsFourRows() {
    const qint64 before = count("base");
    const ImportSummary s = import(data("apple-30.vcf"));
    QCOMPARE(s.imported, 1);
    for (const char* table : {"base", "home", "society", "extend"})
        QCOMPARE(count(table), before + 1);
    const qint64 code = codeOf(QStringLiteral("李四"));
    QString row;
    db_->query(sql::format("select base_user_code,base_user_dep_code,base_invalid_flag,"
                           "base_create_date,base_lastmodi_date,base_visit_num from base "
                           "where base_code=%ld",
                           code),
               [&](const Row& r) {
                   for (int i = 0; i < 6; ++i)
                       row += r.textAt(i) + u'|';
                   return false;
               });
    QCOMPARE(row, QStringLiteral("1|1|1|2012-05-08|2012-05-08|0|"));
    // The lists the card left empty point to the empty-name rows.
    for (const char* check :
         {"select count(*) from base b, sort s where b.base_sort_code=s.sort_code and "
          "s.sort_name='' and b.base_code=%ld",
          "select count(*) from base b, relationsort r where b.base_type_code=r.relationsort_code "
          "and r.relationsort_name='' and b.base_code=%ld",
          "select count(*) from base b, duty d where b.work_duty_code=d.duty_code and "
          "d.duty_name='' and b.base_code=%ld",
          "select count(*) from extend e, degree d where e.extend_degree_code=d.degree_code and "
          "d.degree_name='' and e.extend_base_code=%ld"})
        QCOMPARE(db_->count(sql::format(QString::fromLatin1(check), code)), 1);
    // The post not in the list is said, with its line.
    bool said = false;
    for (const ImportLine& l : s.notes)
        said = said || (l.line == 1 && l.name == u"李四" && l.text.contains(u"总工程师"));
    QVERIFY(said);
}

// Limits of the pages: 20 for a name, 20 for a mobile number, 100 for a unit,
// 1024 for remarks. A character outside the basic plane is never halved.
void TestImport::overLongValuesAreCutAndSaid_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("kept");
    const QString cjk100 = QString(100, QChar(0x6C49));
    QTest::newRow("name") << "姓名"
                          << "base_name" << QString(25, QChar(0x738B))
                          << QString(20, QChar(0x738B));
    QTest::newRow("mobile") << "手机"
                            << "base_mobil" << QStringLiteral("1").repeated(21)
                            << QStringLiteral("1").repeated(20);
    QTest::newRow("unit") << "单位"
                          << "work_name" << cjk100 + "X" << cjk100;
    QTest::newRow("remarks") << "备注"
                             << "base_experience" << QString(1100, QChar(0x5907))
                             << QString(1024, QChar(0x5907));
    QTest::newRow("emoji at the cut")
        << "部门"
        << "work_branch_name" << QString(19, u'a') + QStringLiteral("😀😀") << QString(19, u'a');
    QTest::newRow("at the limit") << "手机"
                                  << "base_mobil" << QStringLiteral("1").repeated(20)
                                  << QStringLiteral("1").repeated(20);
}

void TestImport::overLongValuesAreCutAndSaid() {
    QFETCH(QString, heading);
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(QString, kept);
    QByteArray text = "序号,姓名";
    QString row = QStringLiteral("1,");
    if (column == u"base_name") {
        row += value;
    } else {
        text += ',' + heading.toUtf8();
        row += QStringLiteral("某人,") + value;
    }
    text += "\r\n" + row.toUtf8() + "\r\n";
    const ImportSummary s = importText(text, "csv");
    QCOMPARE(s.imported, 1);
    const QString name = column == u"base_name" ? kept : QStringLiteral("某人");
    QCOMPARE(stored(name).value(column), kept);
    if (kept == value) {
        QVERIFY(s.notes.isEmpty());
        return;
    }
    QCOMPARE(s.notes.size(), 1);
    QCOMPARE(s.notes[0].line, 2);
    QVERIFY2(s.notes[0].text.contains(QStringLiteral("已截断")), qPrintable(s.notes[0].text));
}

// A card's notes make one remark, one note a line, cut at the remark's limit
// like any other value (and the cut said), however many notes the card has.
void TestImport::notesOfACardAreJoinedAndCut_data() {
    QTest::addColumn<QStringList>("notes");
    // 600 + 1 + 423 = 1024: exactly the limit.
    QTest::newRow("at the limit") << QStringList{QString(600, u'a'), QString(423, u'b')};
    QTest::newRow("past the limit, in the second note")
        << QStringList{QString(600, u'a'), QString(424, u'b'), QStringLiteral("c")};
    QTest::newRow("many short notes") << QStringList(3000, QStringLiteral("备注"));
}

void TestImport::notesOfACardAreJoinedAndCut() {
    QFETCH(QStringList, notes);
    QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:某人\r\n";
    for (const QString& note : notes)
        text += "NOTE:" + note.toUtf8() + "\r\n";
    text += "END:VCARD\r\n";
    const ImportSummary s = importText(text, "vcf");
    QCOMPARE(s.imported, 1);
    const QString whole = notes.join(u'\n');
    QCOMPARE(stored(QStringLiteral("某人")).value("base_experience"), whole.left(1024));
    QCOMPARE(s.notes.size(), whole.size() > 1024 ? 1 : 0);
}

void TestImport::refusalsKeepTheirLines() {
    const qint64 before = count("base");
    ImportSummary s = importText("姓名,手机\r\n王一,13000000001\r\n,13000000002\r\n"
                                 "A&B,13000000003\r\n  ,13000000004\r\n王五,13000000005\r\n",
                                 "csv");
    QCOMPARE(s.imported, 2);
    QCOMPARE(s.refused, 3);
    QCOMPARE(count("base"), before + 2);
    QCOMPARE(s.refusals.size(), 3);
    QCOMPARE(s.refusals[0].line, 3);
    QCOMPARE(s.refusals[0].text, QStringLiteral("没有姓名"));
    QCOMPARE(s.refusals[1].line, 4);
    QVERIFY(s.refusals[1].text.contains(QStringLiteral("非法字符")));
    QCOMPARE(s.refusals[2].line, 5);

    s = import(data("missing-end.vcf"));
    QCOMPARE(s.imported, 1);
    QCOMPARE(s.refused, 2);
    QCOMPARE(s.refusals[0].line, 1);
    QCOMPARE(s.refusals[1].line, 10);
    QVERIFY(codeOf(QStringLiteral("Second Card")) > 0);
    QCOMPARE(codeOf(QStringLiteral("First Card")), -1);

    s = import(data("uneven.csv"));
    QCOMPARE(s.imported, 2);
    QCOMPARE(s.refused, 2);
    QCOMPARE(s.refusals[0].line, 3);
    QCOMPARE(s.refusals[0].name, QStringLiteral("Beta Two"));
    QCOMPARE(s.refusals[1].line, 4);
}

void TestImport::unreadableFilesAreRefusedWhole_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("empty") << "empty";
    QTest::newRow("blank") << "blank";
    QTest::newRow("binary") << "binary";
    QTest::newRow("100 MB of zeros") << "zeros";
    QTest::newRow("missing") << "missing";
    QTest::newRow("vcard in utf-16") << "utf16";
}

void TestImport::unreadableFilesAreRefusedWhole() {
    QFETCH(QString, kind);
    const QString path = temp_.filePath("bad-" + kind);
    QFile file(path);
    if (kind != u"missing") {
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind == u"blank") {
            file.write(" \r\n\r\n");
        } else if (kind == u"binary") {
            QByteArray bytes;
            for (int i = 0; i < 4096; ++i)
                bytes += char((i * 7919) % 256);
            file.write(bytes);
        } else if (kind == u"zeros") {
            QVERIFY(file.resize(100LL << 20)); // sparse: no time, no disk
        } else if (kind == u"utf16") {
            const QString card = QStringLiteral("BEGIN:VCARD\r\nFN:X\r\nEND:VCARD\r\n");
            file.write("\xFF\xFE");
            file.write(reinterpret_cast<const char*>(card.utf16()), card.size() * 2);
        }
        file.close();
    }
    const qint64 before = count("base");
    QElapsedTimer timer;
    timer.start();
    const ImportSummary s = import(path);
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY(!s.error.isEmpty());
    QCOMPARE(s.imported, 0);
    QCOMPARE(count("base"), before);
}

// Binary data after a good card: the good card is not kept either.
void TestImport::aFileThatTurnsBadKeepsNothing() {
    const qint64 before = count("base");
    // Good cards past the part of the file that is looked at before reading.
    QByteArray text;
    for (int i = 0; i < 3; ++i)
        text += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Good " + QByteArray::number(i) +
                "\r\nNOTE:" + QByteArray(400000, 'n') + "\r\nEND:VCARD\r\n";
    QVERIFY(text.size() > ImportFile::kSample);
    text += "BEGIN:VCARD\r\n";
    text += QByteArray("FN:Bad\0\0\r\n", 10);
    text += "END:VCARD\r\n";
    const ImportSummary s = importText(text, "vcf");
    QVERIFY(s.error.contains(QStringLiteral("二进制")));
    QCOMPARE(count("base"), before);
    QCOMPARE(count("home"), before);
    QVERIFY(!db_->inTransaction());
}

void TestImport::cancelKeepsNothing() {
    QByteArray text;
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("BEGIN:VCARD\r\nFN:人%1\r\nEND:VCARD\r\n").arg(i).toUtf8();
    const QString path = temp_.filePath("fifty.vcf");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    file.close();
    const qint64 before = count("base");
    int calls = 0;
    const ImportSummary s = import(path, DuplicatePolicy::Skip, [&](qint64 done, qint64 total) {
        Q_ASSERT(done <= total);
        return ++calls < 30;
    });
    QVERIFY(s.cancelled);
    QCOMPARE(s.imported, 0);
    QCOMPARE(count("base"), before);
    QCOMPARE(count("society"), before);
    // The same file without cancelling.
    QCOMPARE(import(path).imported, 50);
}

// A known contact (张三, 138 0013 8000, zs@x.cn, 星辰科技) and an incoming one
// that repeats it by one key.
void TestImport::duplicates_data() {
    QTest::addColumn<int>("policy");
    QTest::addColumn<QByteArray>("incoming");
    QTest::addColumn<int>("imported");
    QTest::addColumn<int>("merged");
    QTest::addColumn<int>("skipped");
    const QByteArray byMobile =
        "姓名,手机,邮件,部门\r\n张老三,+86 138-0013-8000,new@x.cn,销售部\r\n";
    const QByteArray byMail = "姓名,邮件\r\n张三丰, ZS@X.CN \r\n";
    const QByteArray byName = "姓名,单位\r\n张三,星辰科技\r\n";
    const QByteArray other = "姓名,单位,手机\r\n张三,另一家公司,13900000000\r\n";
    const int skip = int(DuplicatePolicy::Skip), merge = int(DuplicatePolicy::Merge),
              add = int(DuplicatePolicy::Add);
    QTest::newRow("mobile, skip") << skip << byMobile << 0 << 0 << 1;
    QTest::newRow("mobile, merge") << merge << byMobile << 0 << 1 << 0;
    QTest::newRow("mobile, add") << add << byMobile << 1 << 0 << 0;
    QTest::newRow("e-mail, skip") << skip << byMail << 0 << 0 << 1;
    QTest::newRow("name in unit, skip") << skip << byName << 0 << 0 << 1;
    QTest::newRow("same name, other unit") << skip << other << 1 << 0 << 0;
}

void TestImport::duplicates() {
    QFETCH(int, policy);
    QFETCH(QByteArray, incoming);
    QFETCH(int, imported);
    QFETCH(int, merged);
    QFETCH(int, skipped);
    QVERIFY(importText("姓名,手机,邮件,单位\r\n张三,138 0013 8000,zs@x.cn,星辰科技\r\n", "csv")
                .imported == 1);
    const qint64 known = codeOf(QStringLiteral("张三"));
    const qint64 before = count("base");
    const ImportSummary s = importText(incoming, "csv", DuplicatePolicy(policy));
    QCOMPARE(s.imported, imported);
    QCOMPARE(s.merged, merged);
    QCOMPARE(s.skipped, skipped);
    QCOMPARE(count("base"), before + imported);
    if (skipped + merged > 0) {
        QCOMPARE(s.duplicates.size(), 1);
        QCOMPARE(s.duplicates[0].line, 2);
        QVERIFY(s.duplicates[0].text.contains(QStringLiteral("张三")));
    }
    ContactStore store(*db_, *prompter_);
    const ContactRecord r = store.load(known, 1).record;
    if (merged) {
        // The known contact keeps its own values and gains the empty ones.
        QCOMPARE(r.value("base_name"), QStringLiteral("张三"));
        QCOMPARE(r.value("base_email"), QStringLiteral("zs@x.cn"));
        QCOMPARE(r.value("work_branch_name"), QStringLiteral("销售部"));
    } else {
        QCOMPARE(r.value("work_branch_name"), QString());
    }
}

void TestImport::aPersonTwiceInOneFile() {
    const ImportSummary s = importText("BEGIN:VCARD\r\nFN:甲\r\nEMAIL:a@b.cn\r\nEND:VCARD\r\n"
                                       "BEGIN:VCARD\r\nFN:甲\r\nEMAIL:A@B.CN\r\nEND:VCARD\r\n",
                                       "vcf");
    QCOMPARE(s.imported, 1);
    QCOMPARE(s.skipped, 1);
    QCOMPARE(s.duplicates[0].line, 5);
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
