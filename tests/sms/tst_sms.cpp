// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "sms/SmsGateway.h"
#include "sms/SmsMailbox.h"
#include "sms/SmsQueue.h"
#include "sms/SmsSender.h"
#include "sms/SmsText.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "ui/ReportModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The text rules, the queue on the ticked contacts, the two mailboxes, and the
// sender's round through a gateway that answers every message.
class TestSms : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void characterCount_data();
    void characterCount();
    void gbkByteCount_data();
    void gbkByteCount();
    void refusal_data();
    void refusal();
    void fieldLimitKeepsWholeCharacters();

    void queueSkipsContactsWithoutMobile();
    void queueNeedsTickedRowsAndAText_data();
    void queueNeedsTickedRowsAndAText();
    void outboxNewestFirstWithStatusTexts();
    void inboxNewestFirst();
    void mailboxDeleteAndView();

    void commandLineFilledInOnePass();
    void valueNeverAnOption_data();
    void valueNeverAnOption();
    void dialable_data();
    void dialable();
    void receivedLines_data();
    void receivedLines();
    void senderRoundThroughTheGateway();
    void smsdProgramMovesQueuedRowsToDelivered();
    void smsdWithoutSettingsWritesATemplate();
    void twoSendersSendEachOnceAndNoDeletedOne();

  private:
    qint64 addContact(const QString& name, const QString& mobile);
    void tickAll(ReportModel& model, const QList<qint64>& codes);
    QString gatewayPath() const;
    QString statusOf(qint64 code);
    QString smsdPath() const;
    QString writeSettings(const QString& name, const QString& spool);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    FixedClock clock_;
};

void TestSms::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestSms::cleanup() {
    db_.reset();
    home_.reset();
}

qint64 TestSms::addContact(const QString& name, const QString& mobile) {
    if (!db_->execute(sql::format(
            "insert into base(base_name,base_mobil,base_sex,base_province_code,base_sort_code,"
            "base_type_code,base_user_code,base_invalid_flag,work_duty_code,work_industry_code,"
            "work_region_code,work_province_code,work_leader_duty_code,work_superior_duty_code) "
            "values('%s','%s','男',1,2,2,1,1,1,2,1,2,1,1)",
            name, mobile)))
        return -1;
    return db_->count("select max(base_code) from base");
}

// The contact list as the program fills it, the given contacts ticked.
void TestSms::tickAll(ReportModel& model, const QList<qint64>& codes) {
    ContactList list(*db_, *prompter_, clock_, 1, model);
    QVERIFY(list.load(sql::Statement("b.base_invalid_flag=1 "), ContactList::Contacts, 1));
    for (int row = 0; row < model.rowCount(); ++row)
        model.setChecked(row, codes.contains(model.key(row).toLongLong()));
}

QString TestSms::gatewayPath() const {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/loopback_gateway");
}

QString TestSms::statusOf(qint64 code) {
    QString status;
    db_->query(sql::format("select smssend_status from smssend where smssend_code=%ld", code),
               [&](const Row& row) {
                   status = SmsQueue::statusText(row.numberAt(0));
                   return false;
               });
    return status;
}

QString TestSms::smsdPath() const {
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("MAVOR_BIN_DIR"),
                                                          QCoreApplication::applicationDirPath() +
                                                              QStringLiteral("/../../bin")) +
           QStringLiteral("/mavor-smsd");
}

// A sender's settings on the home's database: it sends through the loopback
// gateway and receives nothing.
QString TestSms::writeSettings(const QString& name, const QString& spool) {
    const QString settings = home_->file(name);
    QFile file(settings);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(QStringLiteral("[Settings]\nDatabase=%1\nSendCommand=%2 send %3 {mobile}\n"
                              "Interval=1\nTimeout=10\n")
                   .arg(home_->databasePath(), gatewayPath(), spool)
                   .toUtf8());
    return settings;
}

void TestSms::characterCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 3;
    QTest::newRow("Chinese counts one each") << "短信内容" << 4;
    QTest::newRow("an emoji is one") << "a\U0001F600b" << 3;
    QTest::newRow("line break") << "第一行\n第二行" << 7;
}

void TestSms::characterCount() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(smstext::characterCount(text), count);
}

void TestSms::gbkByteCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("letters") << "abc" << 3;
    QTest::newRow("Chinese two each") << "短信" << 4;
    QTest::newRow("mixed") << "a中" << 3;
    QTest::newRow("outside GBK four") << "\U0001F600" << 4;
}

void TestSms::gbkByteCount() {
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(smstext::gbkByteCount(text), bytes);
}

void TestSms::refusal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "请输入短信内容!";
    QTest::newRow("512 Chinese are 1024 bytes") << QString(512, QChar(0x4E2D)) << "";
    QTest::newRow("513 Chinese are over")
        << QString(513, QChar(0x4E2D)) << "短信内容不能超过1024个字符!";
    QTest::newRow("1000 letters") << QString(1000, u'a') << "";
    QTest::newRow("1023 letters and one Chinese")
        << QString(1023, u'a') + QChar(0x4E2D) << "短信内容不能超过1024个字符!";
}

void TestSms::refusal() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(smstext::refusal(text), message);
}

void TestSms::fieldLimitKeepsWholeCharacters() {
    QCOMPARE(smstext::limited(QString(1001, u'a')), QString(1000, u'a'));
    const QString emoji = QStringLiteral("\U0001F600");
    const QString text = QString(999, u'a') + emoji + emoji;
    QCOMPARE(smstext::limited(text), QString(999, u'a') + emoji);
    QCOMPARE(smstext::limited(QStringLiteral("短信")), QStringLiteral("短信"));
}

void TestSms::queueSkipsContactsWithoutMobile() {
    clock_.set(QDateTime(QDate(2012, 5, 8), QTime(9, 30, 5)));
    const qint64 zhang = addContact(QStringLiteral("张三"), QStringLiteral("13800138000"));
    const qint64 li = addContact(QStringLiteral("李四"), QString());
    const qint64 wang = addContact(QStringLiteral("王五"), QStringLiteral("13900139000"));
    addContact(QStringLiteral("赵六"), QStringLiteral("13700137000")); // not ticked
    ReportModel model(ContactList::kColumns);
    tickAll(model, {zhang, li, wang});

    SmsQueue queue(*db_, *prompter_, clock_);
    const int queued = queue.run(model, [] { return QStringLiteral("周末聚会,不见不散"); });
    QCOMPARE(queued, 2);
    QCOMPARE(prompter_->texts(), QStringList{"提交成功!\r\n\r\n共提交 2 个短信息."});
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));

    QStringList rows;
    db_->query("select smssend_base_code,smssend_mobile,smssend_status,smssend_date,"
               "smssend_time,smssend_name,smssend_content,smssend_company from smssend "
               "order by smssend_base_code",
               [&](const Row& row) {
                   QStringList fields;
                   for (int i = 0; i < 7; ++i)
                       fields << row.textAt(i);
                   fields << (row.isNull(QStringLiteral("smssend_company")) ? "NULL" : "set");
                   rows << fields.join(u'|');
                   return true;
               });
    QCOMPARE(rows,
             (QStringList{
                 QStringLiteral("%1|13800138000|0|2012-05-08|09:30:05|张三|周末聚会,不见不散|NULL")
                     .arg(zhang),
                 QStringLiteral("%1|13900139000|0|2012-05-08|09:30:05|王五|周末聚会,不见不散|NULL")
                     .arg(wang)}));
}

void TestSms::queueNeedsTickedRowsAndAText_data() {
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("composed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("composerAsked");
    QTest::newRow("nothing ticked")
        << false << true << QStringList{"请选择所要发送短信的资料!"} << false;
    QTest::newRow("compose cancelled") << true << false << QStringList{} << true;
}

void TestSms::queueNeedsTickedRowsAndAText() {
    QFETCH(bool, ticked);
    QFETCH(bool, composed);
    QFETCH(QStringList, messages);
    QFETCH(bool, composerAsked);
    const qint64 zhang = addContact(QStringLiteral("张三"), QStringLiteral("13800138000"));
    ReportModel model(ContactList::kColumns);
    tickAll(model, ticked ? QList<qint64>{zhang} : QList<qint64>{});
    bool asked = false;
    SmsQueue queue(*db_, *prompter_, clock_);
    QCOMPARE(queue.run(model,
                       [&]() -> std::optional<QString> {
                           asked = true;
                           return composed ? std::optional<QString>(QStringLiteral("你好"))
                                           : std::nullopt;
                       }),
             -1);
    QCOMPARE(asked, composerAsked);
    QCOMPARE(prompter_->texts(), messages);
    QCOMPARE(db_->count("select count(*) from smssend"), 0);
}

void TestSms::outboxNewestFirstWithStatusTexts() {
    QVERIFY(db_->execute(
        "insert into smssend(smssend_base_code,smssend_date,smssend_time,smssend_mobile,"
        "smssend_name,smssend_content,smssend_status) values"
        "(1,'2012-05-08','09:30:00','131','甲','早',0),"
        "(2,'2012-05-09','08:00:00','132','乙','次日',2),"
        "(3,'2012-05-08','17:45:10','133','丙','晚',3),"
        "(4,'2012-05-07','12:00:00','134','丁','前日',1)"));
    SmsMailbox outbox(*db_, *prompter_, SmsMailbox::Box::Outbox);
    QList<QStringList> rows;
    QVERIFY(outbox.fetch(rows));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0),
             (QStringList{"", "2", "发送成功", "2012-05-09", "08:00:00", "乙", "132", "次日"}));
    QCOMPARE(rows.at(1),
             (QStringList{"", "3", "发送失败", "2012-05-08", "17:45:10", "丙", "133", "晚"}));
    QCOMPARE(rows.at(2),
             (QStringList{"", "1", "待发", "2012-05-08", "09:30:00", "甲", "131", "早"}));
    QCOMPARE(rows.at(3).at(2), QStringLiteral("已发"));
    QCOMPARE(outbox.caption(), QStringLiteral("短信发送管理"));
    QCOMPARE(outbox.title(4), QStringLiteral("短信发送管理--目前共有记录数： 4"));
    QCOMPARE(ReportColumn::parse(outbox.columns()).size(), 8);
}

void TestSms::inboxNewestFirst() {
    QVERIFY(db_->execute("insert into smsrecv(smsrecv_date,smsrecv_time,smsrecv_mobile,"
                         "smsrecv_name,smsrecv_content) values"
                         "('2012-05-08','09:30:00','131','甲','收到'),"
                         "('2012-05-10','07:00:00','132','','谢谢')"));
    SmsMailbox inbox(*db_, *prompter_, SmsMailbox::Box::Inbox);
    QList<QStringList> rows;
    QVERIFY(inbox.fetch(rows));
    QCOMPARE(rows.at(0), (QStringList{"", "2", "2012-05-10", "07:00:00", "", "132", "谢谢"}));
    QCOMPARE(rows.at(1), (QStringList{"", "1", "2012-05-08", "09:30:00", "甲", "131", "收到"}));
    QCOMPARE(inbox.caption(), QStringLiteral("接收短信管理"));
    QCOMPARE(inbox.title(2), QStringLiteral("短信接收管理--目前共有记录数： 2"));
    QCOMPARE(ReportColumn::parse(inbox.columns()).size(), 7);
}

void TestSms::mailboxDeleteAndView() {
    QVERIFY(db_->execute("insert into smsrecv(smsrecv_date,smsrecv_time,smsrecv_mobile,"
                         "smsrecv_name,smsrecv_content) values"
                         "('2012-05-08','09:00:00','131','甲','一'),"
                         "('2012-05-08','10:00:00','132','乙','二'),"
                         "('2012-05-08','11:00:00','133','丙','三')"));
    SmsMailbox inbox(*db_, *prompter_, SmsMailbox::Box::Inbox);
    ReportModel model(inbox.columns());
    QList<QStringList> rows;
    QVERIFY(inbox.fetch(rows));
    model.setRows(rows); // 三, 二, 一

    QCOMPARE(inbox.tickedText(model), std::nullopt);
    QCOMPARE(inbox.selectedText(model, -1), std::nullopt);
    QCOMPARE(inbox.deleteTicked(model), -1);
    QCOMPARE(prompter_->texts(), (QStringList{"请在选择框中选中所要查看的资料!",
                                              "请选择所要查看的数据!", "请选择所要删除的资料!"}));
    prompter_->clear();

    model.setChecked(1, true);
    model.setChecked(2, true);
    QCOMPARE(inbox.tickedText(model), std::optional<QString>(QStringLiteral("二")));
    QCOMPARE(inbox.selectedText(model, 0), std::optional<QString>(QStringLiteral("三")));
    prompter_->answer(false);
    QCOMPARE(inbox.deleteTicked(model), -1);
    QCOMPARE(model.rowCount(), 3);
    prompter_->answer(true);
    QCOMPARE(inbox.deleteTicked(model), 2);
    QCOMPARE(prompter_->texts(), (QStringList{"确定要删除所选资料吗?", "确定要删除所选资料吗?"}));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.text(0, 6), QStringLiteral("三"));
    QCOMPARE(db_->count("select count(*) from smsrecv"), 1);
}

void TestSms::commandLineFilledInOnePass() {
    OutgoingSms sms;
    sms.code = 42;
    sms.mobile = QStringLiteral("13800138000");
    sms.name = QStringLiteral("{text}");
    sms.content = QStringLiteral("周末 {mobile} 见");
    const QStringList line = SmsGateway::commandLine(
        QStringLiteral("gw \"to be\" {mobile} --name={name} --id={code} {text}"), sms);
    QCOMPARE(line, (QStringList{"gw", "to be", "13800138000", "--name={text}", "--id=42",
                                "周末 {mobile} 见"}));
    QVERIFY(SmsGateway::commandLine(QString(), sms).isEmpty());
}

void TestSms::valueNeverAnOption_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("runs");
    QTest::newRow("plain values") << "gw {mobile} {name} {text}"
                                  << "张三"
                                  << "你好" << true;
    QTest::newRow("text as an option") << "gw {mobile} {text}"
                                       << "张三"
                                       << "--output=/etc/x" << false;
    QTest::newRow("name as an option") << "gw {name} {mobile}"
                                       << "-rf"
                                       << "你好" << false;
    QTest::newRow("after an option's own argument") << "gw -t {text}"
                                                    << ""
                                                    << "-x" << false;
    QTest::newRow("inside an option") << "gw --text={text} --name={name}"
                                      << "-n"
                                      << "-x" << true;
    QTest::newRow("after --") << "gw {mobile} -- {text}"
                              << ""
                              << "-x" << true;
    QTest::newRow("the program itself") << "{text} {mobile}"
                                        << ""
                                        << "/bin/sh" << false;
}

void TestSms::valueNeverAnOption() {
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, runs);
    OutgoingSms sms;
    sms.mobile = QStringLiteral("13800138000");
    sms.name = name;
    sms.content = text;
    const QString reason =
        SmsGateway::optionFromValue(command, SmsGateway::commandLine(command, sms));
    QCOMPARE(reason.isEmpty(), runs);
    if (runs)
        return;
    // Refused before anything runs, as the failed send's reason.
    SmsGateway gateway(command, QString(), 1000);
    QString detail;
    QVERIFY(!gateway.send(sms, &detail));
    QCOMPARE(detail, reason);
}

void TestSms::dialable_data() {
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<QString>("number");
    QTest::newRow("plain") << "13800138000"
                           << "13800138000";
    QTest::newRow("blanks, hyphens, plus") << "+86 138-0013-8000"
                                           << "+8613800138000";
    QTest::newRow("an option") << "-text"
                               << "";
    QTest::newRow("shell text") << "138;rm -rf"
                                << "";
    QTest::newRow("too short") << "12"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestSms::dialable() {
    QFETCH(QString, mobile);
    QFETCH(QString, number);
    QCOMPARE(SmsGateway::dialable(mobile), number);
}

void TestSms::receivedLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("content");
    QTest::newRow("whole") << "13800138000\t2012-05-08\t09:30:00\t好的" << true << "13800138000"
                           << "2012-05-08"
                           << "好的";
    QTest::newRow("no date, escapes") << "131\t\t\t一\\n二\\t三\\\\" << true << "131"
                                      << ""
                                      << "一\n二\t三\\";
    QTest::newRow("three fields") << "131\t2012-05-08\t好的" << false << ""
                                  << ""
                                  << "";
    QTest::newRow("a date that is none") << "131\t8.5.2012\t09:30:00\t好的" << false << ""
                                         << ""
                                         << "";
    QTest::newRow("no number") << "\t\t\t好的" << false << ""
                               << ""
                               << "";
}

void TestSms::receivedLines() {
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QFETCH(QString, mobile);
    QFETCH(QString, date);
    QFETCH(QString, content);
    const std::optional<IncomingSms> sms = SmsGateway::parseLine(line);
    QCOMPARE(bool(sms), valid);
    if (!sms)
        return;
    QCOMPARE(sms->mobile, mobile);
    QCOMPARE(sms->date, date);
    QCOMPARE(sms->content, content);
}

void TestSms::senderRoundThroughTheGateway() {
    QVERIFY(QFile::exists(gatewayPath()));
    QTemporaryDir spool;
    const qint64 zhang = addContact(QStringLiteral("张三"), QStringLiteral("13800138000"));
    QVERIFY(db_->execute(sql::format(
        "insert into smssend(smssend_base_code,smssend_date,smssend_time,smssend_mobile,"
        "smssend_name,smssend_content,smssend_status) values"
        "(%ld,'2012-05-08','09:30:00','13800138000','张三','第一行\n第二行',0),"
        "(0,'2012-05-08','09:30:01','00012345','无人','被拒',0),"
        "(0,'2012-05-08','09:30:02','-text','坏号','不发',0),"
        "(0,'2012-05-08','09:30:03','13900139000','旧的','已发过',2),"
        "(0,'2012-05-08','09:30:04','13700137000','中断','不知发没发',1)",
        zhang)));
    SmsGateway gateway(gatewayPath() + QStringLiteral(" send ") + spool.path() +
                           QStringLiteral(" {mobile}"),
                       gatewayPath() + QStringLiteral(" receive ") + spool.path(), 10000);
    clock_.set(QDateTime(QDate(2012, 5, 8), QTime(9, 31, 0)));
    QStringList log;
    SmsSender sender(*db_, gateway, clock_, [&log](const QString& line) { log << line; });
    const SmsSender::Report report = sender.runOnce();
    QVERIFY2(report.ok, qPrintable(log.join(u'\n')));
    QCOMPARE(report.sent, 1);
    QCOMPARE(report.failed, 2);
    QCOMPARE(report.received, 1);
    QCOMPARE(statusOf(1), QStringLiteral("发送成功"));
    QCOMPARE(statusOf(2), QStringLiteral("发送失败"));
    QCOMPARE(statusOf(3), QStringLiteral("发送失败"));
    QCOMPARE(statusOf(4), QStringLiteral("发送成功"));
    // Left at "已发" by a sender that was killed: failed, never sent again, and said so.
    QCOMPARE(statusOf(5), QStringLiteral("发送失败"));
    QCOMPARE(log.filter(QStringLiteral("短信 #5 13700137000 标为发送失败")).size(), 1);

    // The gateway got the text whole; the invalid number never reached it.
    QFile sent(spool.path() + QStringLiteral("/sent.txt"));
    QVERIFY(sent.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(sent.readAll()),
             QStringLiteral("13800138000\t第一行\\n第二行\n00012345\t被拒\n"));

    QStringList received;
    db_->query("select smsrecv_date,smsrecv_time,smsrecv_mobile,smsrecv_name,smsrecv_content "
               "from smsrecv",
               [&](const Row& row) {
                   for (int i = 0; i < 5; ++i)
                       received << row.textAt(i);
                   return true;
               });
    QCOMPARE(received,
             (QStringList{"2012-05-08", "09:31:00", "13800138000", "张三", "回复:第一行\n第二行"}));

    // A second round has nothing left to send and nothing to receive.
    const SmsSender::Report again = sender.runOnce();
    QCOMPARE(again.sent + again.failed + again.received, 0);
}

void TestSms::smsdProgramMovesQueuedRowsToDelivered() {
    // Three ticked contacts, one without a mobile number: two rows, reported as 2.
    const qint64 zhang = addContact(QStringLiteral("张三"), QStringLiteral("13800138000"));
    const qint64 li = addContact(QStringLiteral("李四"), QString());
    const qint64 wang = addContact(QStringLiteral("王五"), QStringLiteral("13900139000"));
    ReportModel model(ContactList::kColumns);
    tickAll(model, {zhang, li, wang});
    SmsQueue queue(*db_, *prompter_, clock_);
    QCOMPARE(queue.run(model, [] { return QStringLiteral("明天开会"); }), 2);
    QCOMPARE(prompter_->lastText(), QStringLiteral("提交成功!\r\n\r\n共提交 2 个短信息."));

    QTemporaryDir spool;
    const QString settings = home_->file(QStringLiteral("mavor-smsd.ini"));
    QFile file(settings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Settings]\nDatabase=%1\nSendCommand=%2 send %3 {mobile}\n"
                              "ReceiveCommand=%2 receive %3\nInterval=1\nTimeout=10\n")
                   .arg(home_->databasePath(), gatewayPath(), spool.path())
                   .toUtf8());
    file.close();

    QProcess smsd;
    const QString program = smsdPath();
    smsd.start(program, {QStringLiteral("--config"), settings, QStringLiteral("--once")});
    QVERIFY2(smsd.waitForFinished(30000), qPrintable(program));
    QCOMPARE(smsd.exitCode(), 0);

    SmsMailbox outbox(*db_, *prompter_, SmsMailbox::Box::Outbox);
    QList<QStringList> rows;
    QVERIFY(outbox.fetch(rows));
    QCOMPARE(rows.size(), 2);
    for (const QStringList& row : rows)
        QCOMPARE(row.at(2), QStringLiteral("发送成功"));
    QCOMPARE(db_->count("select count(*) from smsrecv where smsrecv_content='回复:明天开会'"), 2);
}

void TestSms::smsdWithoutSettingsWritesATemplate() {
    // A fresh account: not even the folder is there yet.
    const QString settings = home_->file(QStringLiteral("fresh/own.ini"));
    QProcess smsd;
    const QString program = smsdPath();
    smsd.start(program, {QStringLiteral("--config"), settings, QStringLiteral("--once")});
    QVERIFY(smsd.waitForFinished(10000));
    QCOMPARE(smsd.exitCode(), 1);
    QVERIFY(QString::fromUtf8(smsd.readAllStandardError()).contains(settings));
    QVERIFY(QFile::exists(settings));
    QCOMPARE(int(QFile::permissions(settings) & 0x00FF), 0); // nothing for group or others
    // Still unset: refused again, with the reason.
    smsd.start(program, {QStringLiteral("--config"), settings, QStringLiteral("--once")});
    QVERIFY(smsd.waitForFinished(10000));
    QCOMPARE(smsd.exitCode(), 1);
    QVERIFY(QString::fromUtf8(smsd.readAllStandardError()).contains(QStringLiteral("SendCommand")));
}

// Two senders with settings files of their own on one database: each message
// reaches the gateway once, and one deleted from the outbox while they are at
// work never does. The gateway holds the first messages until both senders
// are in the middle of a send.
void TestSms::twoSendersSendEachOnceAndNoDeletedOne() {
    constexpr int kMessages = 100;
    for (int n = 1; n <= kMessages; ++n)
        QVERIFY(db_->execute(
            sql::format("insert into smssend(smssend_base_code,smssend_date,smssend_time,"
                        "smssend_mobile,smssend_name,smssend_content,smssend_status) "
                        "values(0,'2012-05-08','09:30:00','13800138000','张三','消息%d',0)",
                        n)));
    const qint64 last = db_->count("select max(smssend_code) from smssend");
    QTemporaryDir spool;
    QFile hold(spool.filePath(QStringLiteral("hold")));
    QVERIFY(hold.open(QIODevice::WriteOnly));
    hold.close();
    const auto sentLines = [&] {
        QFile sent(spool.filePath(QStringLiteral("sent.txt")));
        if (!sent.open(QIODevice::ReadOnly))
            return QStringList();
        return QString::fromUtf8(sent.readAll()).split(u'\n', Qt::SkipEmptyParts);
    };

    QProcess senders[2];
    for (int i = 0; i < 2; ++i) {
        const QString settings = writeSettings(QStringLiteral("sender%1.ini").arg(i), spool.path());
        senders[i].start(smsdPath(),
                         {QStringLiteral("--config"), settings, QStringLiteral("--once")});
        // The second starts while the first is sending: it must leave the
        // first one's message at "已发" alone.
        QTRY_VERIFY_WITH_TIMEOUT(sentLines().size() == i + 1, 20000);
    }
    QVERIFY(db_->execute(sql::format("delete from smssend where smssend_code=%ld", last)));
    QVERIFY(hold.remove());
    for (QProcess& sender : senders) {
        QVERIFY(sender.waitForFinished(60000));
        QVERIFY2(sender.exitCode() == 0, sender.readAllStandardError().constData());
    }

    QHash<QString, int> deliveries;
    for (const QString& line : sentLines())
        ++deliveries[line.section(u'\t', 1)];
    for (int n = 1; n < kMessages; ++n)
        QCOMPARE(deliveries.value(QStringLiteral("消息%1").arg(n)), 1);
    QCOMPARE(deliveries.value(QStringLiteral("消息%1").arg(kMessages)), 0);
    QCOMPARE(db_->count("select count(*) from smssend where smssend_status<>2"), 0);
    QCOMPARE(db_->count("select count(*) from smssend"), kMessages - 1);
}

QTEST_GUILESS_MAIN(TestSms)
#include "tst_sms.moc"
