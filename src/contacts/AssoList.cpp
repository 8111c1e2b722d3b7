// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/AssoList.h"

#include "base/Prompter.h"
#include "contacts/AssoStore.h"
#include "db/Database.h"
#include "featureapi/ListHost.h"
#include "interactions/Score.h"
#include "ui/ListEditing.h"
#include "ui/ReportModel.h"

namespace {

const QString kNothingTickedToModify = QStringLiteral("请在选择框中选中所要修改的资料!");
const QString kNoRowHighlighted = QStringLiteral("请选择所要操作的数据!");

constexpr qint64 kPointsPerAssociation = 5;

} // namespace

AssoList::AssoList(Database& db, Prompter& prompter, ReportModel& model, qint64 userCode)
    : db_(db), prompter_(prompter), model_(model), userCode_(userCode) {}

void AssoList::clearContact() {
    // An emptied tab belongs to no contact: its buttons must not act on the
    // contact shown before.
    contact_ = 0;
    model_.clear();
}

bool AssoList::showContact(qint64 code) {
    contact_ = code;
    return listediting::show(model_, AssoStore(db_, prompter_).rowsOf(code));
}

bool AssoList::requireContact() {
    if (contact_ >= 1)
        return true;
    prompter_.inform(kNoContact);
    return false;
}

int AssoList::add() {
    if (!requireContact() || !editor_)
        return 0;
    const int added = listediting::addRepeatedly(prompter_, [this] {
        Edit edit;
        edit.mode = Mode::Add;
        edit.contact = contact_;
        if (!editor_(edit))
            return false;
        model_.addRow(AssoStore::rowOf(edit.code, edit.values));
        return true;
    });
    if (added > 0)
        changeScore(kPointsPerAssociation * added);
    return added;
}

bool AssoList::modifyTicked() {
    if (!requireContact())
        return false;
    const QList<int> ticked = model_.checkedRows();
    if (ticked.isEmpty()) {
        prompter_.inform(kNothingTickedToModify);
        return false;
    }
    return modify(ticked.first());
}

bool AssoList::modifyRow(int row) {
    if (!requireContact())
        return false;
    if (row < 0 || row >= model_.rowCount()) {
        prompter_.inform(kNoRowHighlighted);
        return false;
    }
    return modify(row);
}

bool AssoList::modify(int row) {
    if (!editor_)
        return false;
    Edit edit;
    edit.mode = Mode::Modify;
    edit.contact = contact_;
    edit.code = model_.key(row);
    edit.chosenRecord = AssoStore(db_, prompter_).relationCode(edit.code);
    edit.values = AssoStore::valuesOf(listediting::rowTexts(model_, row));
    if (!editor_(edit))
        return false;
    const QStringList saved = AssoStore::rowOf(edit.code, edit.values);
    for (int column = 2; column < saved.size(); ++column)
        model_.setText(row, column, saved.at(column));
    return true;
}

int AssoList::remove() {
    if (!requireContact())
        return 0;
    AssoStore store(db_, prompter_);
    const int deleted = listediting::removeTicked(
        model_, prompter_, [&store](const QString& key) { return store.remove(key); });
    if (deleted > 0)
        changeScore(-kPointsPerAssociation * deleted);
    return deleted;
}

void AssoList::changeScore(qint64 points) {
    if (!Score(db_).add(userCode_, points) || !host_)
        return;
    host_->showNotice(Score::changeNotice(points));
    host_->showScore();
}
