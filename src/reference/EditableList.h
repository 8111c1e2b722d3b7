// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ReportModel.h"

#include <QString>
#include <functional>

class Prompter;

// The rules shared by the list windows that add, modify and delete the rows
// of one table (the reference editors, users, departments): which row a
// command acts on, the add loop, the delete walk over the ticked rows, the
// count in the title and whether anything changed while the window was open.
class EditableList {
  public:
    // Opens the edit form; true when it saved. The row is -1 for a new record.
    using OpenForm = std::function<bool(int row)>;

    EditableList(Prompter& prompter, const QString& columnSpec);
    virtual ~EditableList() = default;
    EditableList(const EditableList&) = delete;
    EditableList& operator=(const EditableList&) = delete;

    ReportModel& model() { return model_; }
    // Empties the list and fills it from the table; false when the query failed.
    virtual bool load() = 0;
    // The window title with the current count.
    virtual QString title() const = 0;
    // The caption before the first load.
    virtual QString caption() const = 0;
    int count() const { return count_; }
    // Set by every add, modify or delete that succeeded.
    bool changed() const { return changed_; }

    // "增加": the form again and again while it saves and the user wants more.
    void add(const OpenForm& open);
    // "修改": the first ticked row, from the top.
    void modify(const OpenForm& open);
    // A double click: the selected row (-1 for none), ticked first.
    void openSelected(int selectedRow, const OpenForm& open);
    // "删除": every ticked row that nothing uses, after one confirmation.
    void deleteTicked();

  protected:
    enum class RowOutcome { Removed, Kept };
    // Deletes the record of one ticked row from the table (not from the list).
    virtual RowOutcome deleteRecord(int row) = 0;
    // After the walk: the title follows the lowered count unless overridden.
    virtual void afterDeleteWalk() {}
    // "名称为[ %s ]的资料已被使用,不能直接删除".
    void reportInUse(const QString& name);
    void setCount(int count) { count_ = count; }

    Prompter& prompter_;

  private:
    void saved();

    ReportModel model_;
    int count_ = 0;
    bool changed_ = false;
};
