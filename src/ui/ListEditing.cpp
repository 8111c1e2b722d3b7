// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListEditing.h"

#include "base/Prompter.h"
#include "ui/ReportModel.h"

namespace listediting {

bool show(ReportModel& model, const std::optional<QList<QStringList>>& rows) {
    model.clear();
    if (!rows)
        return false;
    model.setRows(*rows);
    return true;
}

QStringList rowTexts(const ReportModel& model, int row) {
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.text(row, column);
    return texts;
}

int addRepeatedly(Prompter& prompter, const std::function<bool()>& addOne) {
    int added = 0;
    while (addOne()) {
        ++added;
        if (!prompter.ask(Prompter::kNoticeCaption, kContinue))
            break;
    }
    return added;
}

int removeTicked(ReportModel& model, Prompter& prompter,
                 const std::function<bool(const QString& key)>& remove) {
    if (model.checkedRows().isEmpty()) {
        prompter.inform(kNothingTickedToDelete);
        return 0;
    }
    if (!prompter.confirm(kConfirmDelete))
        return 0;
    int deleted = 0;
    for (int row = 0; row < model.rowCount();) {
        if (model.isChecked(row) && remove(model.key(row))) {
            model.removeRowAt(row);
            ++deleted;
        } else {
            ++row;
        }
    }
    return deleted;
}

} // namespace listediting
