// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CImportSummaryDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace exchange;

CImportSummaryDlg::CImportSummaryDlg(const ImportSummary& s, const QString& fileName,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CImportSummaryDlg"));
    setWindowTitle(QStringLiteral("导入结果"));
    auto* file = new QLabel(QStringLiteral("文件: %1").arg(fileName), this);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("counts"));
    QFont bold = counts_->font();
    bold.setBold(true);
    counts_->setFont(bold);
    counts_->setText(QStringLiteral("导入 %1 个人脉, 合并 %2 个, 跳过重复 %3 个, 拒绝 %4 个")
                         .arg(s.imported)
                         .arg(s.merged)
                         .arg(s.skipped)
                         .arg(s.refused));

    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("lines"));
    table_->setHorizontalHeaderLabels({QStringLiteral("行"), QStringLiteral("姓名"),
                                       QStringLiteral("结果"), QStringLiteral("说明")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    auto add = [this](const ImportLine& line, const QString& what) {
        const int r = table_->rowCount();
        table_->insertRow(r);
        auto* number = new QTableWidgetItem;
        number->setData(Qt::DisplayRole, line.line);
        table_->setItem(r, 0, number);
        table_->setItem(r, 1, new QTableWidgetItem(line.name));
        table_->setItem(r, 2, new QTableWidgetItem(what));
        QString text = line.text;
        table_->setItem(r, 3, new QTableWidgetItem(text.replace(u'\n', QChar(0x21B5))));
        table_->item(r, 3)->setToolTip(line.text);
    };
    for (const ImportLine& l : s.refusals)
        add(l, QStringLiteral("拒绝"));
    for (const ImportLine& l : s.duplicates)
        add(l, l.text.endsWith(QStringLiteral("已合并")) ? QStringLiteral("合并")
                                                         : QStringLiteral("跳过"));
    for (const ImportLine& l : s.notes)
        add(l, QStringLiteral("已修改"));
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(counts_);
    if (table_->rowCount() > 0) {
        layout->addWidget(new QLabel(
            QStringLiteral("下列人脉未导入、与已有人脉重复, 或有资料被截断、未导入:"), this));
        layout->addWidget(table_, 1);
        if (s.unlisted > 0)
            layout->addWidget(
                new QLabel(QStringLiteral("另有 %1 行未列出。").arg(s.unlisted), this));
    } else {
        table_->hide();
        layout->addStretch(1);
    }
    auto* buttons = new QDialogButtonBox(this);
    if (table_->rowCount() > 0) {
        auto* copy = buttons->addButton(QStringLiteral("复制列表"), QDialogButtonBox::ActionRole);
        connect(copy, &QPushButton::clicked, this,
                [this] { QApplication::clipboard()->setText(listText()); });
    }
    auto* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(table_->rowCount() > 0 ? QSize(760, 460) : QSize(460, 140));
}

QString CImportSummaryDlg::countsText() const {
    return counts_->text();
}

QString CImportSummaryDlg::listText() const {
    QStringList lines;
    for (int r = 0; r < table_->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table_->columnCount(); ++c)
            cells << (c == 3 ? table_->item(r, c)->toolTip() : table_->item(r, c)->text());
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n');
}
