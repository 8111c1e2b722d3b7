// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AutoResetEvent.h"
#include "db/BaseCounts.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "tree/DepartmentNodes.h"
#include "tree/QueuedPrompter.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeBuilder.h"
#include "tree/TreeCounts.h"
#include "tree/TreeSelection.h"
#include "tree/TreeSink.h"
#include "tree/TreeWorker.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <vector>

namespace {

// The tree as plain captions, built by the same operations the widget offers.
class CaptionTree : public TreeSink {
  public:
    CaptionTree() { nodes_.push_back({}); }
    using TreeSink::findOrAddTopLevel;

    void clearTree() override {
        nodes_.assign(1, Node{});
        ids_.clear();
    }
    TreeNode findOrAddTopLevel(const QString& pattern, CaptionMatch match,
                               const QString& caption) override {
        int found = -1;
        for (int child : nodes_[0].children) {
            const QString& text = nodes_[child].caption;
            if (match == CaptionMatch::Contains ? text.contains(pattern) : text == pattern) {
                found = child;
                break;
            }
        }
        if (found < 0)
            found = append(0, caption);
        nodes_[found].caption = caption;
        return bind(found);
    }
    TreeNode findOrAddChild(TreeNode parent, const QString& caption) override {
        const int under = ids_.value(parent, -1);
        for (int child : nodes_[under].children)
            if (nodes_[child].caption == caption)
                return bind(child);
        return bind(append(under, caption));
    }
    void removeChildren(TreeNode node) override { nodes_[ids_.value(node)].children.clear(); }
    TreeNode addChild(TreeNode parent, const QString& caption) override {
        return bind(append(ids_.value(parent), caption));
    }
    void setCaption(TreeNode node, const QString& caption) override {
        nodes_[ids_.value(node)].caption = caption;
    }
    void expand(TreeNode node) override { nodes_[ids_.value(node)].expanded = true; }
    void buildStarted() override { ++started; }
    void buildEnded(bool complete) override { endings.append(complete); }

    QStringList topLevel() const { return captionsOf(0); }
    // Captions of the children of the node reached by a path of captions.
    QStringList children(const QStringList& path) const { return captionsOf(find(path)); }
    bool expanded(const QStringList& path) const { return nodes_[find(path)].expanded; }

    int started = 0;
    QList<bool> endings;

  private:
    struct Node {
        QString caption;
        QList<int> children;
        bool expanded = false;
    };
    int append(int parent, const QString& caption) {
        nodes_.push_back({caption, {}, false});
        const int index = int(nodes_.size()) - 1;
        nodes_[parent].children.append(index);
        return index;
    }
    TreeNode bind(int index) {
        const TreeNode node = newNode();
        ids_.insert(node, index);
        return node;
    }
    int find(const QStringList& path) const {
        int at = 0;
        for (const QString& caption : path) {
            int next = -1;
            for (int child : nodes_[at].children)
                if (nodes_[child].caption == caption)
                    next = child;
            if (next < 0)
                return 0;
            at = next;
        }
        return at;
    }
    QStringList captionsOf(int index) const {
        QStringList out;
        for (int child : nodes_[index].children)
            out << nodes_[child].caption;
        return out;
    }

    std::vector<Node> nodes_;
    QHash<TreeNode, int> ids_;
};

// Records which thread each message arrived on.
class ThreadRecordingPrompter : public ScriptedPrompter {
  public:
    void notice(const QString& caption, const QString& text, PromptIcon icon) override {
        threads.append(QThread::currentThread());
        ScriptedPrompter::notice(caption, text, icon);
    }
    QList<QThread*> threads;
};

const QStringList kFolders = {"关系类别", "人脉级别", "区域分布",
                              "省份分布", "职务分布", "行业分布"};

// One contact; reference columns name their rows by name, NULL where not given.
QString contact(const QString& name, int live, const QString& relation, const QString& level,
                const QString& region, const QString& province, const QString& duty,
                const QString& industry, int user = 1, int department = 1) {
    auto code = [](const QString& table, const QString& value) {
        return value == QStringLiteral("-")
                   ? QStringLiteral("NULL")
                   : QStringLiteral("(select %1_code from %1 where %1_name='%2')")
                         .arg(table, value);
    };
    return QStringLiteral("insert into base(base_name,base_invalid_flag,base_type_code,"
                          "base_sort_code,work_region_code,work_province_code,work_duty_code,"
                          "work_industry_code,base_user_code,base_user_dep_code) values "
                          "('%1',%2,%3,%4,%5,%6,%7,%8,%9,%10)")
        .arg(name)
        .arg(live)
        .arg(code("relationsort", relation), code("sort", level), code("region", region),
             code("province", province), code("duty", duty), code("industry", industry))
        .arg(user)
        .arg(department);
}

QString document(const QString& contactName, const QString& sort, const QString& title,
                 const QString& file = QString()) {
    return QStringLiteral("insert into doc(doc_base_code,doc_docsort_code,doc_title,doc_filename) "
                          "values((select base_code from base where base_name='%1'),"
                          "(select docsort_code from docsort where docsort_name='%2'),'%3','%4')")
        .arg(contactName, sort, QString(title).replace("'", "''"), file);
}

// Builds on the calling thread, without stops.
void buildNow(CaptionTree& tree, Database& db, qint64 user = 1) {
    const FixedClock clock;
    ReminderNodes reminders(clock);
    AutoResetEvent stop, done;
    TreeBuilder(tree, reminders, stop, done, user).run(db);
}

} // namespace

class TestTreeBuilder : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();

    void emptyDatabaseGivesTheSkeleton();
    void foldersListValuesWithContacts_data();
    void foldersListValuesWithContacts();
    void documentsListCategoriesAndTitles();
    void countHelperSkipsEmptyFragments();
    void departmentsListEveryDepartmentAndUser();
    void keptCountsFollowEveryChange();

    void selectionRules_data();
    void selectionRules();
    void doubleClickOnDocumentTitle_data();
    void doubleClickOnDocumentTitle();

    void failingStatementIsReportedOnTheReceiversThread();
    void workerRefusesASecondBuild();
    void stoppedBuilderSetsDoneEveryTime();
    void builderUsesItsOwnConnection();

  private:
    QString codeOf(const QString& table, const QString& name);

    TestHome home_;
    ScriptedPrompter prompter_;
    Database db_{&prompter_};
    CaptionTree seeded_;
    QString existingFile_;
};

void TestTreeBuilder::initTestCase() {
    QVERIFY(home_.isValid());
    QVERIFY(db_.open(home_.databasePath()));
    const QStringList seed = {
        contact("甲", 1, "客户", "A级-核心", "华东", "上海市", "总经理", "金融"),
        contact("乙", 1, "客户", "", "华北", "北京市", "经理", "金融"),
        contact("丙", 1, "朋友", "C级-一般", "华东", "上海市", "", ""),
        contact("丁", 0, "同学", "A级-核心", "西北", "甘肃省", "局长", "法律"),
        contact("戊", 1, "-", "-", "-", "-", "-", "-", 1, 2),
        "insert into relationsort(relationsort_name) values('老 朋友')",
        document("甲", "合同", "乙方协议", home_.file("yifang.txt")),
        document("乙", "合同", "O'Neil 协议", home_.file("missing.txt")),
        document("丁", "合同", "作废"),
        document("丙", "", "备忘"),
        document("丁", "照片", "合影"),
        "insert into userlogin(user_name,user_dep_code) values('小王',2)",
        "insert into userlogin(user_name,user_dep_code) values('老李',2)",
    };
    for (const QString& statement : seed)
        QVERIFY2(db_.execute(sql::Statement(statement)), qPrintable(db_.lastError()));
    existingFile_ = home_.file("yifang.txt");
    QFile file(existingFile_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    buildNow(seeded_, db_);
    QVERIFY(prompter_.messages.isEmpty());
}

QString TestTreeBuilder::codeOf(const QString& table, const QString& name) {
    qint64 code = -1;
    db_.query(sql::Statement(
                  QStringLiteral("select %1_code from %1 where %1_name='%2'").arg(table, name)),
              [&](const Row& row) {
                  code = row.numberAt(0);
                  return false;
              });
    return QString::number(code);
}

void TestTreeBuilder::emptyDatabaseGivesTheSkeleton() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    CaptionTree tree;
    buildNow(tree, db);

    QCOMPARE(tree.topLevel(), (QStringList{"全部人脉 <共0个>", "事务提醒 ", "日常关怀 ", "文档资料",
                                           "垃圾箱 <共0个>"}));
    QCOMPARE(tree.children({"全部人脉 <共0个>"}), kFolders);
    for (const QString& folder : kFolders)
        QVERIFY2(tree.children({"全部人脉 <共0个>", folder}).isEmpty(), qPrintable(folder));
    QCOMPARE(tree.children({"事务提醒 "}),
             (QStringList{"预先安排 <0>", "当天事务 <0>", "逾期事务 <0>"}));
    QCOMPARE(tree.children({"日常关怀 "}), (QStringList{"生日关怀 (0)", "家庭关怀 (0)"}));
    QVERIFY(tree.children({"文档资料"}).isEmpty());
    QVERIFY(tree.children({"垃圾箱 <共0个>"}).isEmpty());
    QVERIFY(tree.expanded({"全部人脉 <共0个>"}));
    QCOMPARE(tree.started, 1);
    QCOMPARE(tree.endings, QList<bool>{true});
    QVERIFY(prompter.messages.isEmpty());
}

void TestTreeBuilder::foldersListValuesWithContacts_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("values");
    // Names descending (levels and positions by descending value); values
    // without live contacts are left out, the empty name reads "未知".
    QTest::newRow("relations") << "关系类别" << QStringList{"朋友 (1)", "客户 (2)"};
    QTest::newRow("levels") << "人脉级别"
                            << QStringList{"A级-核心 (1)", "C级-一般 (1)", "未知 (1)"};
    QTest::newRow("regions") << "区域分布" << QStringList{"华东 (2)", "华北 (1)"};
    QTest::newRow("provinces") << "省份分布" << QStringList{"上海市 (2)", "北京市 (1)"};
    QTest::newRow("duties") << "职务分布" << QStringList{"总经理 (1)", "经理 (1)", "未知 (1)"};
    QTest::newRow("industries") << "行业分布" << QStringList{"金融 (2)", "未知 (1)"};
}

void TestTreeBuilder::foldersListValuesWithContacts() {
    QFETCH(QString, folder);
    QFETCH(QStringList, values);
    QCOMPARE(seeded_.topLevel().first(), QStringLiteral("全部人脉 <共4个>"));
    QCOMPARE(seeded_.topLevel().last(), QStringLiteral("垃圾箱 <共1个>"));
    QCOMPARE(seeded_.children({"全部人脉 <共4个>", folder}), values);
}

void TestTreeBuilder::documentsListCategoriesAndTitles() {
    // Categories whose documents all belong to trashed contacts are left out.
    QCOMPARE(seeded_.children({"文档资料"}), (QStringList{"合同 (2)", "未知 (1)"}));
    QCOMPARE(seeded_.children({"文档资料", "合同 (2)"}), (QStringList{"O'Neil 协议", "乙方协议"}));
    QCOMPARE(seeded_.children({"文档资料", "未知 (1)"}), QStringList{"备忘"});
}

void TestTreeBuilder::countHelperSkipsEmptyFragments() {
    ScriptedPrompter prompter;
    Database closed(&prompter);
    // A statement on a closed connection would fail and be reported.
    QCOMPARE(tree::countContacts(closed, sql::Statement(QString())), 0);
    QVERIFY(prompter.messages.isEmpty());

    QCOMPARE(tree::countContacts(db_, sql::Statement(QStringLiteral("base_invalid_flag=1"))), 4);
    prompter_.clear();
    QCOMPARE(tree::countContacts(db_, sql::Statement(QStringLiteral("no_such_column=1"))), -1);
    QCOMPARE(prompter_.messages.size(), 1);
    QCOMPARE(prompter_.messages[0].caption, QStringLiteral("错误"));
    prompter_.clear();
}

void TestTreeBuilder::departmentsListEveryDepartmentAndUser() {
    CaptionTree tree;
    tree.findOrAddTopLevel(QStringLiteral("垃圾箱 <共1个>"));
    DepartmentNodes(tree, db_).rebuild();
    DepartmentNodes(tree, db_).rebuild();
    QCOMPARE(tree.topLevel(), (QStringList{"垃圾箱 <共1个>", "部门分布"}));
    // Departments by name descending in pinyin (zong, xing, xiao, shi, cai),
    // also those without contacts.
    QCOMPARE(tree.children({"部门分布"}), (QStringList{"总经理办公室 (3)", "行政部 (0)",
                                                       "销售部 (1)", "市场部 (0)", "财务部 (0)"}));
    QCOMPARE(tree.children({"部门分布", "总经理办公室 (3)"}), QStringList{"admin (4)"});
    QCOMPARE(tree.children({"部门分布", "销售部 (1)"}), (QStringList{"老李 (0)", "小王 (0)"}));
    QVERIFY(tree.children({"部门分布", "市场部 (0)"}).isEmpty());
}

namespace {

// Every folder, the root and the trash: what the builder reads from the kept
// counts against what a count of base says, as "code name count" lines.
QStringList keptAgainstCounted(Database& db) {
    QStringList differences;
    const auto lines = [&](const sql::Statement& statement) {
        QStringList out;
        db.query(statement, [&](const Row& row) {
            out << QStringLiteral("%1 %2 %3")
                       .arg(row.textAt(0), row.textAt(1))
                       .arg(row.numberAt(2, 0));
            return true;
        });
        return out;
    };
    for (const TreeBuilder::Folder& folder : TreeBuilder::kFolders) {
        const QStringList kept = lines(TreeBuilder::folderStatement(folder));
        const QStringList counted =
            lines(tree::countedValues(sql::format(folder.listQuery), folder.countFragment));
        if (kept != counted || kept.isEmpty())
            differences << folder.caption + u'\n' + kept.join(u'\n') +
                               QStringLiteral("\nagainst\n") + counted.join(u'\n');
    }
    for (int flag : {0, 1}) {
        const qint64 kept = tree::keptContacts(db, flag);
        const qint64 counted = tree::countContacts(db, flag ? TreeBuilder::kLiveContacts
                                                            : TreeBuilder::kTrashedContacts);
        if (kept != counted || kept < 0)
            differences
                << QStringLiteral("flag %1: %2 against %3").arg(flag).arg(kept).arg(counted);
    }
    if (const qint64 stale = basecount::staleCount(db); stale != 0)
        differences << QStringLiteral("%1 stale counters").arg(stale);
    return differences;
}

} // namespace

void TestTreeBuilder::keptCountsFollowEveryChange() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    QCOMPARE(keptAgainstCounted(db), QStringList());
    // Codes that exist, one that does not, no code; on a file also what its
    // columns take as they come: text, a fraction, a number written with a blank.
    QStringList codes{"1", "2", "3", "5", "8", "9999", "null"};
    QStringList flags{"1", "1", "1", "0", "null", "2"};
    if (!db.isServer()) {
        codes << "'x'"
              << "'3x'"
              << "2.5"
              << "' 2'";
        flags << "'y'"
              << "'1'";
    }
    const QStringList columns = basecount::columns().mid(1);
    QRandomGenerator random(31);
    const auto any = [&](const QStringList& from) { return from.at(random.bounded(from.size())); };
    const auto someone = [&] {
        return 1 + random.bounded(db.count("select max(base_code) from base") + 1);
    };
    QVERIFY(db.beginQuietly());
    for (int step = 0; step < 3000; ++step) {
        const int what = random.bounded(20);
        QString change;
        if (what < 8) {
            QStringList values{any(flags)};
            for (int i = 0; i < columns.size(); ++i)
                values << any(codes);
            change = QStringLiteral("insert into base(base_invalid_flag,%1) values(%2)")
                         .arg(columns.join(u','), values.join(u','));
        } else if (what < 12) {
            change = QStringLiteral("update base set %1=%2 where base_code=%3")
                         .arg(any(columns), any(codes))
                         .arg(someone());
        } else if (what == 12) {
            // A merge's way: every contact of one value moves to another.
            const QString column = any(columns);
            change = QStringLiteral("update base set %1=%2 where %1=%3")
                         .arg(column, any(codes), any(codes));
        } else if (what < 15) {
            // To the trash and back, a selection at a time.
            const qint64 from = someone();
            change = QStringLiteral("update base set base_invalid_flag=%1 where base_code "
                                    "between %2 and %3")
                         .arg(any(flags))
                         .arg(from)
                         .arg(from + random.bounded(6));
        } else if (what == 15) {
            change = QStringLiteral("update base set base_name='x', %1=%1 where base_code=%2")
                         .arg(any(columns))
                         .arg(someone());
        } else if (what == 16) {
            // Emptying the trash.
            change = QStringLiteral("delete from base where base_invalid_flag=0 and base_code>%1")
                         .arg(someone());
        } else {
            change = QStringLiteral("delete from base where base_code=%1").arg(someone());
        }
        // A change undone by a rolled back savepoint counts nowhere.
        const bool undone = what == 17;
        if (undone)
            QVERIFY(db.execute("savepoint undone"));
        QVERIFY2(db.execute(sql::Statement(change)), qPrintable(change));
        if (undone)
            QVERIFY(db.execute("rollback to savepoint undone") &&
                    db.execute("release savepoint undone"));
        // A server writes the counters as the transaction commits.
        if (step % 1000 == 999) {
            QVERIFY(db.commit());
            QCOMPARE(keptAgainstCounted(db), QStringList());
            QVERIFY(db.beginQuietly());
        }
    }
    QVERIFY(db.commit());
    QVERIFY(db.count("select count(*) from basecount") > 20);
    QCOMPARE(keptAgainstCounted(db), QStringList());
    // A counter made wrong behind the triggers' back is found, and mended.
    QVERIFY(db.execute("update basecount set basecount_n=basecount_n+1 where "
                       "basecount_column='work_duty_code' and basecount_value=3"));
    QCOMPARE(basecount::staleCount(db), 1);
    QString error;
    QVERIFY(db.beginQuietly());
    QVERIFY2(basecount::refill(db, &error), qPrintable(error));
    QVERIFY(db.commit());
    QCOMPARE(keptAgainstCounted(db), QStringList());
}

void TestTreeBuilder::selectionRules_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("grandparent");
    QTest::addColumn<bool>("matched");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("live");

    const QString root = QStringLiteral("全部人脉 <共4个>");
    const QString live = QStringLiteral(" and b.base_invalid_flag=1");
    QTest::newRow("root") << 0 << root << ""
                          << "" << true << "b.base_invalid_flag=1" << 0 << 1;
    QTest::newRow("trash") << 0 << "垃圾箱 <共1个>"
                           << ""
                           << "" << true << "b.base_invalid_flag=0" << 0 << 0;
    QTest::newRow("planned") << 1 << "预先安排 <2>"
                             << "事务提醒 "
                             << "" << true << "" << 1 << 1;
    QTest::newRow("due") << 1 << "当天事务 <0>"
                         << "事务提醒 "
                         << "" << true << "" << 2 << 1;
    QTest::newRow("overdue") << 1 << "逾期事务 <7>"
                             << "事务提醒 "
                             << "" << true << "" << 3 << 1;
    QTest::newRow("department") << 1 << "销售部 (1)"
                                << "部门分布"
                                << "" << true
                                << "b.base_user_dep_code=" + codeOf("dep", "销售部") +
                                       " and b.base_invalid_flag=1 "
                                << 0 << 1;
    QTest::newRow("document category")
        << 1 << "合同 (2)"
        << "文档资料"
        << "" << true << "d.doc_docsort_code=" + codeOf("docsort", "合同") + " " << 5 << 1;
    QTest::newRow("unnamed document category")
        << 1 << "未知 (1)"
        << "文档资料"
        << "" << true << "d.doc_docsort_code=" + codeOf("docsort", "") + " " << 5 << 1;
    QTest::newRow("birthdays") << 1 << "生日关怀 (3)"
                               << "日常关怀 "
                               << "" << true << "" << 6 << 1;
    QTest::newRow("family") << 1 << "家庭关怀 (1)"
                            << "日常关怀 "
                            << "" << true << "" << 7 << 1;
    QTest::newRow("relation") << 2 << "客户 (2)"
                              << "关系类别" << root << true
                              << "b.base_type_code=" + codeOf("relationsort", "客户") + live << 0
                              << 1;
    QTest::newRow("level") << 2 << "A级-核心 (1)"
                           << "人脉级别" << root << true
                           << "b.base_sort_code=" + codeOf("sort", "A级-核心") + live << 0 << 1;
    QTest::newRow("unnamed level")
        << 2 << "未知 (1)"
        << "人脉级别" << root << true << "b.base_sort_code=" + codeOf("sort", "") + live << 0 << 1;
    QTest::newRow("region") << 2 << "华东 (2)"
                            << "区域分布" << root << true
                            << "b.work_region_code=" + codeOf("region", "华东") + live << 0 << 1;
    QTest::newRow("province") << 2 << "上海市 (2)"
                              << "省份分布" << root << true
                              << "b.work_province_code=" + codeOf("province", "上海市") + live << 0
                              << 1;
    QTest::newRow("duty") << 2 << "经理 (1)"
                          << "职务分布" << root << true
                          << "b.work_duty_code=" + codeOf("duty", "经理") + live << 0 << 1;
    QTest::newRow("industry") << 2 << "金融 (2)"
                              << "行业分布" << root << true
                              << "b.work_industry_code=" + codeOf("industry", "金融") + live << 0
                              << 1;
    QTest::newRow("name with a blank")
        << 2 << "老 朋友 (1)"
        << "关系类别" << root << true << "b.base_type_code=-1 and b.base_invalid_flag=1" << 0 << 1;
    QTest::newRow("user") << 2 << "admin (4)"
                          << "总经理办公室 (3)"
                          << "部门分布" << true << "b.base_user_code=1 and b.base_invalid_flag=1"
                          << 0 << 1;
    QTest::newRow("document title")
        << 2 << "O'Neil 协议"
        << "合同 (2)"
        << "文档资料" << true
        << "d.doc_docsort_code=" + codeOf("docsort", "合同") + " and d.doc_title='O''Neil 协议' "
        << 5 << 1;

    QTest::newRow("folder") << 1 << "人脉级别" << root << "" << false << "" << 0 << 1;
    QTest::newRow("reminder heading") << 0 << "事务提醒 "
                                      << ""
                                      << "" << false << "" << 0 << 1;
    QTest::newRow("care heading") << 0 << "日常关怀 "
                                  << ""
                                  << "" << false << "" << 0 << 1;
    QTest::newRow("documents heading") << 0 << "文档资料"
                                       << ""
                                       << "" << false << "" << 0 << 1;
    QTest::newRow("departments heading") << 0 << "部门分布"
                                         << ""
                                         << "" << false << "" << 0 << 1;
    QTest::newRow("too deep") << 3 << "x"
                              << "admin (4)"
                              << "总经理办公室 (3)" << false << "" << 0 << 1;
}

void TestTreeBuilder::selectionRules() {
    QFETCH(int, depth);
    QFETCH(QString, caption);
    QFETCH(QString, parent);
    QFETCH(QString, grandparent);
    Lookups lookups(db_);
    const TreeChoice choice = TreeSelection(lookups).choose({depth, caption, parent, grandparent});
    QTEST(choice.matched, "matched");
    if (!choice.matched)
        return;
    QTEST(choice.filter.shown(), "filter");
    QTEST(choice.mode, "mode");
    QTEST(choice.live, "live");
}

void TestTreeBuilder::doubleClickOnDocumentTitle_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("grandparent");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message");

    QTest::newRow("file exists") << "乙方协议"
                                 << "合同 (2)"
                                 << "文档资料" << true << "";
    QTest::newRow("file missing") << "O'Neil 协议"
                                  << "合同 (2)"
                                  << "文档资料" << false
                                  << "文件不存在,请重新确认文件位置.\r\n\r\n文件名:" +
                                         home_.file("missing.txt");
    QTest::newRow("no file name") << "备忘"
                                  << "未知 (1)"
                                  << "文档资料" << false << "数据库操作失败!";
    QTest::newRow("title not found") << "乙方协议"
                                     << "未知 (1)"
                                     << "文档资料" << false << "数据库操作失败!";
    QTest::newRow("not a document") << "客户 (2)"
                                    << "关系类别"
                                    << "全部人脉 <共4个>" << false << "";
}

void TestTreeBuilder::doubleClickOnDocumentTitle() {
    QFETCH(QString, caption);
    QFETCH(QString, parent);
    QFETCH(QString, grandparent);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    ScriptedPrompter prompter;
    Lookups lookups(db_);
    const QString file =
        TreeSelection(lookups).documentToOpen({2, caption, parent, grandparent}, prompter);
    QCOMPARE(file, opens ? existingFile_ : QString());
    if (message.isEmpty()) {
        QVERIFY(prompter.messages.isEmpty());
        return;
    }
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(prompter.messages[0].icon, PromptIcon::Information);
    QCOMPARE(prompter.messages[0].text, message);
}

void TestTreeBuilder::failingStatementIsReportedOnTheReceiversThread() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute(sql::Statement(QStringLiteral("drop table docsort"))));

    ThreadRecordingPrompter target;
    QObject receiver;
    QueuedPrompter queued(target, &receiver);
    CaptionTree tree;
    const FixedClock clock;
    ReminderNodes reminders(clock);
    AutoResetEvent stop, done;
    TreeWorker worker;
    QVERIFY(worker.start(
        {home.databasePath(), &tree, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
    worker.join();

    // Nothing reaches the person before this thread runs its queue.
    QVERIFY(target.messages.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(target.messages.size(), 1);
    QCOMPARE(target.messages[0].caption, QStringLiteral("错误"));
    QVERIFY(target.messages[0].text.contains(QStringLiteral("docsort")));
    QCOMPARE(target.threads, QList<QThread*>{QThread::currentThread()});
    // The builder goes on with the next step.
    QVERIFY(tree.children({"文档资料"}).isEmpty());
    QCOMPARE(tree.topLevel().last(), QStringLiteral("垃圾箱 <共0个>"));
    QCOMPARE(tree.endings, QList<bool>{true});
}

void TestTreeBuilder::workerRefusesASecondBuild() {
    TestHome home;
    ScriptedPrompter target;
    QObject receiver;
    QueuedPrompter queued(target, &receiver);
    CaptionTree first, second;
    const FixedClock clock;
    ReminderNodes reminders(clock);
    AutoResetEvent stop, done;
    TreeWorker worker;
    // Every build waits on the stop event between its steps, so the first is
    // still running when the second is asked for.
    QVERIFY(worker.start(
        {home.databasePath(), &first, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
    QVERIFY(!worker.start(
        {home.databasePath(), &second, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
    worker.join();
    QVERIFY(!worker.isRunning());
    QCOMPARE(second.started, 0);
    QVERIFY(worker.start(
        {home.databasePath(), &second, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
    worker.join();
    QCOMPARE(first.topLevel(), second.topLevel());

    CaptionTree missing;
    QVERIFY(worker.start(
        {home.file("none.tdb"), &missing, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
    worker.join();
    QCoreApplication::processEvents();
    QCOMPARE(target.messages.size(), 1);
    QCOMPARE(target.messages[0].caption, QStringLiteral("错误"));
    QVERIFY(missing.topLevel().isEmpty());
    QCOMPARE(missing.endings, QList<bool>{true});
}

void TestTreeBuilder::stoppedBuilderSetsDoneEveryTime() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.begin());
    QVERIFY(db.execute(sql::Statement(QStringLiteral(
        "insert into base(base_name,base_invalid_flag,base_sort_code,work_region_code,"
        "work_industry_code) with recursive n(i) as (select 1 union all select i+1 from n "
        "where i<4000) select 'c'||i, case when i%7<>0 then 1 else 0 end, i%5+1, i%9+1, i%30+1 "
        "from n"))));
    QVERIFY(db.commit());
    QCOMPARE(tree::countContacts(db, sql::Statement(QStringLiteral("1=1"))), 4000);

    ScriptedPrompter target;
    QObject receiver;
    QueuedPrompter queued(target, &receiver);
    const FixedClock clock;
    ReminderNodes reminders(clock);
    AutoResetEvent stop, done;
    TreeWorker worker;
    for (int run = 0; run < 50; ++run) {
        CaptionTree tree;
        QVERIFY(worker.start(
            {home.databasePath(), &tree, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
        stop.set();
        // The exit's six paced waits.
        bool answered = false;
        for (int step = 0; step < 6 && !answered; ++step)
            answered = done.wait(500);
        QVERIFY2(answered, qPrintable(QString::number(run)));
        worker.join();
        QCOMPARE(tree.endings, QList<bool>{false});
        QVERIFY(!stop.wait(0));
    }
    QCoreApplication::processEvents();
    QVERIFY(target.messages.isEmpty());

    // Left alone, the same build runs to its end without setting the done event.
    CaptionTree tree;
    QVERIFY(worker.start(
        {home.databasePath(), &tree, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
    worker.join();
    QCOMPARE(tree.endings, QList<bool>{true});
    QCOMPARE(tree.topLevel().first(), QStringLiteral("全部人脉 <共3429个>"));
    QCOMPARE(tree.topLevel().last(), QStringLiteral("垃圾箱 <共571个>"));
    QVERIFY(!done.wait(0));
}

void TestTreeBuilder::builderUsesItsOwnConnection() {
    TestHome home;
    ScriptedPrompter prompter;
    Database ui(&prompter);
    QVERIFY(ui.open(home.databasePath()));
    // The user-interface connection holds the write lock with a contact of its own.
    QVERIFY(ui.begin());
    QVERIFY(ui.execute(sql::Statement(
        QStringLiteral("insert into base(base_name,base_invalid_flag) values('x',1)"))));
    QCOMPARE(tree::countContacts(ui, sql::Statement(QStringLiteral("base_invalid_flag=1"))), 1);

    ScriptedPrompter target;
    QObject receiver;
    QueuedPrompter queued(target, &receiver);
    CaptionTree tree;
    // The reminders write, so they would wait for the lock: only reading is tried here.
    struct ReadOnly : ReminderNodes {
        using ReminderNodes::ReminderNodes;
        bool rebuildReminders(TreeSink&, Database&, qint64) override { return true; }
        void buildCare(TreeSink&, Database&, qint64) override {}
    };
    const FixedClock clock;
    ReadOnly reminders(clock);
    AutoResetEvent stop, done;
    TreeWorker worker;
    QVERIFY(worker.start(
        {home.databasePath(), &tree, &queued, &reminders, &stop, &done, 1, false, {}, {}}));
    worker.join();
    QVERIFY(ui.rollback());
    QCoreApplication::processEvents();
    QVERIFY(target.messages.isEmpty());
    // Another connection does not see the uncommitted contact.
    QCOMPARE(tree.topLevel().first(), QStringLiteral("全部人脉 <共0个>"));
    QCOMPARE(tree.endings, QList<bool>{true});
}

QTEST_GUILESS_MAIN(TestTreeBuilder)
#include "tst_treebuilder.moc"
