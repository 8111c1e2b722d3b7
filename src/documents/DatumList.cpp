// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DatumList.h"

#include "base/Prompter.h"
#include "db/TextFormat.h"
#include "documents/DatumStore.h"
#include "documents/DocForm.h"
#include "documents/FileOpener.h"
#include "ui/ListEditing.h"
#include "ui/ReportModel.h"

namespace {

const QString kNothingTickedToModify = QStringLiteral("请在选择框中选中所要修改的资料!");
const QString kModified = QStringLiteral("修改成功!");
const QString kNoRowSelected = QStringLiteral("请选择所要操作的数据!");
const QString kMissingFile = QStringLiteral("文件 [%s] 不存在!");

} // namespace

DatumList::DatumList(Database& db, Prompter& prompter, ReportModel& model, FileOpener& opener)
    : db_(db), prompter_(prompter), model_(model), opener_(&opener) {}

bool DatumList::load(qint64 category) {
    category_ = category;
    return listediting::show(model_, DatumStore(db_, prompter_).rowsOf(category));
}

int DatumList::add() {
    if (!editor_)
        return 0;
    const int added = listediting::addRepeatedly(prompter_, [this] {
        Edit edit;
        edit.mode = DocMode::Add;
        return editor_(edit);
    });
    // What was added to the category shown would otherwise be missing from it.
    if (added > 0 && category_ >= 0)
        load(category_);
    return added;
}

bool DatumList::modifyTicked() {
    const QList<int> ticked = model_.checkedRows();
    if (ticked.isEmpty()) {
        prompter_.inform(kNothingTickedToModify);
        return false;
    }
    const int row = ticked.first();
    if (!editor_)
        return false;
    Edit edit;
    edit.mode = DocMode::Modify;
    edit.values = DatumStore::valuesOf(listediting::rowTexts(model_, row));
    DatumStore store(db_, prompter_);
    if (!store.readStored(edit.values))
        return false;
    if (!editor_(edit))
        return false;
    // An item moved to another category leaves the list of this one.
    if (category_ >= 0 && store.categoryCode(edit.values.category) != category_) {
        model_.removeRowAt(row);
    } else {
        const QStringList saved = DatumStore::rowOf(edit.values);
        for (int column = 1; column < saved.size(); ++column)
            model_.setText(row, column, saved.at(column));
    }
    prompter_.notice(Prompter::kNoticeCaption, kModified, PromptIcon::Question);
    return true;
}

int DatumList::remove() {
    DatumStore store(db_, prompter_);
    return listediting::removeTicked(model_, prompter_,
                                     [&store](const QString& key) { return store.remove(key); });
}

bool DatumList::open(int row) {
    if (row < 0 || row >= model_.rowCount()) {
        prompter_.inform(kNoRowSelected);
        return false;
    }
    const QString path = DatumStore(db_, prompter_).pathOf(model_.key(row));
    if (!docform::fileExists(path)) {
        prompter_.inform(text::format(kMissingFile, path));
        return false;
    }
    return opener_->openOrReport(path, prompter_);
}
