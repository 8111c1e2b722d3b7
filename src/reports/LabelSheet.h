// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/RepeatedQuery.h"
#include "reports/SheetWriter.h"

#include <QString>
#include <optional>

class Database;
class ReportModel;

// Envelope labels of the ticked contacts, two to a band of six rows: postcode,
// address, company, an empty row, and the recipient with "(收)".
class LabelSheet : public SheetWriter {
  public:
    static inline const QString kStatement =
        QStringLiteral("select work_zip,work_address,base_name,work_name \t\t\tfrom base "
                       "\t\t\twhere base_code=%s ");
    // The same read for many contacts at once.
    static inline const QString kBatchStatement =
        QStringLiteral("select base_code,work_zip,work_address,base_name,work_name from base "
                       "where base_code in (%s)");
    static inline const QString kSheet = QStringLiteral("标签");
    static inline const QString kDone = QStringLiteral("标签文件已生成!");

    // list: the contact list (its hidden second column holds the contact code).
    LabelSheet(Database& db, const ReportModel& list) : db_(db), reads_(db), list_(list) {}

    // The label of one contact as one record text; the sentinel "#!$#%" when
    // the contact has no row; nothing after a database error (shown).
    std::optional<QString> text(const QString& code);

    QString sheetName() const override { return kSheet; }
    int steps() const override;
    bool fill(XlsxWorkbook& book, const std::function<void(int)>& advance) override;
    QString doneMessage() const override { return kDone; }

  private:
    // The label's lines from the row's columns starting at first (work_zip,
    // work_address, base_name, work_name).
    static QStringList linesOf(const Row& row, int first);

    Database& db_;
    RepeatedQuery reads_;
    const ReportModel& list_;
};
