// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/CPostalLookupDlg.h"

#include "reference/CTickBoxDelegate.h"
#include "ui/CReportView.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

CPostalLookupDlg::CPostalLookupDlg(Database& db, QWidget* parent)
    : QDialog(parent), lookup_(db), model_(PostalLookup::kColumns) {
    setObjectName(QStringLiteral("CPostalLookupDlg"));
    setWindowTitle(QStringLiteral("邮编区号查询"));

    auto edit = [this](int length, const char* name) {
        auto* e = new QLineEdit(this);
        e->setMaxLength(length);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    province_ = edit(PostalLookup::kProvinceLength, "province");
    city_ = edit(PostalLookup::kCityLength, "city");
    areaCode_ = edit(PostalLookup::kAreaCodeLength, "areaCode");
    postcode_ = edit(PostalLookup::kPostcodeLength, "postcode");

    search_ = new QPushButton(QStringLiteral("查询(&S)"), this);
    search_->setObjectName(QStringLiteral("search"));
    search_->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("关闭(&C)"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("省份名称:"), this), 0, 0);
    fields->addWidget(province_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("城市名称:"), this), 0, 2);
    fields->addWidget(city_, 0, 3);
    fields->addWidget(search_, 0, 4);
    fields->addWidget(new QLabel(QStringLiteral("区号:"), this), 1, 0);
    fields->addWidget(areaCode_, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("邮政编码:"), this), 1, 2);
    fields->addWidget(postcode_, 1, 3);
    fields->addWidget(close, 1, 4);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    view_ = new CReportView(this);
    view_->setObjectName(QStringLiteral("list"));
    view_->setItemDelegateForColumn(0, new CTickBoxDelegate(view_));
    view_->setReportModel(&model_);
    int width = 0;
    for (int i = 0; i < model_.columnCount(); ++i)
        width += view_->columnWidth(i);
    view_->setMinimumWidth(width + view_->verticalScrollBar()->sizeHint().width() + 4);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(view_, 1);
    resize(sizeHint().width(), 460);

    connect(search_, &QPushButton::clicked, this, &CPostalLookupDlg::search);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    search();
    province_->setFocus();
}

void CPostalLookupDlg::search() {
    QList<QStringList> rows;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    lookup_.search({province_->text(), city_->text(), areaCode_->text(), postcode_->text()}, rows);
    QApplication::restoreOverrideCursor();
    model_.setRows(rows);
    setWindowTitle(PostalLookup::title(int(rows.size())));
}
