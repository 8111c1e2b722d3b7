// SPDX-License-Identifier: GPL-3.0-or-later
// The three exports through the template writer, read back by another program
// (python3 with openpyxl) cell by cell.
#include "ReportsFixture.h"

#include "contacts/ContactList.h"
#include "reports/ContactListSheet.h"
#include "reports/InteractionResults.h"
#include "reports/LabelSheet.h"
#include "reports/RecordText.h"
#include "reports/RepeatedQuery.h"
#include "reports/SheetExport.h"
#include "reports/SheetXml.h"
#include "reports/StatisticsSheet.h"
#include "reports/XlsxWorkbook.h"
#include "reports/XmlBytes.h"
#include "ui/ReportModel.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTemplate = QStringLiteral(MAVOR_TEMPLATE);
const QString kReader = QStringLiteral(READ_CELLS_SCRIPT);

// The workbook as python3-openpyxl reads it.
struct ReadBack {
    QStringList sheets;
    QString active;
    QJsonObject cells;

    QString value(const QString& cell) const {
        return cells.value(cell).toObject().value(QStringLiteral("value")).toString();
    }
    bool has(const QString& cell) const { return cells.contains(cell); }
    QString type(const QString& cell) const {
        return cells.value(cell).toObject().value(QStringLiteral("type")).toString();
    }
    bool bold(const QString& cell) const {
        return cells.value(cell).toObject().value(QStringLiteral("bold")).toBool();
    }
    bool boxed(const QString& cell) const {
        return cells.value(cell).toObject().value(QStringLiteral("boxed")).toBool();
    }
};

// The first python3 that has openpyxl; empty with why when there is none.
QString python(QString* why) {
    bool anyPython = false;
    for (const QString& candidate :
         {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess p;
        p.start(candidate, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (!p.waitForStarted(10000))
            continue;
        anyPython = true;
        p.waitForFinished(60000);
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return candidate;
    }
    *why = anyPython ? QStringLiteral("python3 has no openpyxl (Debian package python3-openpyxl)")
                     : QStringLiteral("python3 is not installed");
    return {};
}

} // namespace

class TestExports : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void labels();
    void labelLookupFailure();
    void contactList();
    void contactListMissingPost();
    void longListKeepsOrderAndEndsAtTheGap();
    void statisticsWithoutRows();
    void statisticsWithRows();
    void missingTemplate();
    void existingFileReplaced();
    void templateIsNeverTheDestination();
    void templateCellsAndStyles();
    void databaseErrorSavesNothing();
    void batchReadsRunAgainWithNewValues();
    void sheetXml_data();
    void sheetXml();
    void escapedBytes_data();
    void escapedBytes();
    void cellOrder_data();
    void cellOrder();
    void hostileTexts();
    void recordCut_data();
    void recordCut();

  private:
    bool readBack(const QString& path, ReadBack* out);
    // A contact list over the fixture's contacts with the given rows ticked.
    static void listContacts(ReportsFixture& f, ReportModel& model, const QList<int>& ticked);

    QString python_;
    QString whyNot_;
};

void TestExports::initTestCase() {
    QVERIFY2(QFile::exists(kTemplate), qPrintable(kTemplate));
    python_ = python(&whyNot_);
}

bool TestExports::readBack(const QString& path, ReadBack* out) {
    if (python_.isEmpty())
        return false;
    QProcess p;
    p.start(python_, {kReader, path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return false;
    }
    const QJsonObject json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    out->sheets.clear();
    for (const auto& name : json.value(QStringLiteral("sheets")).toArray())
        out->sheets << name.toString();
    out->active = json.value(QStringLiteral("active")).toString();
    out->cells = json.value(QStringLiteral("cells")).toObject();
    return true;
}

#define READ_BACK(path, book)                                                                      \
    do {                                                                                           \
        if (python_.isEmpty()) {                                                                   \
            if (whyNot_.startsWith(QStringLiteral("python3 is not installed")))                    \
                QSKIP("python3 is not installed: the workbook cannot be read back");               \
            QFAIL(qPrintable(whyNot_));                                                            \
        }                                                                                          \
        QVERIFY(readBack(path, &book));                                                            \
    } while (false)

void TestExports::listContacts(ReportsFixture& f, ReportModel& model, const QList<int>& ticked) {
    ContactList list(f.db, f.prompter, f.clock, 1, model);
    QVERIFY(list.load(sql::Statement("b.base_invalid_flag=1"), ContactList::Contacts, 1));
    for (int row : ticked)
        model.setChecked(row, true);
}

void TestExports::labels() {
    ReportsFixture f;
    // The list orders by company name, descending: D, C, B, A.
    f.addContact(QStringLiteral("王一"), {{"work_zip", QStringLiteral("210000")},
                                          {"work_address", QStringLiteral("南京市中山路1号")},
                                          {"work_name", QStringLiteral("D 公司")}});
    f.addContact(QStringLiteral("李二"), {{"work_zip", QStringLiteral("")},
                                          {"work_address", QStringLiteral("苏州市人民路2号")},
                                          {"work_name", QStringLiteral("C 公司")}});
    f.addContact(QStringLiteral("张三"), {{"work_zip", QStringLiteral("100000")},
                                          {"work_address", QStringLiteral("北京市长安街3号")},
                                          {"work_name", QStringLiteral("B 公司")}});
    f.addContact(QStringLiteral("赵四"), {{"work_zip", QStringLiteral("200000")},
                                          {"work_address", QStringLiteral("上海市南京路4号")},
                                          {"work_name", QStringLiteral("A & <公司>")}});
    ReportModel model(ContactList::kColumns);
    listContacts(f, model, {0, 1, 3}); // the third row stays unticked

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("信封标签.xlsx"));
    LabelSheet labels(f.db, model);
    QVERIFY(SheetExport(f.prompter, kTemplate).run(labels, path));
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("标签文件已生成!")});
    QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Information);
    // One progress step per row of the list, ticked or not.
    QCOMPARE(f.prompter.progressRuns.size(), 1);
    QCOMPARE(f.prompter.progressRuns.first()->upper, 4);
    QCOMPARE(f.prompter.progressRuns.first()->positions, (QList<int>{1, 2, 3, 4}));
    QVERIFY(f.prompter.progressRuns.first()->finished);

    ReadBack book;
    READ_BACK(path, book);
    QCOMPARE(book.sheets, QStringList{QStringLiteral("标签")});
    const QMap<QString, QString> expected{{"A1", "邮编:210000"}, {"A2", "地址:南京市中山路1号"},
                                          {"A3", "D 公司"},      {"A5", "王一(收)"},
                                          {"B1", "邮编:"},       {"B2", "地址:苏州市人民路2号"},
                                          {"B3", "C 公司"},      {"B5", "李二(收)"},
                                          {"A7", "邮编:200000"}, {"A8", "地址:上海市南京路4号"},
                                          {"A9", "A & <公司>"},  {"A11", "赵四(收)"}};
    QCOMPARE(QStringList(book.cells.keys()).size(), expected.size());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        QCOMPARE(book.value(it.key()), it.value());
        QCOMPARE(book.type(it.key()), QStringLiteral("s"));
    }
}

void TestExports::labelLookupFailure() {
    // A ticked contact that has gone since the list was filled ends the labels;
    // those before it are still saved.
    ReportsFixture f;
    f.addContact(QStringLiteral("王一"), {{"work_name", QStringLiteral("B")}});
    const qint64 gone = f.addContact(QStringLiteral("李二"), {{"work_name", QStringLiteral("A")}});
    ReportModel model(ContactList::kColumns);
    listContacts(f, model, {0, 1});
    model.addRow({QString(), QStringLiteral("99999"), QStringLiteral("后来的")});
    model.setChecked(2, true);
    QVERIFY(f.db.execute(sql::format("delete from base where base_code=%ld", gone)));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.xlsx"));
    LabelSheet labels(f.db, model);
    QCOMPARE(labels.text(QString::number(gone)), std::optional<QString>(QStringLiteral("#!$#%")));
    QVERIFY(SheetExport(f.prompter, kTemplate).run(labels, path));
    QCOMPARE(f.prompter.lastText(), QStringLiteral("标签文件已生成!"));
    ReadBack book;
    READ_BACK(path, book);
    QCOMPARE(book.value("A5"), QStringLiteral("王一(收)"));
    QCOMPARE(book.cells.size(), 4);
}

void TestExports::contactList() {
    ReportsFixture f;
    f.addContact(QStringLiteral("O'Neil"), {{"base_sex", QStringLiteral("男")},
                                            {"work_duty_code", f.duty(QStringLiteral("经理"))},
                                            {"work_areacode", QStringLiteral("025")},
                                            {"base_phone", QStringLiteral("84001234")},
                                            {"base_mobil", QStringLiteral("13900000001")},
                                            {"work_name", QStringLiteral("B 科技")},
                                            {"work_address", QStringLiteral("南京市中山路1号")}});
    f.addContact(QStringLiteral("李二"),
                 {{"base_sex", QStringLiteral("女")}, {"work_name", QStringLiteral("A 贸易")}});
    ReportModel model(ContactList::kColumns);
    listContacts(f, model, {0, 1});

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("资料列表.xlsx"));
    ContactListSheet sheet(f.db, f.clock, model);
    QVERIFY(SheetExport(f.prompter, kTemplate).run(sheet, path));
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("列表资料文件已生成!")});
    // The progress window is gone before the message that the file is written.
    QCOMPARE(f.prompter.progressRuns.size(), 1);
    QVERIFY(!f.prompter.messages.last().overProgress);

    ReadBack book;
    READ_BACK(path, book);
    QCOMPARE(book.sheets, QStringList{QStringLiteral("列表")});
    QCOMPARE(book.value("D1"), QStringLiteral("人脉资料列表"));
    QCOMPARE(book.value("H3"), QStringLiteral("日期:2026-12-07"));
    const QStringList header{"姓名", "性别", "职务",     "区号",
                             "电话", "手机", "单位名称", "单位地址"};
    const QStringList first{"O'Neil",   "男",          "经理",   "025",
                            "84001234", "13900000001", "B 科技", "南京市中山路1号"};
    for (int c = 0; c < 8; ++c) {
        const QString column(QChar(u'A' + c));
        QCOMPARE(book.value(column + u'4'), header.at(c));
        QCOMPARE(book.value(column + u'5'), first.at(c));
        QCOMPARE(book.type(column + u'5'), QStringLiteral("s")); // digits stay text
    }
    QCOMPARE(book.value("A6"), QStringLiteral("李二"));
    QCOMPARE(book.value("B6"), QStringLiteral("女"));
    QVERIFY(!book.has("C6")); // empty post: nothing written that reads back
    QVERIFY(!book.has("A7"));
    // The template's formats: bold headers, boxed data rows also below its model row.
    QVERIFY(book.bold("A4"));
    QVERIFY(book.boxed("A5"));
    QVERIFY(book.boxed("B6"));
}

void TestExports::contactListMissingPost() {
    // A contact whose post row is gone yields no record and ends the list.
    ReportsFixture f;
    f.addContact(QStringLiteral("王一"), {{"work_name", QStringLiteral("C")}});
    const qint64 b = f.addContact(QStringLiteral("李二"), {{"work_name", QStringLiteral("B")}});
    f.addContact(QStringLiteral("张三"), {{"work_name", QStringLiteral("A")}});
    ReportModel model(ContactList::kColumns);
    listContacts(f, model, {0, 1, 2});
    QVERIFY(f.db.execute(
        sql::format("update base set work_duty_code=%ld where base_code=%ld", qint64(987654), b)));
    ContactListSheet sheet(f.db, f.clock, model);
    QCOMPARE(sheet.text(QString::number(b)), std::optional<QString>(QStringLiteral("#!$#%")));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xlsx"));
    QVERIFY(SheetExport(f.prompter, kTemplate).run(sheet, path));
    ReadBack book;
    READ_BACK(path, book);
    QCOMPARE(book.value("A5"), QStringLiteral("王一"));
    QVERIFY(!book.has("A6"));
    QVERIFY(!book.has("A7"));
}

void TestExports::longListKeepsOrderAndEndsAtTheGap() {
    // Long lists are read many rows at a time: the rows still come in the
    // list's order across those reads, unticked ones are left out, and a
    // contact gone since the list was filled still ends the list there.
    ReportsFixture f;
    QVERIFY(f.db.begin());
    for (int i = 0; i < 1200; ++i) // companies C0000..C1199: listed from C1199 down
        f.addContact(QStringLiteral("人%1").arg(i, 4, 10, QLatin1Char('0')),
                     {{"work_name", QStringLiteral("C%1").arg(i, 4, 10, QLatin1Char('0'))}});
    QVERIFY(f.db.commit());
    ReportModel model(ContactList::kColumns);
    QList<int> ticked;
    for (int row = 0; row < 1200; ++row)
        if (row != 3 && row != 640)
            ticked << row;
    listContacts(f, model, ticked);
    QCOMPARE(model.rowCount(), 1200);
    // List row 1050 holds company C0149; its contact goes.
    QVERIFY(f.db.execute(sql::format("delete from base where base_code=%s", model.key(1050))));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xlsx"));
    ContactListSheet sheet(f.db, f.clock, model);
    QVERIFY(SheetExport(f.prompter, kTemplate).run(sheet, path));
    // Progress stops at the row that ended the list.
    QCOMPARE(f.prompter.progressRuns.first()->positions.size(), 1051);
    QCOMPARE(f.prompter.progressRuns.first()->positions.last(), 1051);

    ReadBack book;
    READ_BACK(path, book);
    // Rows 0..1049 less the two unticked: 1,048 contacts from sheet row 5 on.
    QCOMPARE(book.value("A5"), QStringLiteral("人1199"));
    QCOMPARE(book.value("A8"), QStringLiteral("人1195")); // 人1196 (row 3) unticked
    QCOMPARE(book.value("G8"), QStringLiteral("C1195"));
    QCOMPARE(book.value("A1052"), QStringLiteral("人0150")); // the last before the gap
    QVERIFY(!book.has("A1053"));
    int named = 0;
    for (int r = 5; r < 1060; ++r)
        named += book.has(QStringLiteral("A%1").arg(r)) ? 1 : 0;
    QCOMPARE(named, 1048);
    QCOMPARE(book.value("A643"), QStringLiteral("人0560"));
    QCOMPARE(book.value("A644"), QStringLiteral("人0558")); // 人0559 (row 640) unticked
}

void TestExports::statisticsWithoutRows() {
    // Rows found but none ticked: the totals would count rows the file does
    // not hold, so nothing is written.
    ReportsFixture f;
    ReportModel results(InteractionResults::kColumns);
    results.addRow({QString(), QStringLiteral("1"), QStringLiteral("2026-12-01")});
    InteractionTotals totals;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("往来统计表.xlsx"));
    StatisticsSheet sheet(f.clock, results, totals);
    QVERIFY(!SheetExport(f.prompter, kTemplate).run(sheet, path));
    QCOMPARE(f.prompter.texts(), QStringList{StatisticsSheet::kNoRows});
    QVERIFY(f.prompter.progressRuns.isEmpty());
    QVERIFY(!QFile::exists(path));
}

void TestExports::statisticsWithRows() {
    ReportsFixture f;
    const qint64 a = f.addContact(QStringLiteral("王一"), {{"work_name", QStringLiteral("星光")}});
    const qint64 b = f.addContact(QStringLiteral("李二"));
    f.addInteraction(a, "2026", "12", "01",
                     {{"comm_clock", "9"},
                      {"comm_minute", "05"},
                      {"comm_spent", "30"},
                      {"comm_cost", "100"},
                      {"comm_tran", "0"},
                      {"comm_gift", "茶∷叶"}});
    f.addInteraction(b, "2026", "12", "02", {{"comm_spent", "60"}, {"comm_cost", "20.5"}});
    f.addInteraction(b, "2026", "12", "03", {{"comm_spent", "15"}});

    ReportModel results(InteractionResults::kColumns);
    ReportRows rows;
    InteractionTotals totals;
    QVERIFY(InteractionResults(f.db).fetch(
        *InteractionQuery(f.db, f.prompter, f.clock, 1).conditions({}), rows, totals));
    results.setRows(std::move(rows));
    // Ticked: the interaction of 王一 (last, the rows are by contact code
    // descending) and one of 李二.
    QCOMPARE(results.text(2, InteractionResults::NameColumn), QStringLiteral("王一"));
    results.setChecked(0, true);
    results.setChecked(2, true);
    const QString second = results.text(0, InteractionResults::DateColumn);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stats.xlsx"));
    StatisticsSheet sheet(f.clock, results, totals);
    QVERIFY(SheetExport(f.prompter, kTemplate).run(sheet, path));
    ReadBack book;
    READ_BACK(path, book);
    QCOMPARE(book.value("A5"), second);
    QCOMPARE(book.value("G5"), QStringLiteral("李二"));
    QCOMPARE(book.value("A6"), QStringLiteral("2026-12-01"));
    QCOMPARE(book.value("B6"), QStringLiteral("9:05"));
    QCOMPARE(book.value("C6"), QStringLiteral("拜访"));
    // A field holding the separator is cut there, as every record text is:
    // the fields after it move one cell to the right.
    QCOMPARE(book.value("L6"), QStringLiteral("茶"));
    QCOMPARE(book.value("M6"), QStringLiteral("叶"));
    QCOMPARE(book.value("N6"), QStringLiteral("100"));
    QCOMPARE(book.value("O6"), QStringLiteral("0"));
    QVERIFY(!book.has("A7"));
    // Totals over every row found (105 minutes, 120.50 spent, 3 interactions).
    // Money and minutes are number cells a spreadsheet sums; the rest is text.
    QCOMPARE(book.value("A8"), QStringLiteral("总计"));
    QCOMPARE(book.value("D8"), QStringLiteral("105.0"));
    QCOMPARE(book.value("F8"), QStringLiteral("120.5"));
    QCOMPARE(book.value("H8"), QStringLiteral("0.0"));
    QCOMPARE(book.value("A9"), QStringLiteral("平均"));
    QCOMPARE(book.value("D9"), QStringLiteral("35.0"));
    QCOMPARE(book.value("F9"), QStringLiteral("40.17"));
    for (const char* number : {"N6", "O6", "D8", "F8", "H8", "D9", "F9"})
        QCOMPARE(book.type(number), QStringLiteral("n"));
    for (const char* text : {"A6", "B6", "M6", "A8", "C8"})
        QCOMPARE(book.type(text), QStringLiteral("s"));
    QVERIFY(book.boxed("A6"));
}

void TestExports::missingTemplate() {
    ReportsFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.xlsx"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the user's earlier file");
    old.close();
    ReportModel results(InteractionResults::kColumns);
    StatisticsSheet sheet(f.clock, results, InteractionTotals{});
    QVERIFY(!SheetExport(f.prompter, dir.filePath(QStringLiteral("moban.xlsx"))).run(sheet, path));
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("模版文件不存在,请检查!")});
    QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Information);
    QVERIFY(f.prompter.progressRuns.isEmpty());
    // Nothing was written, so the earlier file is still there.
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the user's earlier file"));
}

void TestExports::existingFileReplaced() {
    ReportsFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stats.xlsx"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    ReportModel results(InteractionResults::kColumns);
    results.setChecked(results.addRow({QString(), QStringLiteral("1")}), true);
    StatisticsSheet sheet(f.clock, results, InteractionTotals{});
    QVERIFY(SheetExport(f.prompter, kTemplate).run(sheet, path));
    ReadBack book;
    READ_BACK(path, book);
    QCOMPARE(book.value("A7"), QStringLiteral("总计"));
    // The template itself is never changed.
    XlsxWorkbook again;
    QVERIFY(again.open(kTemplate));
    QCOMPARE(again.sheetNames(), (QStringList{"标签", "列表", "统计"}));
}

void TestExports::templateIsNeverTheDestination() {
    // The template chosen as the file to save, through a link to its folder.
    ReportsFixture f;
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("program")));
    const QString copy = dir.filePath(QStringLiteral("program/moban.xlsx"));
    QVERIFY(QFile::copy(kTemplate, copy));
    QVERIFY(
        QFile::link(dir.filePath(QStringLiteral("program")), dir.filePath(QStringLiteral("link"))));
    const QDateTime before = QFileInfo(copy).lastModified();
    ReportModel results(InteractionResults::kColumns);
    StatisticsSheet sheet(f.clock, results, InteractionTotals{});
    QVERIFY(
        !SheetExport(f.prompter, copy).run(sheet, dir.filePath(QStringLiteral("link/moban.xlsx"))));
    QCOMPARE(f.prompter.texts(), QStringList{SheetExport::kTemplateChosen});
    QCOMPARE(QFileInfo(copy).lastModified(), before);
    QVERIFY(f.prompter.progressRuns.isEmpty());
}

void TestExports::templateCellsAndStyles() {
    // Without a sheet of the export's name the active sheet is filled, other
    // sheets stay, and cells are set over the template's own.
    QTemporaryDir dir;
    XlsxWorkbook book;
    QVERIFY(book.open(kTemplate));
    QCOMPARE(book.sheetName(), QStringLiteral("标签"));
    QVERIFY(!book.useSheet(QStringLiteral("没有这一页")));
    book.setCell(1, 1, QStringLiteral("  前后有空格  "));
    book.setCell(2, 28, QStringLiteral("AB2"));
    book.setCell(3, 1, QStringLiteral("行一\n行二"));
    book.setCell(4, 1, QString(QChar(0x01)) + QStringLiteral("控制字符"));
    const QString path = dir.filePath(QStringLiteral("cells.xlsx"));
    QVERIFY(book.saveAs(path));
    ReadBack back;
    READ_BACK(path, back);
    QCOMPARE(back.sheets, (QStringList{"标签", "列表", "统计"}));
    QCOMPARE(back.active, QStringLiteral("标签"));
    QCOMPARE(back.value("A1"), QStringLiteral("  前后有空格  "));
    QCOMPARE(back.value("AB2"), QStringLiteral("AB2"));
    QCOMPARE(back.value("A3"), QStringLiteral("行一\n行二"));
    QCOMPARE(back.value("A4"), QStringLiteral("控制字符"));

    // The list sheet's title cell keeps its place among the template's cells.
    XlsxWorkbook list;
    QVERIFY(list.open(kTemplate));
    QVERIFY(list.useSheet(QStringLiteral("列表")));
    list.setCell(1, 4, QStringLiteral("标题"));
    list.setCell(1, 1, QStringLiteral("左"));
    list.setCell(1, 9, QStringLiteral("右"));
    const QString listPath = dir.filePath(QStringLiteral("list.xlsx"));
    QVERIFY(list.saveAs(listPath));
    READ_BACK(listPath, back);
    QCOMPARE(back.active, QStringLiteral("列表"));
    QCOMPARE(back.value("A1"), QStringLiteral("左"));
    QCOMPARE(back.value("D1"), QStringLiteral("标题"));
    QVERIFY(back.bold("D1"));
    QCOMPARE(back.value("I1"), QStringLiteral("右"));

    // A path that cannot be written is reported, not half written.
    QVERIFY(!list.saveAs(dir.filePath(QStringLiteral("no/such/dir/x.xlsx"))));
    QVERIFY(!list.error().isEmpty());
}

void TestExports::databaseErrorSavesNothing() {
    ReportsFixture f;
    f.addContact(QStringLiteral("王一"));
    ReportModel model(ContactList::kColumns);
    listContacts(f, model, {0});
    QVERIFY(f.db.execute(sql::Statement("alter table userlogin rename to userlogin_gone")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xlsx"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    ContactListSheet sheet(f.db, f.clock, model);
    QVERIFY(!SheetExport(f.prompter, kTemplate).run(sheet, path));
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("错误"));
    QVERIFY(f.prompter.messages.first().text.contains(QStringLiteral("userlogin")));
    QVERIFY(f.prompter.progressRuns.first()->finished);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("earlier"));
}

// The exports read their records in batches through one compiled statement:
// each run sees its own values and the data as it is now, and a failure is
// shown once and does not stop the next run.
void TestExports::batchReadsRunAgainWithNewValues() {
    ReportsFixture f;
    const qint64 a = f.addContact(QStringLiteral("王一"));
    const qint64 b = f.addContact(QStringLiteral("李二"));
    RepeatedQuery reads(f.db);
    const QString byCode = QStringLiteral("select base_name from base where base_code=%ld");
    auto nameOf = [&](qint64 code) {
        QStringList names;
        const bool ok = reads.query(sql::format(byCode, code), [&](const Row& row) {
            names << row.textAt(0);
            return true;
        });
        return ok ? names.join(u',') : QStringLiteral("failed");
    };
    QCOMPARE(nameOf(a), QStringLiteral("王一"));
    QCOMPARE(nameOf(b), QStringLiteral("李二"));
    QCOMPARE(nameOf(-5), QString());

    // Changed by another connection between two runs.
    {
        Database other;
        QVERIFY(other.open(f.db.path()));
        QVERIFY(
            other.execute(sql::format("update base set base_name='王大' where base_code=%ld", a)));
    }
    QCOMPARE(nameOf(a), QStringLiteral("王大"));

    // A run left early by its caller.
    int seen = 0;
    QVERIFY(reads.query(sql::Statement("select base_code from base"),
                        [&](const Row&) { return ++seen < 1; }));
    QCOMPARE(seen, 1);
    QVERIFY(f.prompter.messages.isEmpty());
    QVERIFY(!reads.query(sql::Statement("select nothing from nowhere"),
                         [](const Row&) { return true; }));
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(nameOf(b), QStringLiteral("李二"));
}

// Worksheet parts as other programs write them: an empty sheetData written
// short, a prefixed namespace, cells of the template with values of their own.
void TestExports::sheetXml_data() {
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QStringList>("expected"); // pieces the new part holds, in order

    const QString head = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet "
        "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\">");
    QTest::newRow("empty, written short")
        << head + QStringLiteral("<dimension ref=\"A1\"/><sheetData/><pageMargins "
                                 "left=\"0.7\"/></worksheet>")
        << QStringList{"<dimension ref=\"A1:B3\"/>",
                       "<sheetData><row r=\"1\"><c r=\"A1\" "
                       "t=\"inlineStr\"><is><t "
                       "xml:space=\"preserve\">a&amp;b</t></is></c>",
                       "<row r=\"3\"><c r=\"B3\" t=\"inlineStr\">", "</sheetData><pageMargins"};
    QTest::newRow("template cells kept and styled")
        << head +
               QStringLiteral("<cols><col min=\"2\" max=\"2\" width=\"9\" style=\"7\"/></cols>"
                              "<sheetData><row r=\"1\" spans=\"1:3\" x14ac:dyDescent=\"0.25\"><c "
                              "r=\"A1\" s=\"2\" t=\"s\"><v>0</v></c><c r=\"C1\" s=\"4\"/></row>"
                              "<row r=\"2\"><c r=\"A2\" s=\"5\"/></row></sheetData></worksheet>")
        << QStringList{"<row r=\"1\" x14ac:dyDescent=\"0.25\"><c r=\"A1\" s=\"2\" "
                       "t=\"s\"><v>0</v></c><c r=\"B1\" s=\"7\" t=\"inlineStr\">",
                       "<c r=\"C1\" s=\"4\" t=\"inlineStr\">",
                       "<row r=\"2\"><c r=\"A2\" s=\"5\"/></row>",
                       "<row r=\"3\"><c r=\"A3\" s=\"5\" t=\"inlineStr\">"};
    QTest::newRow("prefixed")
        << QStringLiteral("<x:worksheet "
                          "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                          "<x:sheetData></x:sheetData></x:worksheet>")
        << QStringList{"<x:sheetData><x:row r=\"1\"><x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t "
                       "xml:space=\"preserve\">a&amp;b</x:t></x:is></x:c>",
                       "</x:row>", "<x:row r=\"3\">", "</x:sheetData></x:worksheet>"};
}

void TestExports::sheetXml() {
    QFETCH(QString, xml);
    QFETCH(QStringList, expected);
    SheetXml sheet(xml);
    // A template cell not written keeps its own value.
    if (!xml.contains(QStringLiteral("r=\"A1\"")))
        sheet.setText(1, 1, QStringLiteral("a&b"));
    sheet.setText(3, 2, QStringLiteral("x"));
    if (xml.contains(QStringLiteral("C1")))
        sheet.setText(1, 3, QStringLiteral("over C1"));
    if (xml.contains(QStringLiteral("A2"))) {
        sheet.setText(1, 2, QStringLiteral("B1"));
        sheet.setText(3, 1, QStringLiteral("A3"));
    }
    QString error;
    const QString out = QString::fromUtf8(sheet.render(&error));
    QVERIFY2(!out.isEmpty(), qPrintable(error));
    qsizetype at = 0;
    for (const QString& piece : expected) {
        const qsizetype found = out.indexOf(piece, at);
        QVERIFY2(found >= 0, qPrintable(piece + QStringLiteral("\n in \n") + out));
        at = found + piece.size();
    }
    QVERIFY(!out.contains(QStringLiteral("spans")));
    QVERIFY(SheetXml(QStringLiteral("<worksheet><sheetData>")).render(&error).isEmpty());
    QVERIFY(!error.isEmpty());
}

// Texts as the cells' XML carries them, byte by byte (UTF-8 worked out by hand).
void TestExports::escapedBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("markup") << QStringLiteral("<a href=\"x\">R&D</a> 'q'")
                            << QByteArray("&lt;a href=&quot;x&quot;&gt;R&amp;D&lt;/a&gt; 'q'");
    QTest::newRow("entity already written") << QStringLiteral("&amp;") << QByteArray("&amp;amp;");
    QTest::newRow("control characters")
        << QString::fromUtf16(u"\u0001a\tb\nc\rd\u001f", 9) + QChar(0) + u'e'
        << QByteArray("a\tb\nc&#13;de");
    QTest::newRow("Chinese") << QStringLiteral("王小明")
                             << QByteArray("\xe7\x8e\x8b\xe5\xb0\x8f\xe6\x98\x8e");
    QTest::newRow("two and three bytes")
        << QStringLiteral("é∷") << QByteArray("\xc3\xa9\xe2\x88\xb7");
    QTest::newRow("pair of halves") << QStringLiteral("😀") << QByteArray("\xf0\x9f\x98\x80");
    const char16_t alone[] = {u'a', 0xD83D, u'b', 0xDE00, u'c', 0xDE00, 0xDE00, 0xD83D};
    QTest::newRow("halves alone") << QString::fromUtf16(alone, 8) << QByteArray("abc");
    const char16_t nonCharacters[] = {u'x', 0xFFFE, u'y', 0xFFFF, u'z'};
    QTest::newRow("not characters") << QString::fromUtf16(nonCharacters, 5) << QByteArray("xyz");
    QTest::newRow("long") << QString(100000, u'长') + u'&'
                          << QByteArray("\xe9\x95\xbf").repeated(100000) + "&amp;";
}

void TestExports::escapedBytes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    XmlBytes out(8); // grows as it goes
    out.appendLiteral("<t>");
    out.appendEscaped(text);
    out.appendLiteral("</t>");
    QCOMPARE(out.take(), "<t>" + bytes + "</t>");
}

// Cells set in any order, some more than once: written in row and column
// order, each place once with the last text set there.
void TestExports::cellOrder_data() {
    QTest::addColumn<QStringList>("sets"); // "row:column:text", in the order set
    QTest::addColumn<QString>("rows");     // the sheetData written

    const auto cell = [](const char* ref, const char* text) {
        return QStringLiteral("<c r=\"") + QLatin1String(ref) +
               QStringLiteral("\" t=\"inlineStr\"><is><t xml:space=\"preserve\">") +
               QString::fromUtf8(text) + QStringLiteral("</t></is></c>");
    };
    QTest::newRow("in order") << QStringList{"1:1:a", "1:2:b", "2:1:c"}
                              << "<row r=\"1\">" + cell("A1", "a") + cell("B1", "b") +
                                     "</row><row r=\"2\">" + cell("A2", "c") + "</row>";
    QTest::newRow("set again at once")
        << QStringList{"1:1:x", "1:1:y"} << "<row r=\"1\">" + cell("A1", "y") + "</row>";
    QTest::newRow("backwards, set again later")
        << QStringList{"2:2:b", "1:1:a", "2:1:c", "1:1:A", "3:1:", "2:2:B"}
        << "<row r=\"1\">" + cell("A1", "A") + "</row><row r=\"2\">" + cell("A2", "c") +
               cell("B2", "B") + "</row><row r=\"3\"><c r=\"A3\"/></row>";
    QTest::newRow("labels side by side")
        << QStringList{"1:1:一", "2:1:二", "4:1:四", "1:2:甲", "2:2:乙", "4:2:丁"}
        << "<row r=\"1\">" + cell("A1", "一") + cell("B1", "甲") + "</row><row r=\"2\">" +
               cell("A2", "二") + cell("B2", "乙") + "</row><row r=\"4\">" + cell("A4", "四") +
               cell("B4", "丁") + "</row>";
    QTest::newRow("far apart") << QStringList{"5000:28:far", "1:1:near", "5000:27:beside"}
                               << "<row r=\"1\">" + cell("A1", "near") + "</row><row r=\"5000\">" +
                                      cell("AA5000", "beside") + cell("AB5000", "far") + "</row>";
}

void TestExports::cellOrder() {
    QFETCH(QStringList, sets);
    QFETCH(QString, rows);
    SheetXml sheet(QStringLiteral("<worksheet><sheetData/></worksheet>"));
    QHash<QPair<int, int>, QString> last;
    for (const QString& set : sets) {
        const QStringList parts = set.split(u':');
        sheet.setText(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2));
        last[{parts.at(0).toInt(), parts.at(1).toInt()}] = parts.at(2);
    }
    for (auto it = last.cbegin(); it != last.cend(); ++it)
        QCOMPARE(sheet.text(it.key().first, it.key().second), it.value());
    QCOMPARE(sheet.text(9, 9), QString());
    QString error;
    QCOMPARE(QString::fromUtf8(sheet.render(&error)),
             "<worksheet><sheetData>" + rows + "</sheetData></worksheet>");
}

void TestExports::hostileTexts() {
    // What users type comes back from another program as typed, but for the
    // characters a workbook cannot hold; cells are set out of order, some twice.
    const QString longText = QString(20000, u'长') + QStringLiteral("<&>");
    const char16_t bell[] = {0x07, u'铃', 0x1B, u'声', 0x00};
    struct Case {
        const char* cell;
        int row;
        int column;
        QString text;
        QString expected; // empty: the cell reads back empty
    };
    const QList<Case> cases{
        {"C9", 9, 3, QStringLiteral("<b>粗体</b> & \"引号\" 'single'"),
         QStringLiteral("<b>粗体</b> & \"引号\" 'single'")},
        {"A2", 2, 1, QStringLiteral("&lt; 不是实体"), QStringLiteral("&lt; 不是实体")},
        {"B2", 2, 2, QString::fromUtf16(bell, 5), QStringLiteral("铃声")},
        {"A3", 3, 1, QStringLiteral("行一\r\n行二\t制表"), QStringLiteral("行一\r\n行二\t制表")},
        {"A4", 4, 1, QString(), QString()},
        {"B4", 4, 2, QStringLiteral("   "), QStringLiteral("   ")},
        {"A5", 5, 1, longText, longText},
        {"A6", 6, 1, QStringLiteral("表情😀与∷分隔"), QStringLiteral("表情😀与∷分隔")},
        {"AB7", 7, 28, QStringLiteral("王小明"), QStringLiteral("王小明")},
    };
    QTemporaryDir dir;
    XlsxWorkbook book;
    QVERIFY(book.open(kTemplate));
    QVERIFY(book.useSheet(QStringLiteral("列表")));
    book.setCell(2, 1, QStringLiteral("先写的"));
    book.setCell(4, 1, QStringLiteral("之后清空"));
    for (const Case& c : cases)
        book.setCell(c.row, c.column, c.text);
    const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
    QVERIFY2(book.saveAs(path), qPrintable(book.error()));
    ReadBack back;
    READ_BACK(path, back);
    for (const Case& c : cases) {
        if (c.expected.isEmpty()) {
            QVERIFY2(!back.has(QLatin1String(c.cell)), c.cell);
        } else {
            QCOMPARE(back.value(QLatin1String(c.cell)), c.expected);
            QCOMPARE(back.type(QLatin1String(c.cell)), QStringLiteral("s"));
        }
    }
}

// A record's fields become its cells; a field holding the separator fills
// more than one.
void TestExports::recordCut_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("none") << QStringList{} << QStringList{};
    QTest::newRow("plain") << QStringList{"王一", "", "经理"} << QStringList{"王一", "", "经理"};
    QTest::newRow("separator inside")
        << QStringList{"茶∷叶", "礼"} << QStringList{"茶", "叶", "礼"};
    QTest::newRow("separator at the ends")
        << QStringList{"∷头", "尾∷"} << QStringList{"", "头", "尾", ""};
    QTest::newRow("only separators") << QStringList{"∷∷"} << QStringList{"", "", ""};
}

void TestExports::recordCut() {
    QFETCH(QStringList, fields);
    QFETCH(QStringList, cells);
    QCOMPARE(record::cut(fields), cells);
}

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
