// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/DocRecord.h"

#include <QString>
#include <functional>

class Database;
class FileOpener;
class Prompter;
class ReportModel;

// What the my-data view does with its list: the items of the category chosen
// in the 〖我的资料〗 group, added, modified and deleted through the my-data
// form, opened by a double click.
class DatumList {
  public:
    struct Edit {
        DocMode mode = DocMode::Add;
        DocValues values; // shown when the form opens, saved when it closes with OK
    };
    // Opens the form; true when it saved and closed with OK.
    using Editor = std::function<bool(Edit&)>;

    DatumList(Database& db, Prompter& prompter, ReportModel& model, FileOpener& opener);

    void setEditor(Editor editor) { editor_ = std::move(editor); }
    void setOpener(FileOpener& opener) { opener_ = &opener; }

    // Lists a category; false after a reported failure.
    bool load(qint64 category);
    // The category listed, -1 before the first.
    qint64 category() const { return category_; }

    // "增加资料": the form until it is cancelled or the user has enough;
    // returns how many items were added. The list then shows its category anew.
    int add();
    // "修改资料": the first ticked row; true when the form saved.
    bool modifyTicked();
    // "删除资料": the ticked rows; returns how many were deleted. The files stay.
    int remove();
    // A double click: opens the file of the selected row (-1: none).
    bool open(int row);

  private:
    Database& db_;
    Prompter& prompter_;
    ReportModel& model_;
    FileOpener* opener_;
    Editor editor_;
    qint64 category_ = -1;
};
