// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Clock;
class Database;
class InteractionForm;
class InteractionHost;
class Prompter;
class ReportModel;

// The interaction page of the detail pane without its window: the list of one
// contact's interactions, and add, modify and delete with their messages, the
// points they bring and the reminders they change.
class InteractionList {
  public:
    static inline const QString kColumns = QStringLiteral(
        "选,25;ID,0;日期,80;往来类型,120;收入,70;支出,70;往来内容,250;时间长度,70;下次时间,80;");

    enum Column {
        TickColumn,
        IdColumn,
        DateColumn,
        TypeColumn,
        IncomeColumn,
        ExpenseColumn,
        ContentColumn,
        SpentColumn,
        NextColumn,
    };

    // Shows the form until it is saved (true) or cancelled (false).
    using FormRunner = std::function<bool(InteractionForm&)>;
    // The contact the list's current row names; below 1 when none is chosen.
    using ContactSource = std::function<qint64()>;

    InteractionList(Database& db, Prompter& prompter, const Clock& clock, qint64 userCode,
                    ReportModel& model);

    void setHost(InteractionHost* host) { host_ = host; }
    void setFormRunner(FormRunner runner) { runForm_ = std::move(runner); }
    void setContactSource(ContactSource source) { contact_ = std::move(source); }

    ReportModel& model() const { return model_; }

    // Lists the contact's interactions, newest first; false when the statement
    // failed (the list is then empty).
    bool load(qint64 contact);
    void clear();

    // "增加": the add loop; returns how many were saved.
    int add();
    // "修改": the first ticked row.
    bool modify();
    // A double click on a row (-1 when none is selected).
    bool modifyRow(int row);
    // "删除": the ticked rows; returns how many were deleted.
    int remove();

    static constexpr int kPoints = 5;

  private:
    qint64 currentContact() const;
    bool modifyAt(int row);
    bool deleteWithPoints(const QString& code);
    QStringList rowOf(const InteractionForm& form);

    Database& db_;
    Prompter& prompter_;
    const Clock& clock_;
    qint64 userCode_;
    ReportModel& model_;
    InteractionHost* host_ = nullptr;
    FormRunner runForm_;
    ContactSource contact_;
};
