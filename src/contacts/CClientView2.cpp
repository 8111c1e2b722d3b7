#include "contacts/CClientView2.h"

#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

CClientView2::CClientView2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CClientView2"));
    model_ = new ReportModel(kColumns, this);
    list_ = new CReportView(this);
    list_->setReportModel(model_);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { emit contextMenuRequested(list_->mapToGlobal(pos)); });

    detail_ = new QTabWidget(this);
    detail_->setDocumentMode(true);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->addWidget(list_);
    splitter_->addWidget(detail_);
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
}

void CClientView2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first time the view is shown, the list and the detail share the height;
    // afterwards the user's splitter position is kept.
    if (!placed_ && height() > 0) {
        placed_ = true;
        splitter_->setSizes({height() / 2, height() - height() / 2});
    }
}
