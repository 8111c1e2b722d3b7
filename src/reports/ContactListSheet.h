// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/RepeatedQuery.h"
#include "reports/SheetWriter.h"
#include "reports/TickedRecords.h"

#include <QString>
#include <optional>

class Clock;
class Database;
class ReportModel;

// The ticked contacts as a list: name, sex, post, area code, phone, mobile,
// company and its address, one row each under a title and the date.
class ContactListSheet : public SheetWriter {
  public:
    static inline const QString kStatement = QStringLiteral(
        "select b.base_name,b.base_sex,d.duty_name,b.base_phone, \t\t\tb.base_mobil,b.work_name,"
        "b.work_address,b.work_areacode,u.user_name \t\t\tfrom base as b,duty as d,userlogin as "
        "u \t\t\twhere b.base_code=%s \t\t\tand b.work_duty_code=d.duty_code \t\t\tand "
        "b.base_user_code=u.user_code");
    // The same read for many contacts at once, each row led by its code.
    static inline const QString kBatchStatement = QStringLiteral(
        "select b.base_code,b.base_name,b.base_sex,d.duty_name,b.base_phone,b.base_mobil,"
        "b.work_name,b.work_address,b.work_areacode,u.user_name from base as b,duty as d,"
        "userlogin as u where b.base_code in (%s) and b.work_duty_code=d.duty_code and "
        "b.base_user_code=u.user_code");
    static inline const QString kSheet = QStringLiteral("列表");
    static inline const QString kTitle = QStringLiteral("人脉资料列表");
    static inline const QString kDate = QStringLiteral("日期:%s");
    static inline const QString kDone = QStringLiteral("列表资料文件已生成!");

    ContactListSheet(Database& db, const Clock& clock, const ReportModel& list)
        : db_(db), reads_(db), clock_(clock), list_(list) {}

    static const QStringList& headers();

    // One contact as a record text; the sentinel "#!$#%" when its row, post or
    // user is missing; nothing after a database error (shown).
    std::optional<QString> text(const QString& code);

    // Reads the records of many contacts with one statement per batch.
    TickedRecords::Reader reader();

    QString sheetName() const override { return kSheet; }
    int steps() const override;
    bool fill(XlsxWorkbook& book, const std::function<void(int)>& advance) override;
    QString doneMessage() const override { return kDone; }

  private:
    // The fields of the row read from its columns starting at first: name,
    // sex, post, area code, phone, mobile, company, address.
    static QStringList fieldsOf(const Row& row, int first);

    Database& db_;
    RepeatedQuery reads_;
    const Clock& clock_;
    const ReportModel& list_;
};
