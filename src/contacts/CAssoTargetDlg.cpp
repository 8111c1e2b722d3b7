// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CAssoTargetDlg.h"

#include "base/Prompter.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAssoTargetDlg::CAssoTargetDlg(Database& db, Prompter& prompter, qint64 currentContact,
                               QWidget* parent)
    : QDialog(parent), prompter_(prompter), targets_(db, currentContact),
      model_(new ReportModel(AssoTargets::kColumns, this)), list_(new CReportView(this)),
      name_(new QLineEdit(this)), unit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("CAssoTargetDlg"));
    setWindowTitle(QStringLiteral("资料列表"));
    list_->setReportModel(model_);
    name_->setObjectName(QStringLiteral("nameFilter"));
    unit_->setObjectName(QStringLiteral("unitFilter"));

    auto* filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("姓名:"), this), 0, 0);
    filters->addWidget(name_, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("单位名称:"), this), 0, 2);
    filters->addWidget(unit_, 0, 3);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 2);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CAssoTargetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAssoTargetDlg::reject);
    connect(list_, &QAbstractItemView::doubleClicked, this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("设置过滤条件:"), this));
    layout->addLayout(filters);
    layout->addWidget(new QLabel(QStringLiteral("资料列表:"), this));
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(420, 380);

    // Only the name filter refills the list; a unit typed alone takes effect
    // with the next change of the name. An emptied name with no unit lists
    // every candidate again, as when the picker opened.
    connect(name_, &QLineEdit::textChanged, this,
            [this] { fill(targets_.statement(name_->text(), unit_->text())); });
    fill(targets_.statement(QString(), QString()));
    name_->setFocus();
}

void CAssoTargetDlg::fill(const sql::Statement& statement) {
    if (const auto rows = targets_.rows(statement))
        model_->setRows(*rows);
}

void CAssoTargetDlg::accept() {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        prompter_.inform(QStringLiteral("请选择所要关联的目标!"));
        return;
    }
    chosen_ = model_->text(selected.first().row(), 0);
    QDialog::accept();
}
