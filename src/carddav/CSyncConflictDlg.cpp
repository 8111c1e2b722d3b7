// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/CSyncConflictDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

using exchange::ContactMerger;

CSyncConflictDlg::CSyncConflictDlg(const carddav::SyncConflict& conflict, QWidget* parent)
    : QDialog(parent), records_{conflict.local, conflict.remote},
      differences_(ContactMerger::differences(records_, 0)), fields_(new QTableWidget(this)) {
    setWindowTitle(QStringLiteral("通讯录同步 - 两边都有修改"));
    auto* text =
        new QLabel(QStringLiteral("“%1”在本程序和服务器上都修改过。请为每一项选择要保留的值; "
                                  "合并后的资料在下次同步时送到服务器。")
                       .arg(conflict.local.value(QStringLiteral("base_name"))),
                   this);
    text->setWordWrap(true);
    fields_->setColumnCount(3);
    fields_->setRowCount(int(differences_.size()));
    fields_->setHorizontalHeaderLabels(
        {QStringLiteral("项目"), QStringLiteral("本程序"), QStringLiteral("服务器")});
    fields_->verticalHeader()->hide();
    fields_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < differences_.size(); ++row) {
        const exchange::MergeField& f = differences_[row];
        fields_->setItem(row, 0, new QTableWidgetItem(f.label));
        auto* group = new QButtonGroup(this);
        for (int side = 0; side < 2; ++side) {
            auto* button = new QRadioButton(ContactMerger::shown(f.values.value(side)), fields_);
            group->addButton(button, side);
            fields_->setCellWidget(row, side + 1, button);
        }
        group->button(0)->setChecked(true);
        choices_ << group;
    }
    fields_->resizeColumnsToContents();
    fields_->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("合并"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("以后再说"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(fields_);
    layout->addWidget(buttons);
    resize(640, 380);
}

void CSyncConflictDlg::choose(int row, int side) {
    if (row >= 0 && row < choices_.size())
        choices_[row]->button(side)->setChecked(true);
}

ContactRecord CSyncConflictDlg::merged() const {
    QList<exchange::MergeField> fields = differences_;
    for (int row = 0; row < fields.size(); ++row)
        fields[row].chosen = choices_[row]->checkedId();
    return ContactMerger::combine(records_, 0, fields);
}
