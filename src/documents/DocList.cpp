// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DocList.h"

#include "base/Prompter.h"
#include "documents/DocForm.h"
#include "documents/DocStore.h"
#include "documents/FileOpener.h"
#include "featureapi/ListHost.h"
#include "interactions/Score.h"
#include "ui/ListEditing.h"
#include "ui/ReportModel.h"

namespace {

const QString kNoContact = QStringLiteral("请先选择相关资料,再使用此功能!");
const QString kNoContactToModify = QStringLiteral("请先选择相关资料,再使用此功能");
const QString kNothingTickedToModify = QStringLiteral("请在选择框中选中所要修改的资料!");
const QString kNoRowSelected = QStringLiteral("请选择所要操作的数据!");
const QString kNothingToView = QStringLiteral("请选择所要查看的资料!");
const QString kNoStoredPath = QStringLiteral("该文档名称有问题,请检查!");

constexpr qint64 kPointsPerDocument = 5;

} // namespace

DocList::DocList(Database& db, Prompter& prompter, ReportModel& model, FileOpener& opener,
                 qint64 userCode)
    : db_(db), prompter_(prompter), model_(model), opener_(&opener), userCode_(userCode) {}

void DocList::clearContact() {
    // An emptied tab belongs to no contact: its buttons must not act on the
    // contact shown before.
    contact_ = 0;
    model_.clear();
}

bool DocList::showContact(qint64 code) {
    contact_ = code;
    return listediting::show(model_, DocStore(db_, prompter_).rowsOf(code));
}

int DocList::add() {
    if (contact_ < 1) {
        prompter_.inform(kNoContact);
        return 0;
    }
    if (!editor_)
        return 0;
    const int added = listediting::addRepeatedly(prompter_, [this] {
        Edit edit;
        edit.mode = DocMode::Add;
        edit.contact = contact_;
        if (!editor_(edit))
            return false;
        model_.addRow(DocStore::rowOf(edit.values));
        return true;
    });
    if (added > 0) {
        changeScore(kPointsPerDocument * added);
        changed();
    }
    return added;
}

bool DocList::modifyTicked() {
    if (contact_ < 1) {
        prompter_.inform(kNoContactToModify);
        return false;
    }
    const QList<int> ticked = model_.checkedRows();
    if (ticked.isEmpty()) {
        prompter_.inform(kNothingTickedToModify);
        return false;
    }
    return modify(ticked.first());
}

bool DocList::modifyRow(int row) {
    if (row < 0 || row >= model_.rowCount()) {
        prompter_.inform(kNoRowSelected);
        return false;
    }
    if (contact_ < 1) {
        prompter_.inform(kNoContactToModify);
        return false;
    }
    model_.setChecked(row, true);
    // The row double-clicked is the one modified, whatever else is ticked.
    return modify(row);
}

bool DocList::modify(int row) {
    if (!editor_)
        return false;
    Edit edit;
    edit.mode = DocMode::Modify;
    edit.contact = contact_;
    edit.values = DocStore::valuesOf(listediting::rowTexts(model_, row));
    if (!DocStore(db_, prompter_).readStored(edit.values))
        return false;
    if (!editor_(edit))
        return false;
    const QStringList saved = DocStore::rowOf(edit.values);
    for (int column = 1; column < saved.size(); ++column)
        model_.setText(row, column, saved.at(column));
    changed();
    return true;
}

int DocList::remove() {
    if (contact_ < 1) {
        prompter_.inform(kNoContact);
        return 0;
    }
    DocStore store(db_, prompter_);
    const int deleted = listediting::removeTicked(
        model_, prompter_, [&store](const QString& key) { return store.remove(key); });
    if (deleted > 0) {
        changeScore(-kPointsPerDocument * deleted);
        changed();
    }
    return deleted;
}

bool DocList::view(int row) {
    if (row < 0 || row >= model_.rowCount()) {
        prompter_.inform(kNothingToView);
        return false;
    }
    const QString path = DocStore(db_, prompter_).pathOf(model_.key(row));
    if (path.isEmpty()) {
        prompter_.inform(kNoStoredPath);
        return false;
    }
    if (!docform::fileExists(path)) {
        prompter_.inform(docform::kFileMissing);
        return false;
    }
    return opener_->openOrReport(path, prompter_);
}

void DocList::changeScore(qint64 points) {
    if (!Score(db_).add(userCode_, points) || !host_)
        return;
    host_->showNotice(Score::changeNotice(points));
    host_->showScore();
}

void DocList::changed() {
    if (changed_)
        changed_();
}
