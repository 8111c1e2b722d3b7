// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CExistingRecordsDlg.h"

#include "featureapi/AppContext.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CExistingRecordsDlg::CExistingRecordsDlg(AppContext& app, const QString& text,
                                         ContactSearch::Mode mode, QWidget* parent)
    : QDialog(parent), model_(new ReportModel(ContactSearch::kColumns, this)),
      list_(new CReportView(this)) {
    setObjectName(QStringLiteral("CExistingRecordsDlg"));
    setWindowTitle(ContactSearch::kDialogCaption);
    list_->setReportModel(model_);

    ContactSearch search(app.db, app.prompter);
    QList<QStringList> rows;
    for (const auto& found : search.existing(text, mode))
        rows.append({found.code, found.name, found.unit});
    model_->setRows(rows);
    setWindowTitle(ContactSearch::title(int(rows.size())));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(list_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { chooseRow(index.row()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(360, 300);
}

void CExistingRecordsDlg::accept() {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    chosen_ = selected.isEmpty() ? QString() : model_->text(selected.first().row(), 0);
    QDialog::accept();
}

void CExistingRecordsDlg::chooseRow(int row) {
    list_->selectRow(row);
    accept();
}
