// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SmsSender.h"

#include "base/Clock.h"
#include "db/Database.h"
#include "db/RowWriter.h"
#include "sms/SenderPresence.h"
#include "sms/SmsGateway.h"
#include "sms/SmsQueue.h"

#include <QList>

namespace {

const QString kWaiting = QStringLiteral(
    "select smssend_code from smssend where smssend_status=%d order by smssend_code");
// A row is this sender's only when this update changed it: another sender
// that claimed it first, or a delete from the outbox, leaves nothing to change.
const QString kClaim = QStringLiteral(
    "update smssend set smssend_status=%d where smssend_code=%ld and smssend_status=%d");
const QString kClaimed =
    QStringLiteral("select smssend_mobile,smssend_name,smssend_content from smssend "
                   "where smssend_code=%ld");
const QString kLeftClaimed =
    QStringLiteral("select smssend_code,smssend_mobile from smssend where smssend_status=%d "
                   "order by smssend_code");
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

// 1 when the row moved from status `from` to `to`, 0 when it was not at `from`
// (or is gone), -1 on a database error (noted).
qint64 SmsSender::moveStatus(qint64 code, int from, int to) {
    const qint64 changed = db_.executeCounted(sql::format(kClaim, to, code, from));
    if (changed < 0)
        note(QStringLiteral("无法更新短信 #%1 的状态: %2").arg(code).arg(db_.lastError()));
    return changed;
}

// Rows left at "已发" while no other sender is at work were claimed by a
// sender that was killed; whether the gateway sent them nobody knows, so they
// are never sent again: they are marked failed, each with a line in the log.
bool SmsSender::recoverLeftClaimed() {
    QList<QPair<qint64, QString>> left;
    if (!db_.queryQuietly(sql::format(kLeftClaimed, int(SmsQueue::HandedOver)),
                          [&](const Row& row) {
                              left.append({row.numberAt(0), row.textAt(1)});
                              return true;
                          })) {
        note(QStringLiteral("无法读取已发短信: %1").arg(db_.lastError()));
        return false;
    }
    for (const auto& [code, mobile] : left) {
        const qint64 moved = moveStatus(code, SmsQueue::HandedOver, SmsQueue::Failed);
        if (moved < 0)
            return false;
        if (moved == 1)
            note(QStringLiteral("短信 #%1 %2 标为发送失败: 上次发送时发送程序中断, "
                                "无法确定网关是否已经发出, 为免重复不再发送; 需要时请重新提交")
                     .arg(code)
                     .arg(mobile));
    }
    return true;
}

void SmsSender::sendQueued(Report& report) {
    SenderPresence presence(db_);
    if (presence.tryAlone() && !recoverLeftClaimed()) {
        report.ok = false;
        return;
    }
    // Present before the first claim: a sender that starts meanwhile then
    // knows that this one's rows at "已发" are being sent.
    if (!presence.share()) {
        note(QStringLiteral("无法登记发送程序, 本轮不发送: %1").arg(presence.error()));
        report.ok = false;
        return;
    }
    QList<qint64> waiting;
    const bool read =
        db_.queryQuietly(sql::format(kWaiting, int(SmsQueue::Waiting)), [&](const Row& row) {
            waiting.append(row.numberAt(0));
            return true;
        });
    if (!read) {
        note(QStringLiteral("无法读取待发短信: %1").arg(db_.lastError()));
        report.ok = false;
        return;
    }
    for (const qint64 code : waiting) {
        const qint64 claimed = moveStatus(code, SmsQueue::Waiting, SmsQueue::HandedOver);
        if (claimed < 0) {
            report.ok = false;
            return;
        }
        if (claimed == 0)
            continue; // another sender's, or deleted
        OutgoingSms sms;
        sms.code = code;
        bool found = false;
        if (!db_.queryQuietly(sql::format(kClaimed, code), [&](const Row& row) {
                sms.mobile = row.textAt(0);
                sms.name = row.textAt(1);
                sms.content = row.textAt(2);
                found = true;
                return false;
            })) {
            note(QStringLiteral("无法读取短信 #%1: %2").arg(code).arg(db_.lastError()));
            report.ok = false;
            return;
        }
        if (!found)
            continue; // deleted since the claim: nothing to send
        QString detail;
        const bool sent = gateway_.send(sms, &detail);
        note(QStringLiteral("短信 #%1 %2 %3%4")
                 .arg(sms.code)
                 .arg(sms.mobile, sent ? QStringLiteral("发送成功") : QStringLiteral("发送失败"),
                      detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail)));
        const qint64 settled =
            moveStatus(code, SmsQueue::HandedOver, sent ? SmsQueue::Delivered : SmsQueue::Failed);
        if (settled < 0) {
            report.ok = false;
            return;
        }
        if (settled == 0)
            note(QStringLiteral("短信 #%1 在发送期间已从发件箱删除").arg(code));
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
