// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/CSyncMatchesDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CSyncMatchesDlg::CSyncMatchesDlg(const QList<carddav::ProposedMatch>& matches, QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(int(matches.size()), 3, this)) {
    setWindowTitle(QStringLiteral("通讯录同步 - 确认配对"));
    auto* text = new QLabel(QStringLiteral("下列人脉在本程序和服务器上都有, 看来是同一个人 "
                                           "(手机、邮件相同, 或同名同单位)。\n勾选的合为一个 "
                                           "(本程序的资料为准, 空的项目取服务器上的); "
                                           "不勾选的两边各自保留。"),
                            this);
    text->setWordWrap(true);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("本程序"), QStringLiteral("服务器"), QStringLiteral("名片")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < matches.size(); ++row) {
        auto* local = new QTableWidgetItem(matches[row].localName);
        local->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        local->setCheckState(Qt::Checked);
        table_->setItem(row, 0, local);
        table_->setItem(row, 1, new QTableWidgetItem(matches[row].remoteName));
        table_->setItem(row, 2, new QTableWidgetItem(matches[row].href.section(u'/', -1)));
    }
    table_->resizeColumnsToContents();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("继续同步"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消同步"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(560, 360);
}

QList<bool> CSyncMatchesDlg::joined() const {
    QList<bool> out;
    for (int row = 0; row < table_->rowCount(); ++row)
        out << (table_->item(row, 0)->checkState() == Qt::Checked);
    return out;
}
