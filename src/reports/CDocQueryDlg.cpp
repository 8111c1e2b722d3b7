// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/CDocQueryDlg.h"

#include "reports/DocumentQuery.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// The tick column carries the document's code for the program; only the box shows.
class TickOnlyDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text.clear();
        option->features &= ~QStyleOptionViewItem::HasDisplay;
    }
};

} // namespace

CDocQueryDlg::CDocQueryDlg(DocumentQuery& query, Opener opener, QWidget* parent)
    : QDialog(parent), query_(query), opener_(std::move(opener)) {
    setObjectName(QStringLiteral("CDocQueryDlg"));
    setWindowTitle(QStringLiteral("文档查询"));

    category_ = new QComboBox(this);
    category_->setObjectName(QStringLiteral("category"));
    category_->addItem(QString());
    category_->addItems(query_.categories());
    category_->setMinimumContentsLength(12);
    category_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    keyword_ = new QLineEdit(this);
    keyword_->setObjectName(QStringLiteral("keyword"));
    keyword_->setMaxLength(50);

    model_ = new ReportModel(DocumentQuery::kColumns, this);
    list_ = new CReportView(this);
    list_->setObjectName(QStringLiteral("documents"));
    list_->setItemDelegateForColumn(0, new TickOnlyDelegate(list_));
    list_->setReportModel(model_);

    auto* filters = new QHBoxLayout;
    auto* categoryLabel = new QLabel(QStringLiteral("文档类别(&T):"), this);
    categoryLabel->setBuddy(category_);
    auto* keywordLabel = new QLabel(QStringLiteral("关键字(&K):"), this);
    keywordLabel->setBuddy(keyword_);
    filters->addWidget(categoryLabel);
    filters->addWidget(category_);
    filters->addSpacing(12);
    filters->addWidget(keywordLabel);
    filters->addWidget(keyword_, 1);

    auto* box = new QGroupBox(QStringLiteral("文档列表"), this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(list_);

    auto* edit = new QPushButton(QStringLiteral("编辑(&E)"), this);
    edit->setObjectName(QStringLiteral("edit"));
    auto* quit = new QPushButton(QStringLiteral("退出(&O)"), this);
    quit->setObjectName(QStringLiteral("quit"));
    edit->setAutoDefault(false);
    quit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(edit);
    buttons->addWidget(quit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(box, 1);
    layout->addLayout(buttons);

    connect(keyword_, &QLineEdit::textChanged, this, &CDocQueryDlg::refresh);
    connect(category_, &QComboBox::currentIndexChanged, this, &CDocQueryDlg::refresh);
    connect(edit, &QPushButton::clicked, this, &CDocQueryDlg::edit);
    connect(quit, &QPushButton::clicked, this, &CDocQueryDlg::accept);

    int width = 80;
    for (const ReportColumn& column : model_->columns())
        width += column.width;
    resize(width, 440);
    refresh();
    keyword_->setFocus();
}

void CDocQueryDlg::refresh() {
    QList<QStringList> rows;
    query_.fetch(keyword_->text(), category_->currentText(), rows);
    model_->setRows(rows);
}

void CDocQueryDlg::edit() {
    const QModelIndex current = list_->currentIndex();
    const bool selected =
        current.isValid() && list_->selectionModel()->isRowSelected(current.row());
    const QString path = query_.fileToOpen(*model_, selected ? current.row() : -1);
    if (!path.isEmpty() && opener_)
        opener_(path);
}
