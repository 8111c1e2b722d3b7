// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SmsQueue.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "db/RowWriter.h"
#include "db/TextFormat.h"
#include "ui/ReportModel.h"

namespace {

const QString kNothingTicked = QStringLiteral("请选择所要发送短信的资料!");
const QString kQueued = QStringLiteral("提交成功!\r\n\r\n共提交 %d 个短信息.");

} // namespace

QString SmsQueue::statusText(qint64 status) {
    switch (status) {
    case Waiting:
        return QStringLiteral("待发");
    case HandedOver:
        return QStringLiteral("已发");
    case Delivered:
        return QStringLiteral("发送成功");
    case Failed:
        return QStringLiteral("发送失败");
    default:
        return QString::number(status);
    }
}

int SmsQueue::run(const ReportModel& contacts,
                  const std::function<std::optional<QString>()>& compose) {
    if (contacts.checkedRows().isEmpty()) {
        prompter_.inform(kNothingTicked);
        return -1;
    }
    const std::optional<QString> content = compose();
    if (!content)
        return -1;
    bool ok = true;
    const int queued = queue(contacts, *content, &ok);
    // A failure has shown the engine's text; the rows before it stay queued.
    if (ok)
        prompter_.inform(text::format(kQueued, queued));
    return queued;
}

int SmsQueue::queue(const ReportModel& contacts, const QString& content, bool* ok) {
    const QDateTime now = clock_.now();
    const QString date =
        text::format(QStringLiteral("%s-%s-%s"), now.toString(QStringLiteral("yyyy")),
                     now.toString(QStringLiteral("MM")), now.toString(QStringLiteral("dd")));
    const QString time =
        text::format(QStringLiteral("%s:%s:%s"), now.toString(QStringLiteral("HH")),
                     now.toString(QStringLiteral("mm")), now.toString(QStringLiteral("ss")));
    int queued = 0;
    if (ok)
        *ok = true;
    for (int row : contacts.checkedRows()) {
        const QString mobile = contacts.text(row, ContactList::MobileColumn).trimmed();
        if (mobile.isEmpty())
            continue;
        RowWriter sms(db_, QStringLiteral("smssend"));
        sms.set(QStringLiteral("smssend_base_code"),
                contacts.text(row, ContactList::IdColumn).toLongLong());
        sms.set(QStringLiteral("smssend_mobile"), mobile);
        sms.set(QStringLiteral("smssend_status"), qint64(Waiting));
        sms.set(QStringLiteral("smssend_date"), date);
        sms.set(QStringLiteral("smssend_time"), time);
        sms.set(QStringLiteral("smssend_name"), contacts.text(row, ContactList::NameColumn));
        sms.set(QStringLiteral("smssend_content"), content);
        if (!sms.save()) {
            if (ok)
                *ok = false;
            break;
        }
        ++queued;
    }
    return queued;
}
