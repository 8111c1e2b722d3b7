// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CExportDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace exchange;

CExportDlg::CExportDlg(int ticked, int listed, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CExportDlg"));
    setWindowTitle(QStringLiteral("导出人脉"));

    auto* which = new QGroupBox(QStringLiteral("导出哪些人脉"), this);
    ticked_ = new QRadioButton(QStringLiteral("勾选的人脉 (%1 个)").arg(ticked), which);
    all_ = new QRadioButton(QStringLiteral("当前列表中的全部人脉 (%1 个)").arg(listed), which);
    ticked_->setEnabled(ticked > 0);
    (ticked > 0 ? ticked_ : all_)->setChecked(true);
    auto* whichLayout = new QVBoxLayout(which);
    whichLayout->addWidget(ticked_);
    whichLayout->addWidget(all_);

    auto* how = new QGroupBox(QStringLiteral("文件格式"), this);
    vcard_ = new QRadioButton(QStringLiteral("vCard 4.0 名片 (.vcf): 手机、邮件程序可以导入"), how);
    csv_ = new QRadioButton(QStringLiteral("CSV 表格 (.csv): 表格程序可以打开"), how);
    vcard_->setChecked(true);
    encoding_ = new QComboBox(how);
    encoding_->setObjectName(QStringLiteral("encoding"));
    encoding_->addItems(
        {QStringLiteral("UTF-8 (推荐)"), QStringLiteral("GB18030 (较早的表格程序)")});
    encoding_->setEnabled(false);
    connect(csv_, &QRadioButton::toggled, encoding_, &QComboBox::setEnabled);
    auto* encodingRow = new QHBoxLayout;
    encodingRow->addSpacing(24);
    encodingRow->addWidget(new QLabel(QStringLiteral("编码:"), how));
    encodingRow->addWidget(encoding_, 1);
    auto* howLayout = new QVBoxLayout(how);
    howLayout->addWidget(vcard_);
    howLayout->addWidget(csv_);
    howLayout->addLayout(encodingRow);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(which);
    layout->addWidget(how);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

bool CExportDlg::tickedOnly() const {
    return ticked_->isChecked();
}

ExportFormat CExportDlg::format() const {
    return csv_->isChecked() ? ExportFormat::Csv : ExportFormat::VCard;
}

Encoding CExportDlg::encoding() const {
    return format() == ExportFormat::Csv && encoding_->currentIndex() == 1 ? Encoding::Gb18030
                                                                           : Encoding::Utf8;
}
