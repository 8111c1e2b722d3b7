// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SmsMailbox.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/TextFormat.h"
#include "sms/SmsQueue.h"
#include "ui/ReportModel.h"

namespace {

const QString kOutboxColumns =
    QStringLiteral("选,25;ID,0;状态,60;提交日期,80;提交时间,70;姓名,60;手机号,90;短信内容,115;");
const QString kInboxColumns =
    QStringLiteral("选,25;ID,0;接收日期,80;时间,70;姓名,60;手机号,90;短信内容,115");
const QString kOutbox = QStringLiteral(
    "select smssend_code,smssend_base_code,smssend_date,smssend_time, \t\t\tsmssend_mobile,"
    "smssend_content,smssend_name,smssend_company,smssend_status \t\t\tfrom smssend \t\t\t"
    "order by smssend_date desc,smssend_time desc");
const QString kInbox = QStringLiteral(
    "select smsrecv_code,smsrecv_date,smsrecv_time, \t\t\tsmsrecv_mobile,smsrecv_content,"
    "smsrecv_name \t\t\tfrom smsrecv \t\t\torder by smsrecv_date desc,smsrecv_time desc");
const QString kOutboxDelete = QStringLiteral("delete from smssend where smssend_code=%s");
const QString kInboxDelete = QStringLiteral("delete from smsrecv where smsrecv_code=%s");

const QString kNothingTicked = QStringLiteral("请选择所要删除的资料!");
const QString kConfirmDelete = QStringLiteral("确定要删除所选资料吗?");
const QString kNothingToView = QStringLiteral("请在选择框中选中所要查看的资料!");
const QString kNothingSelected = QStringLiteral("请选择所要查看的数据!");

} // namespace

QString SmsMailbox::columns() const {
    return box_ == Box::Outbox ? kOutboxColumns : kInboxColumns;
}

QString SmsMailbox::caption() const {
    return box_ == Box::Outbox ? QStringLiteral("短信发送管理") : QStringLiteral("接收短信管理");
}

QString SmsMailbox::title(int count) const {
    return text::format(box_ == Box::Outbox ? QStringLiteral("短信发送管理--目前共有记录数： %d")
                                            : QStringLiteral("短信接收管理--目前共有记录数： %d"),
                        count);
}

int SmsMailbox::contentColumn() const {
    return box_ == Box::Outbox ? 7 : 6;
}

bool SmsMailbox::fetch(QList<QStringList>& rows) {
    if (box_ == Box::Outbox) {
        return db_.query(sql::format(kOutbox), [&rows](const Row& row) {
            rows.append({QString(), QString::number(row.number(QStringLiteral("smssend_code"))),
                         SmsQueue::statusText(row.number(QStringLiteral("smssend_status"), 0)),
                         row.text(QStringLiteral("smssend_date")),
                         row.text(QStringLiteral("smssend_time")),
                         row.text(QStringLiteral("smssend_name")),
                         row.text(QStringLiteral("smssend_mobile")),
                         row.text(QStringLiteral("smssend_content"))});
            return true;
        });
    }
    return db_.query(sql::format(kInbox), [&rows](const Row& row) {
        rows.append(
            {QString(), QString::number(row.number(QStringLiteral("smsrecv_code"))),
             row.text(QStringLiteral("smsrecv_date")), row.text(QStringLiteral("smsrecv_time")),
             row.text(QStringLiteral("smsrecv_name")), row.text(QStringLiteral("smsrecv_mobile")),
             row.text(QStringLiteral("smsrecv_content"))});
        return true;
    });
}

int SmsMailbox::deleteTicked(ReportModel& model) {
    if (model.checkedRows().isEmpty()) {
        prompter_.inform(kNothingTicked);
        return -1;
    }
    if (!prompter_.confirm(kConfirmDelete))
        return -1;
    const QString statement = box_ == Box::Outbox ? kOutboxDelete : kInboxDelete;
    int deleted = 0;
    int position = 0;
    // A deleted row leaves the list and the next one moves up into its place;
    // a row whose delete failed (its error was shown) stays and is passed.
    while (position < model.rowCount()) {
        if (!model.isChecked(position)) {
            ++position;
        } else if (db_.execute(sql::format(statement, model.key(position)))) {
            model.removeRowAt(position);
            ++deleted;
        } else {
            ++position;
        }
    }
    return deleted;
}

std::optional<QString> SmsMailbox::tickedText(const ReportModel& model) {
    const QList<int> ticked = model.checkedRows();
    if (ticked.isEmpty()) {
        prompter_.inform(kNothingToView);
        return std::nullopt;
    }
    return model.text(ticked.first(), contentColumn());
}

std::optional<QString> SmsMailbox::selectedText(const ReportModel& model, int selectedRow) {
    if (selectedRow < 0 || selectedRow >= model.rowCount()) {
        prompter_.inform(kNothingSelected);
        return std::nullopt;
    }
    return model.text(selectedRow, contentColumn());
}
