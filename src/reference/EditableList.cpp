// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/EditableList.h"

#include "base/Prompter.h"
#include "db/TextFormat.h"

EditableList::EditableList(Prompter& prompter, const QString& columnSpec)
    : prompter_(prompter), model_(columnSpec) {}

void EditableList::saved() {
    load();
    changed_ = true;
}

void EditableList::add(const OpenForm& open) {
    while (open(-1)) {
        saved();
        if (!prompter_.ask(Prompter::kNoticeCaption, QStringLiteral("继续增加吗?")))
            break;
    }
}

void EditableList::modify(const OpenForm& open) {
    const QList<int> ticked = model_.checkedRows();
    if (ticked.isEmpty()) {
        prompter_.inform(QStringLiteral("请在选择框中选中所要修改的资料!"));
        return;
    }
    if (open(ticked.first()))
        saved();
}

void EditableList::openSelected(int selectedRow, const OpenForm& open) {
    if (selectedRow < 0 || selectedRow >= model_.rowCount()) {
        prompter_.inform(QStringLiteral("请选择所要操作的数据!"));
        return;
    }
    model_.setChecked(selectedRow, true);
    if (open(selectedRow))
        saved();
}

void EditableList::deleteTicked() {
    if (model_.checkedRows().isEmpty()) {
        prompter_.inform(QStringLiteral("请选择所要删除的资料!"));
        return;
    }
    if (!prompter_.confirm(QStringLiteral("确定要删除所选资料吗?")))
        return;
    // A removed row's successor moves into its place and is looked at next.
    for (int row = 0; row < model_.rowCount();) {
        if (!model_.isChecked(row) || deleteRecord(row) == RowOutcome::Kept) {
            ++row;
            continue;
        }
        model_.removeRowAt(row);
        changed_ = true;
        --count_;
    }
    afterDeleteWalk();
}

void EditableList::reportInUse(const QString& name) {
    prompter_.notice(Prompter::kNoticeCaption,
                     text::format("名称为[ %s ]的资料已被使用,不能直接删除", name),
                     PromptIcon::Question);
}
