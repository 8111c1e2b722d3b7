// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/AssoRecord.h"
#include "featureapi/ContactTab.h"

#include <QString>
#include <functional>

class Database;
class ListHost;
class Prompter;
class ReportModel;

// What the "关联关系" tab does with its list: it lists the associations of the
// contact shown, and adds, modifies and deletes them through the association
// form, moving the user's score by 5 points per association added or deleted.
class AssoList : public ContactTab {
  public:
    enum class Mode { Add, Modify };
    // One opening of the association form.
    struct Edit {
        Mode mode = Mode::Add;
        qint64 contact = 0;   // whose association it is
        QString code;         // asso_code: the row modified, or the row the form added
        AssoValues values;    // shown when the form opens, saved when it closes with OK
        QString chosenRecord; // the contact last picked with "选择" (modify: asso_relation_code)
    };
    // Opens the form; true when it saved and closed with OK.
    using Editor = std::function<bool(Edit&)>;

    static inline const QString kNoContact = QStringLiteral("请先选择相关资料,再使用此功能!");

    AssoList(Database& db, Prompter& prompter, ReportModel& model, qint64 userCode);

    void setHost(ListHost* host) { host_ = host; }
    void setEditor(Editor editor) { editor_ = std::move(editor); }

    // ContactTab
    void clearContact() override;
    bool showContact(qint64 code) override;
    // The contact whose associations are listed; 0 when none is shown.
    qint64 contact() const { return contact_; }

    // "增加": the form again and again until it is cancelled or the user has
    // enough; returns how many associations were added.
    int add();
    // "修改": the first ticked row. Returns whether the form saved.
    bool modifyTicked();
    // A double click on a row (-1: none highlighted).
    bool modifyRow(int row);
    // "删除": the ticked rows; returns how many were deleted.
    int remove();

  private:
    bool requireContact();
    bool modify(int row);
    void changeScore(qint64 points);

    Database& db_;
    Prompter& prompter_;
    ReportModel& model_;
    qint64 userCode_;
    ListHost* host_ = nullptr;
    Editor editor_;
    qint64 contact_ = 0;
};
