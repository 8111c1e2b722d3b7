// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/DocRecord.h"
#include "featureapi/ContactTab.h"

#include <QString>
#include <functional>

class Database;
class FileOpener;
class ListHost;
class Prompter;
class ReportModel;

// What the "相关文档" tab does with its list: the documents of the contact
// shown, added, modified, deleted and opened through the document form; each
// document added or deleted moves the user's score by 5 points.
class DocList : public ContactTab {
  public:
    // One opening of the document form.
    struct Edit {
        DocMode mode = DocMode::Add;
        qint64 contact = 0;
        DocValues values; // shown when the form opens, saved when it closes with OK
    };
    // Opens the form; true when it saved and closed with OK.
    using Editor = std::function<bool(Edit&)>;

    DocList(Database& db, Prompter& prompter, ReportModel& model, FileOpener& opener,
            qint64 userCode);

    void setHost(ListHost* host) { host_ = host; }
    void setOpener(FileOpener& opener) { opener_ = &opener; }
    void setEditor(Editor editor) { editor_ = std::move(editor); }
    // Called after documents were added, changed or deleted (the tree's counts).
    void setOnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // ContactTab
    void clearContact() override;
    bool showContact(qint64 code) override;
    qint64 contact() const { return contact_; }

    // "增加": the form until it is cancelled or the user has enough; returns
    // how many documents were added.
    int add();
    // "修改": the first ticked row; true when the form saved.
    bool modifyTicked();
    // A double click on a row (-1: none selected): ticks it and modifies it.
    bool modifyRow(int row);
    // "删除": the ticked rows; returns how many were deleted. The files stay.
    int remove();
    // "查看": opens the file of the selected row (-1: none).
    bool view(int row);

  private:
    bool modify(int row);
    void changeScore(qint64 points);
    void changed();

    Database& db_;
    Prompter& prompter_;
    ReportModel& model_;
    FileOpener* opener_;
    qint64 userCode_;
    ListHost* host_ = nullptr;
    Editor editor_;
    std::function<void()> changed_;
    qint64 contact_ = 0;
};
