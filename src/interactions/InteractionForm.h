// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "interactions/InteractionFields.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class Clock;
class Database;
class Prompter;

// What the interaction form holds and does, without its window: the values of
// its fields by column (a type as its name), add or modify mode, and
// "确定(&O)": the checks in their order, then the write of the row.
class InteractionForm {
  public:
    using Check = interaction::Check;
    enum class Mode { Add, Modify };

    struct Failure {
        QString message;
        QString focus; // the field to focus, empty for none
        bool selectAll = false;
        bool error = false; // shown with the caption "错误"
    };

    InteractionForm(Database& db, Prompter& prompter, const Clock& clock);

    // Add mode for a contact: every field empty, the date preset to today.
    void startAdd(qint64 contact);
    // An added interaction brings the user points: they are written in the
    // same transaction as the row, so the score always matches the rows.
    void setPointsOnAdd(qint64 userCode, qint64 points) {
        pointsUser_ = userCode;
        points_ = points;
    }
    // Modify mode for one interaction; the values are set afterwards.
    void startModify(qint64 contact, const QString& code);

    Mode mode() const { return mode_; }
    const Clock& clock() const { return clock_; }
    qint64 contact() const { return contact_; }
    // The interaction's code: set in modify mode, and after an add is saved.
    QString code() const { return code_; }
    // "往来记录管理", or "往来记录--修改" in modify mode.
    QString caption() const;

    QString value(const QString& column) const { return values_.value(column); }
    void setValue(const QString& column, const QString& text) { values_.insert(column, text); }
    void clear() { values_.clear(); }

    // The first check that fails, in the order of the check table.
    std::optional<Failure> check();
    // "确定(&O)": shows the first failing check and returns false, or writes
    // the row (and on adding stamps the contact's last change and adds the
    // points, all in one transaction). A failing statement has been shown and
    // nothing is saved.
    bool save();
    // Why the last save returned false (empty after a database failure).
    const std::optional<Failure>& failure() const { return failure_; }

    // The interaction type names for the two type lists.
    QStringList typeNames();
    // The list date "%4s-%2s-%2s" of year, month and day.
    static QString listDate(const QString& year, const QString& month, const QString& day);

    static inline const QString kAddCaption = QStringLiteral("往来记录管理");
    static inline const QString kModifyCaption = QStringLiteral("往来记录--修改");
    static inline const QString kThisGroup = QStringLiteral("本次交往");
    static inline const QString kNextGroup = QStringLiteral("下次安排");

  private:
    bool failed(const Check& check);
    qint64 typeCode(const QString& name);
    bool write();
    bool writeRow(bool adding, const QString& date);

    Database& db_;
    Prompter& prompter_;
    const Clock& clock_;
    Mode mode_ = Mode::Add;
    qint64 contact_ = 0;
    QString code_;
    qint64 pointsUser_ = -1;
    qint64 points_ = 0;
    QHash<QString, QString> values_;
    std::optional<Failure> failure_;
};
