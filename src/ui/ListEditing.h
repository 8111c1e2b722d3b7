// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Prompter;
class ReportModel;

// The walks the tabs' ticked lists (associations, documents, my data,
// interactions) have in common: showing the rows read from a store, adding
// until the user has enough, and deleting the ticked rows.
namespace listediting {

inline const QString kNothingTickedToDelete = QStringLiteral("请选择所要删除的资料!");
inline const QString kConfirmDelete = QStringLiteral("确定要删除所选资料吗?");
inline const QString kContinue = QStringLiteral("继续增加吗?");

// Empties the model and shows the rows; false, the model left empty, when the
// store could not read them (it has said why).
bool show(ReportModel& model, const std::optional<QList<QStringList>>& rows);

// The texts of one row, column by column.
QStringList rowTexts(const ReportModel& model, int row);

// Runs addOne until it returns false (the form was cancelled) or the user
// declines "继续增加吗?"; returns how many were added.
int addRepeatedly(Prompter& prompter, const std::function<bool()>& addOne);

// "删除": says so when nothing is ticked, asks to confirm, then deletes each
// ticked row through remove(key). A deleted row leaves the list and the next
// one moves up into its place; a row whose delete failed (its error shown by
// remove) stays and is passed. Returns how many were deleted.
int removeTicked(ReportModel& model, Prompter& prompter,
                 const std::function<bool(const QString& key)>& remove);

} // namespace listediting
