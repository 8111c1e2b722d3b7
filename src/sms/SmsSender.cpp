#include "sms/SmsSender.h"

#include "base/Clock.h"
#include "db/Database.h"
#include "db/RowWriter.h"
#include "sms/SmsGateway.h"
#include "sms/SmsQueue.h"

#include <QList>

namespace {

const QString kWaiting =
    QStringLiteral("select smssend_code,smssend_mobile,smssend_name,smssend_content from smssend "
                   "where smssend_status=%d order by smssend_code");
const QString kSetStatus =
    QStringLiteral("update smssend set smssend_status=%d where smssend_code=%ld");
const QString kNameOfMobile = QStringLiteral("select base_name from base where base_mobil='%s'");

} // namespace

SmsSender::Report SmsSender::runOnce() {
    Report report;
    sendQueued(report);
    storeReceived(report);
    return report;
}

void SmsSender::note(const QString& line) const {
    if (log_)
        log_(line);
}

bool SmsSender::setStatus(qint64 code, int status) {
    if (db_.execute(sql::format(kSetStatus, status, code)))
        return true;
    note(QStringLiteral("无法更新短信 #%1 的状态: %2").arg(code).arg(db_.lastError()));
    return false;
}

void SmsSender::sendQueued(Report& report) {
    QList<OutgoingSms> waiting;
    const bool read = db_.query(sql::format(kWaiting, int(SmsQueue::Waiting)), [&](const Row& row) {
        OutgoingSms sms;
        sms.code = row.number(QStringLiteral("smssend_code"));
        sms.mobile = row.text(QStringLiteral("smssend_mobile"));
        sms.name = row.text(QStringLiteral("smssend_name"));
        sms.content = row.text(QStringLiteral("smssend_content"));
        waiting.append(sms);
        return true;
    });
    if (!read) {
        note(QStringLiteral("无法读取待发短信: %1").arg(db_.lastError()));
        report.ok = false;
        return;
    }
    for (const OutgoingSms& sms : waiting) {
        // Handed over first: a round that ends halfway never sends a row twice.
        if (!setStatus(sms.code, SmsQueue::HandedOver)) {
            report.ok = false;
            return;
        }
        QString detail;
        const bool sent = gateway_.send(sms, &detail);
        note(QStringLiteral("短信 #%1 %2 %3%4")
                 .arg(sms.code)
                 .arg(sms.mobile, sent ? QStringLiteral("发送成功") : QStringLiteral("发送失败"),
                      detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail)));
        if (!setStatus(sms.code, sent ? SmsQueue::Delivered : SmsQueue::Failed)) {
            report.ok = false;
            return;
        }
        ++(sent ? report.sent : report.failed);
    }
}

void SmsSender::storeReceived(Report& report) {
    QList<IncomingSms> messages;
    QString error;
    if (!gateway_.receive(&messages, &error))
        report.ok = false;
    if (!error.isEmpty())
        note(QStringLiteral("接收: %1").arg(error.trimmed()));
    const QDateTime now = clock_.now();
    for (const IncomingSms& sms : messages) {
        QString name;
        db_.query(sql::format(kNameOfMobile, sms.mobile), [&name](const Row& row) {
            name = row.text(QStringLiteral("base_name"));
            return false;
        });
        RowWriter row(db_, QStringLiteral("smsrecv"));
        row.set(QStringLiteral("smsrecv_date"),
                sms.date.isEmpty() ? now.toString(QStringLiteral("yyyy-MM-dd")) : sms.date);
        row.set(QStringLiteral("smsrecv_time"),
                sms.time.isEmpty() ? now.toString(QStringLiteral("HH:mm:ss")) : sms.time);
        row.set(QStringLiteral("smsrecv_mobile"), sms.mobile);
        row.set(QStringLiteral("smsrecv_name"), name);
        row.set(QStringLiteral("smsrecv_content"), sms.content);
        if (!row.save()) {
            // What the gateway handed over is not lost without a word.
            note(QStringLiteral("无法保存收到的短信 %1: %2 [%3]")
                     .arg(sms.mobile, db_.lastError(), SmsGateway::escaped(sms.content)));
            report.ok = false;
            continue;
        }
        ++report.received;
        note(QStringLiteral("收到 %1 %2").arg(sms.mobile, name));
    }
}
