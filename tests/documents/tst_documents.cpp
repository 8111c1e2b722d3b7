// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "documents/DatumList.h"
#include "documents/DatumStore.h"
#include "documents/DocForm.h"
#include "documents/DocList.h"
#include "documents/DocStore.h"
#include "documents/FileOpener.h"
#include "featureapi/ListHost.h"
#include "support/FixedClock.h"
#include "support/RefusingTrigger.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "ui/ReportModel.h"

#include <QFile>
#include <QTest>

Q_DECLARE_METATYPE(DocField)

namespace {

class RecordingHost : public ListHost {
  public:
    void showNotice(const QString& text) override { calls << QStringLiteral("notice:") + text; }
    void showScore() override { calls << QStringLiteral("score"); }
    void contactsChanged(bool) override { calls << QStringLiteral("changed"); }
    QStringList calls;
};

class RecordingOpener : public FileOpener {
  public:
    bool open(const QString& path) override {
        opened << path;
        return works;
    }
    QStringList opened;
    bool works = true;
};

// A name with what paths and titles are made of: blanks, apostrophes, Chinese.
const QString kAwkward = QStringLiteral("O'Neil 的 '合同' 第1版.txt");

struct Fixture {
    TestHome home;
    ScriptedPrompter prompter;
    Database db{&prompter};
    RecordingHost host;
    RecordingOpener opener;

    Fixture() { db.open(home.databasePath()); }

    QString file(const QString& name) {
        const QString path = home.file(name);
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write("content");
        return path;
    }
    qint64 addContact(const QString& name) {
        db.execute(sql::format("insert into base(base_name,base_invalid_flag,base_user_code) "
                               "values('%s',1,1)",
                               name));
        return db.count("select max(base_code) from base");
    }
    qint64 code(const QString& table, const QString& name) {
        return db.count(sql::format(
            QStringLiteral("select %1_code from %1 where %1_name='%s'").arg(table), name));
    }
    qint64 insertDoc(qint64 contact, const QString& category, const QString& date,
                     const QString& hour, const QString& title, const QString& path = {}) {
        db.execute(sql::format("insert into doc(doc_base_code,doc_docsort_code,doc_date,doc_hour,"
                               "doc_minute,doc_title,doc_keyword,doc_descript,doc_filename,"
                               "doc_file) values(%ld,%ld,'%s','%s','05','%s','kw','desc','%s','')",
                               contact, code("docsort", category), date, hour, title, path));
        return db.count("select max(doc_code) from doc");
    }
    qint64 insertDatum(qint64 user, const QString& category, const QString& date,
                       const QString& title, const QString& path = {}) {
        db.execute(sql::format("insert into datum(datum_user_code,datum_datumsort_code,"
                               "datum_date,datum_hour,datum_minute,datum_title,datum_keyword,"
                               "datum_descript,datum_filename,datum_file) "
                               "values(%ld,%ld,'%s','09','30','%s','','','%s','')",
                               user, code("datumsort", category), date, title, path));
        return db.count("select max(datum_code) from datum");
    }
    // count() reads no negative numbers: the score may fall below zero.
    qint64 grade() {
        qint64 value = 0;
        db.query("select user_grade from userlogin where user_code=1", [&](const Row& row) {
            value = row.numberAt(0, 0);
            return false;
        });
        return value;
    }
    QHash<QString, QString> stored(const QString& table, const QString& code) {
        QHash<QString, QString> columns;
        db.query(sql::format(QStringLiteral("select * from %1 where %1_code=%s").arg(table), code),
                 [&](const Row& row) {
                     for (const char* c :
                          {"date", "hour", "minute", "title", "keyword", "descript", "filename",
                           "file", "user_code", "base_code", "docsort_code", "datumsort_code"})
                         columns.insert(QString::fromUtf8(c),
                                        row.text(table + u'_' + QString::fromUtf8(c)));
                     return false;
                 });
        return columns;
    }
    DocValues typed(const QString& title, const QString& path, const QString& category) {
        DocValues v;
        v.year = "2012";
        v.month = "05";
        v.day = "08";
        v.hour = "14";
        v.minute = "35";
        v.title = title;
        v.category = category;
        v.path = path;
        v.keyword = "关键 'k'";
        v.description = "第一行\n第二行 it's";
        return v;
    }
};

QStringList rowOf(const ReportModel& model, int row) {
    QStringList texts;
    for (int c = 0; c < model.columnCount(); ++c)
        texts << model.text(row, c);
    return texts;
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

  private slots:
    void captions_data();
    void captions();
    void checksInOrder_data();
    void checksInOrder();
    void contactDocumentsStoredExactly();
    void unknownCategoryIsRefused();
    void documentsNewestFirst();
    void addLoopRaisesTheScore();
    void deleteWalkPassesAFailedRow();
    void modifyTakesTheFirstTickedRow();
    void doubleClickModifiesThatRow();
    void tabNeedsAContact();
    void viewOpensTheStoredFile_data();
    void viewOpensTheStoredFile();
    void myDataOfEveryUserInTheCategory();
    void modifiedItemPassesToTheUser();
    void myDataAddShowsTheNewItems();
    void myDataOpenedOrDeleted();
};

void TestDocuments::captions_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    const int contact = int(DocKind::Contact);
    const int mine = int(DocKind::MyData);
    QTest::newRow("document add") << contact << int(DocMode::Add) << "文档增加";
    QTest::newRow("document modify") << contact << int(DocMode::Modify) << "文档修改";
    QTest::newRow("document other") << contact << int(DocMode::Manage) << "文档管理";
    QTest::newRow("my data add") << mine << int(DocMode::Add) << "我的资料增加";
    QTest::newRow("my data modify") << mine << int(DocMode::Modify) << "我的资料修改";
    QTest::newRow("my data other") << mine << int(DocMode::Manage) << "我的资料管理";
}

void TestDocuments::captions() {
    QFETCH(int, kind);
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QCOMPARE(docform::caption(DocKind(kind), DocMode(mode)), caption);
}

void TestDocuments::checksInOrder_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("message");
    QTest::addColumn<DocField>("field");
    const QString date = "日期输入有误!";
    const QString ok;
    const QString real = "real";
    auto row = [&](const char* name, const char* y, const char* m, const char* d,
                   const QString& path, const char* title, const char* category,
                   const QString& message, DocField field) {
        QTest::newRow(name) << y << m << d << path << title << category << message << field;
    };
    row("29 February of a leap year", "2012", "02", "29", real, "t", "合同", ok, DocField::Year);
    row("29 February otherwise", "2013", "02", "29", real, "t", "合同", date, DocField::Month);
    row("31 April", "2012", "04", "31", real, "t", "合同", date, DocField::Month);
    row("31 May", "2012", "05", "31", real, "t", "合同", ok, DocField::Year);
    row("no year", "", "05", "08", real, "t", "合同", date, DocField::Month);
    row("two-digit year", "12", "05", "08", real, "t", "合同", date, DocField::Month);
    row("letters for a year", "20x2", "05", "08", real, "t", "合同", date, DocField::Month);
    row("no month", "2012", "", "08", real, "t", "合同", date, DocField::Month);
    row("date before file", "2013", "02", "29", "", "", "", date, DocField::Month);
    row("no file", "2012", "05", "08", "", "", "", "请输入文件名!", DocField::File);
    row("file gone", "2012", "05", "08", "missing", "t", "合同", "文件不存在,请重新输入!",
        DocField::File);
    row("a folder is no file", "2012", "05", "08", "folder", "t", "合同", "文件不存在,请重新输入!",
        DocField::File);
    row("file before title", "2012", "05", "08", "missing", "", "", "文件不存在,请重新输入!",
        DocField::File);
    row("no title", "2012", "05", "08", real, "", "", "请输入文档标题!", DocField::Title);
    row("no category", "2012", "05", "08", real, "t", "", "请选择文档类别!", DocField::Category);
}

void TestDocuments::checksInOrder() {
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, path);
    QFETCH(QString, title);
    QFETCH(QString, category);
    QFETCH(QString, message);
    QFETCH(DocField, field);
    Fixture f;
    DocValues v;
    v.year = year;
    v.month = month;
    v.day = day;
    v.title = title;
    v.category = category;
    if (path == QLatin1String("real"))
        v.path = f.file(kAwkward);
    else if (path == QLatin1String("missing"))
        v.path = f.home.file(QStringLiteral("gone.txt"));
    else if (path == QLatin1String("folder"))
        v.path = f.home.dir();
    const auto failure = docform::check(v);
    if (message.isEmpty()) {
        QVERIFY(!failure);
        return;
    }
    QVERIFY(failure);
    QCOMPARE(failure->message, message);
    QCOMPARE(failure->field, field);

    // The store shows the message as a notice and writes nothing.
    const qint64 ann = f.addContact("Ann");
    DocStore store(f.db, f.prompter);
    QVERIFY(!store.save(DocMode::Add, ann, v));
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages[0].icon, PromptIcon::Information);
    QCOMPARE(f.prompter.messages[0].text, message);
    QCOMPARE(*store.failedField(), field);
    QCOMPARE(f.db.count("select count(*) from doc"), 0);
}

void TestDocuments::contactDocumentsStoredExactly() {
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    const QString path = f.file(kAwkward);
    DocStore store(f.db, f.prompter);
    DocValues v = f.typed(QStringLiteral("O'Neil 的合同 'v1'"), path, QStringLiteral("合同"));
    v.file = QStringLiteral("stale name from an earlier browse.doc");
    QVERIFY(store.save(DocMode::Add, ann, v));
    QVERIFY(v.code.toLongLong() > 0);
    auto row = f.stored("doc", v.code);
    QCOMPARE(row["base_code"], QString::number(ann));
    QCOMPARE(row["date"], QStringLiteral("2012-05-08"));
    QCOMPARE(row["hour"], QStringLiteral("14"));
    QCOMPARE(row["minute"], QStringLiteral("35"));
    QCOMPARE(row["title"], QStringLiteral("O'Neil 的合同 'v1'"));
    QCOMPARE(row["keyword"], QStringLiteral("关键 'k'"));
    QCOMPARE(row["descript"], QStringLiteral("第一行\n第二行 it's"));
    QCOMPARE(row["filename"], path);
    QCOMPARE(row["file"], kAwkward);
    QCOMPARE(row["docsort_code"], QString::number(f.code("docsort", "合同")));

    const QString other = f.file(QStringLiteral("简历 of 'Bob'.pdf"));
    v.title = QStringLiteral("Bob's 简历");
    v.category = QStringLiteral("简历");
    v.path = other;
    v.year = QStringLiteral("2003");
    v.hour.clear();
    QVERIFY(store.save(DocMode::Modify, ann, v));
    row = f.stored("doc", v.code);
    QCOMPARE(row["title"], QStringLiteral("Bob's 简历"));
    QCOMPARE(row["date"], QStringLiteral("2003-05-08"));
    QCOMPARE(row["hour"], QString());
    QCOMPARE(row["filename"], other);
    QCOMPARE(row["file"], QStringLiteral("简历 of 'Bob'.pdf"));
    QCOMPARE(row["docsort_code"], QString::number(f.code("docsort", "简历")));
    QCOMPARE(f.db.count("select count(*) from doc"), 1);
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestDocuments::unknownCategoryIsRefused() {
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    DocValues v = f.typed("t", f.file("a.txt"), "没有这个类别");
    QVERIFY(!DocStore(f.db, f.prompter).save(DocMode::Add, ann, v));
    QCOMPARE(f.prompter.texts(), QStringList{"数据库操作失败,请与系统管理员联系!"});
    QVERIFY(!DatumStore(f.db, f.prompter).save(DocMode::Add, 1, v));
    QCOMPARE(f.prompter.lastText(), QStringLiteral("数据库操作失败,请与系统管理员联系!"));
    QCOMPARE(f.db.count("select count(*) from doc"), 0);
    QCOMPARE(f.db.count("select count(*) from datum"), 0);
}

void TestDocuments::documentsNewestFirst() {
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    f.insertDoc(ann, "合同", "2011-12-30", "09", "old");
    f.insertDoc(ann, "名片", "2012-01-02", "08", "early");
    f.insertDoc(ann, "照片", "2012-01-02", "17", "late");
    const qint64 orphan = f.insertDoc(ann, "其他", "2013-01-01", "01", "orphan");
    f.db.execute("delete from docsort where docsort_name='其他'");
    f.insertDoc(f.addContact("Bob"), "合同", "2012-01-01", "01", "Bob's");
    ReportModel model(DocStore::kColumns);
    DocList list(f.db, f.prompter, model, f.opener, 1);
    QVERIFY(list.showContact(ann));
    QStringList titles;
    for (int r = 0; r < model.rowCount(); ++r)
        titles << model.text(r, 3);
    QCOMPARE(titles, (QStringList{"late", "early", "old"}));
    QCOMPARE(rowOf(model, 0).mid(2), (QStringList{"2012-01-02", "late", "照片", "kw", "desc"}));
    QVERIFY(f.db.count(sql::format("select count(*) from doc where doc_code=%ld", orphan)) == 1);
}

void TestDocuments::addLoopRaisesTheScore() {
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    ReportModel model(DocStore::kColumns);
    DocList list(f.db, f.prompter, model, f.opener, 1);
    list.setHost(&f.host);
    int changes = 0;
    list.setOnChanged([&] { ++changes; });
    QVERIFY(list.showContact(ann));
    QStringList titles;
    list.setEditor([&](DocList::Edit& edit) {
        if (titles.isEmpty())
            return false;
        edit.values = f.typed(titles.takeFirst(), f.file(kAwkward), "合同");
        return DocStore(f.db, f.prompter).save(edit.mode, edit.contact, edit.values);
    });
    const qint64 before = f.grade();
    // A form cancelled at its first opening changes nothing and asks nothing.
    QCOMPARE(list.add(), 0);
    QVERIFY(f.prompter.messages.isEmpty());
    QCOMPARE(changes, 0);
    titles = QStringList{"甲's", "乙 合同", "丙"};
    f.prompter.answer(true);
    f.prompter.answer(true);
    f.prompter.answer(false);
    QCOMPARE(list.add(), 3);
    QCOMPARE(f.grade() - before, 15);
    QCOMPARE(f.prompter.texts(), QStringList(3, "继续增加吗?"));
    QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(f.host.calls, (QStringList{"notice:等级分增加 15 分!", "score"}));
    QCOMPARE(changes, 1);
    QCOMPARE(model.rowCount(), 3);
    // The rows appended read as the list reads them from the table.
    QList<QStringList> appended;
    for (int r = 0; r < 3; ++r)
        appended << rowOf(model, r);
    QVERIFY(list.showContact(ann));
    for (int r = 0; r < 3; ++r)
        QVERIFY(appended.contains(rowOf(model, r)));
}

void TestDocuments::deleteWalkPassesAFailedRow() {
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    const QString path = f.file(kAwkward);
    f.insertDoc(ann, "合同", "2012-01-03", "09", "a", path);
    const qint64 locked = f.insertDoc(ann, "合同", "2012-01-02", "09", "b", path);
    f.insertDoc(ann, "合同", "2012-01-01", "09", "c", path);
    QVERIFY(refuseWrites(f.db, "keep", "before delete on doc",
                         QStringLiteral("old.doc_code=%1").arg(locked), "locked"));
    ReportModel model(DocStore::kColumns);
    DocList list(f.db, f.prompter, model, f.opener, 1);
    list.setHost(&f.host);
    int changes = 0;
    list.setOnChanged([&] { ++changes; });
    QVERIFY(list.showContact(ann));
    for (int r = 0; r < 3; ++r)
        model.setChecked(r, true);
    const qint64 before = f.grade();
    f.prompter.answer(true);
    QCOMPARE(list.remove(), 2);
    QCOMPARE(f.grade() - before, -10);
    QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("确认"));
    QCOMPARE(f.prompter.messages[0].text, QStringLiteral("确定要删除所选资料吗?"));
    QCOMPARE(f.prompter.messages[1].caption, QStringLiteral("错误"));
    QCOMPARE(f.prompter.messages.size(), 2);
    QCOMPARE(f.host.calls, (QStringList{"notice:等级分减少 10 分!", "score"}));
    QCOMPARE(changes, 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.key(0), QString::number(locked));
    QVERIFY(QFile::exists(path));
}

void TestDocuments::modifyTakesTheFirstTickedRow() {
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    const QString path = f.file(kAwkward);
    f.insertDoc(ann, "合同", "2012-01-03", "09", "first");
    const qint64 second = f.insertDoc(ann, "名片", "2004-11-30", "17", "second", path);
    ReportModel model(DocStore::kColumns);
    DocList list(f.db, f.prompter, model, f.opener, 1);
    list.setHost(&f.host);
    int changes = 0;
    list.setOnChanged([&] { ++changes; });
    QVERIFY(list.showContact(ann));
    model.setChecked(1, true);
    DocList::Edit shown;
    list.setEditor([&](DocList::Edit& edit) {
        shown = edit;
        edit.values.title = QStringLiteral("second's new title");
        edit.values.category = QStringLiteral("简历");
        edit.values.month = QStringLiteral("12");
        return DocStore(f.db, f.prompter).save(edit.mode, edit.contact, edit.values);
    });
    const qint64 before = f.grade();
    QVERIFY(list.modifyTicked());
    QCOMPARE(shown.mode, DocMode::Modify);
    QCOMPARE(shown.values.code, QString::number(second));
    QCOMPARE(shown.values.year, QStringLiteral("2004"));
    QCOMPARE(shown.values.month, QStringLiteral("11"));
    QCOMPARE(shown.values.day, QStringLiteral("30"));
    QCOMPARE(shown.values.hour, QStringLiteral("17"));
    QCOMPARE(shown.values.minute, QStringLiteral("05"));
    QCOMPARE(shown.values.title, QStringLiteral("second"));
    QCOMPARE(shown.values.category, QStringLiteral("名片"));
    QCOMPARE(shown.values.path, path);
    QCOMPARE(rowOf(model, 1), (QStringList{"", QString::number(second), "2004-12-30",
                                           "second's new title", "简历", "kw", "desc"}));
    QCOMPARE(f.grade(), before);
    QVERIFY(f.host.calls.isEmpty());
    // A new title or category changes what the tree lists under "文档资料".
    QCOMPARE(changes, 1);
}

void TestDocuments::doubleClickModifiesThatRow() {
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    const QString path = f.file(kAwkward);
    f.insertDoc(ann, "合同", "2012-01-03", "09", "first", path);
    f.insertDoc(ann, "合同", "2012-01-02", "09", "second", path);
    ReportModel model(DocStore::kColumns);
    DocList list(f.db, f.prompter, model, f.opener, 1);
    QVERIFY(list.showContact(ann));
    QString opened;
    list.setEditor([&](DocList::Edit& edit) {
        opened = edit.values.title;
        return false;
    });
    model.setChecked(0, true);
    QVERIFY(!list.modifyRow(1));
    QCOMPARE(opened, QStringLiteral("second"));
    QVERIFY(model.isChecked(1));
    QVERIFY(!list.modifyRow(-1));
    QCOMPARE(f.prompter.lastText(), QStringLiteral("请选择所要操作的数据!"));
}

void TestDocuments::tabNeedsAContact() {
    Fixture f;
    ReportModel model(DocStore::kColumns);
    DocList list(f.db, f.prompter, model, f.opener, 1);
    bool opened = false;
    list.setEditor([&](DocList::Edit&) {
        opened = true;
        return false;
    });
    list.add();
    list.modifyTicked();
    list.remove();
    QVERIFY(list.showContact(f.addContact("Ann")));
    list.clearContact();
    list.add();
    QVERIFY(!opened);
    QCOMPARE(f.prompter.texts(),
             (QStringList{"请先选择相关资料,再使用此功能!", "请先选择相关资料,再使用此功能",
                          "请先选择相关资料,再使用此功能!", "请先选择相关资料,再使用此功能!"}));
}

void TestDocuments::viewOpensTheStoredFile_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message");
    QTest::newRow("awkward name") << kAwkward << true << "";
    QTest::newRow("no path stored") << "" << true << "该文档名称有问题,请检查!";
    QTest::newRow("moved away") << "gone" << true << "文件不存在,请重新输入!";
    QTest::newRow("nothing to open it") << kAwkward << false << "无法打开文件 [%1]!";
}

void TestDocuments::viewOpensTheStoredFile() {
    QFETCH(QString, stored);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    Fixture f;
    const qint64 ann = f.addContact("Ann");
    QString path;
    if (stored == kAwkward)
        path = f.file(kAwkward);
    else if (stored == QLatin1String("gone"))
        path = f.home.file(QStringLiteral("已删除 'x'.doc"));
    f.insertDoc(ann, "合同", "2012-01-03", "09", "doc", path);
    f.opener.works = opens;
    ReportModel model(DocStore::kColumns);
    DocList list(f.db, f.prompter, model, f.opener, 1);
    QVERIFY(list.showContact(ann));
    QVERIFY(!list.view(-1));
    QCOMPARE(f.prompter.texts(), QStringList{"请选择所要查看的资料!"});
    f.prompter.clear();
    list.view(0);
    if (message.isEmpty()) {
        QVERIFY(f.prompter.messages.isEmpty());
        QCOMPARE(f.opener.opened, QStringList{path});
        return;
    }
    QCOMPARE(f.prompter.texts(), QStringList{message.contains("%1") ? message.arg(path) : message});
    QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("提示"));
    // The desktop was asked only for a file that is there.
    QCOMPARE(f.opener.opened, stored == kAwkward ? QStringList{path} : QStringList());
}

void TestDocuments::myDataOfEveryUserInTheCategory() {
    Fixture f;
    f.db.execute("insert into userlogin(user_name,user_pwd,user_dep_code,user_grade) "
                 "values('bob','',1,0)");
    const qint64 bob = f.db.count("select max(user_code) from userlogin");
    f.insertDatum(1, "工作计划", "2012-03-01", "admin's plan");
    f.insertDatum(bob, "工作计划", "2012-04-01", "Bob's plan");
    f.insertDatum(1, "学习资料", "2012-05-01", "other category");
    f.insertDatum(9999, "工作计划", "2012-06-01", "nobody's");
    ReportModel model(DatumStore::kColumns);
    DatumList list(f.db, f.prompter, model, f.opener);
    QVERIFY(list.load(f.code("datumsort", "工作计划")));
    QCOMPARE(model.columnCount(), 6);
    QStringList titles;
    for (int r = 0; r < model.rowCount(); ++r)
        titles << model.text(r, 3);
    QCOMPARE(titles, (QStringList{"Bob's plan", "admin's plan"}));
    QCOMPARE(rowOf(model, 0).mid(2), (QStringList{"2012-04-01", "Bob's plan", "", ""}));
}

void TestDocuments::modifiedItemPassesToTheUser() {
    Fixture f;
    f.db.execute("insert into userlogin(user_name,user_pwd,user_dep_code,user_grade) "
                 "values('bob','',1,0)");
    const qint64 bob = f.db.count("select max(user_code) from userlogin");
    const QString path = f.file(kAwkward);
    const qint64 plan = f.insertDatum(bob, "工作计划", "2012-04-01", "Bob's plan", path);
    const qint64 moved = f.insertDatum(bob, "工作计划", "2012-03-01", "to move", path);
    ReportModel model(DatumStore::kColumns);
    DatumList list(f.db, f.prompter, model, f.opener);
    const qint64 plans = f.code("datumsort", "工作计划");
    QVERIFY(list.load(plans));
    DatumList::Edit shown;
    list.setEditor([&](DatumList::Edit& edit) {
        shown = edit;
        edit.values.title += QStringLiteral(" (admin's)");
        if (edit.values.code == QString::number(moved))
            edit.values.category = QStringLiteral("学习资料");
        return DatumStore(f.db, f.prompter).save(edit.mode, 1, edit.values);
    });
    QVERIFY(!list.modifyTicked());
    QCOMPARE(f.prompter.texts(), QStringList{"请在选择框中选中所要修改的资料!"});
    f.prompter.clear();

    model.setChecked(0, true);
    QVERIFY(list.modifyTicked());
    QCOMPARE(shown.values.category, QStringLiteral("工作计划"));
    QCOMPARE(shown.values.path, path);
    QCOMPARE(shown.values.hour, QStringLiteral("09"));
    auto row = f.stored("datum", QString::number(plan));
    QCOMPARE(row["user_code"], QStringLiteral("1"));
    QCOMPARE(row["title"], QStringLiteral("Bob's plan (admin's)"));
    QCOMPARE(model.text(0, 3), QStringLiteral("Bob's plan (admin's)"));
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages[0].text, QStringLiteral("修改成功!"));
    QCOMPARE(f.prompter.messages[0].icon, PromptIcon::Question);

    // An item moved to another category leaves this category's list.
    model.setChecked(0, false);
    model.setChecked(1, true);
    QVERIFY(list.modifyTicked());
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.key(0), QString::number(plan));
}

void TestDocuments::myDataAddShowsTheNewItems() {
    Fixture f;
    ReportModel model(DatumStore::kColumns);
    DatumList list(f.db, f.prompter, model, f.opener);
    QVERIFY(list.load(f.code("datumsort", "个人文档")));
    QStringList titles{"甲", "乙"};
    list.setEditor([&](DatumList::Edit& edit) {
        if (titles.isEmpty())
            return false;
        edit.values = f.typed(titles.takeFirst(), f.file(kAwkward), "个人文档");
        return DatumStore(f.db, f.prompter).save(edit.mode, 1, edit.values);
    });
    const qint64 before = f.grade();
    f.prompter.answer(true);
    f.prompter.answer(false);
    QCOMPARE(list.add(), 2);
    QCOMPARE(f.prompter.texts(), QStringList(2, "继续增加吗?"));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(f.grade(), before);
}

void TestDocuments::myDataOpenedOrDeleted() {
    Fixture f;
    const QString path = f.file(kAwkward);
    const QString gone = f.home.file(QStringLiteral("搬走了 'it'.xls"));
    f.insertDatum(1, "工作计划", "2012-04-01", "here", path);
    f.insertDatum(1, "工作计划", "2012-03-01", "gone", gone);
    ReportModel model(DatumStore::kColumns);
    DatumList list(f.db, f.prompter, model, f.opener);
    QVERIFY(list.load(f.code("datumsort", "工作计划")));
    QVERIFY(!list.open(-1));
    QVERIFY(list.open(0));
    QVERIFY(!list.open(1));
    QCOMPARE(f.opener.opened, QStringList{path});
    QCOMPARE(f.prompter.texts(),
             (QStringList{"请选择所要操作的数据!", QStringLiteral("文件 [%1] 不存在!").arg(gone)}));

    // Deleting an item leaves the score and the file alone.
    f.prompter.clear();
    QCOMPARE(list.remove(), 0);
    model.setChecked(0, true);
    const qint64 before = f.grade();
    f.prompter.answer(true);
    QCOMPARE(list.remove(), 1);
    QCOMPARE(f.prompter.texts(), (QStringList{"请选择所要删除的资料!", "确定要删除所选资料吗?"}));
    QCOMPARE(f.grade(), before);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(f.db.count("select count(*) from datum"), 1);
    QVERIFY(QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestDocuments)
#include "tst_documents.moc"
