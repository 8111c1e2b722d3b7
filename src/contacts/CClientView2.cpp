// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CClientView2.h"

#include "contacts/CDistributeDlg.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QItemSelectionModel>
#include <QSplitter>
#include <QVBoxLayout>

CClientView2::CClientView2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CClientView2"));
    model_ = new ReportModel(kColumns, this);
    list_ = new CReportView(this);
    list_->setReportModel(model_);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { emit contextMenuRequested(list_->mapToGlobal(pos)); });
    connect(list_, &QAbstractItemView::clicked, this, &CClientView2::onRowClicked);
    connect(list_, &QAbstractItemView::doubleClicked, this, &CClientView2::onRowDoubleClicked);

    detail_ = new QWidget(this);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setHandleWidth(4);
    splitter_->addWidget(list_);
    splitter_->addWidget(detail_);
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
}

CClientView2::~CClientView2() = default;

void CClientView2::attach(Database& db, Prompter& prompter, const Clock& clock, qint64 userCode) {
    contacts_ = std::make_unique<ContactList>(db, prompter, clock, userCode, *model_);
    contacts_->setHost(host_);
    contacts_->setDetailPane(pane_);
    if (chooser_) {
        contacts_->setDepartmentChooser(chooser_);
    } else {
        contacts_->setDepartmentChooser(
            [this, &db, &prompter] { return CDistributeDlg::choose(db, prompter, this); });
    }
}

void CClientView2::setHost(ListHost* host) {
    host_ = host;
    if (contacts_)
        contacts_->setHost(host);
}

void CClientView2::setDetailPane(QWidget* widget, DetailPane* pane) {
    pane_ = pane;
    if (contacts_)
        contacts_->setDetailPane(pane);
    if (!widget || widget == detail_)
        return;
    const QList<int> sizes = splitter_->sizes();
    QWidget* old = splitter_->replaceWidget(1, widget);
    if (old)
        old->deleteLater();
    detail_ = widget;
    splitter_->setSizes(sizes);
}

void CClientView2::setDepartmentChooser(ContactList::DepartmentChooser chooser) {
    chooser_ = std::move(chooser);
    if (contacts_ && chooser_)
        contacts_->setDepartmentChooser(chooser_);
}

bool CClientView2::load(const sql::Statement& filter, int mode, int liveFlag) {
    return contacts_ && contacts_->load(filter, mode, liveFlag);
}

bool CClientView2::moveToTrash() {
    return contacts_ && contacts_->moveToTrash();
}

bool CClientView2::restore() {
    return contacts_ && contacts_->restore();
}

bool CClientView2::deleteContacts() {
    return contacts_ && contacts_->deleteContacts();
}

bool CClientView2::emptyTrash() {
    return contacts_ && contacts_->emptyTrash();
}

bool CClientView2::distribute() {
    return contacts_ && contacts_->distribute();
}

qint64 CClientView2::currentContact() const {
    return contacts_ ? contacts_->currentContact() : 0;
}

void CClientView2::onRowClicked(const QModelIndex& index) {
    if (!contacts_ || !index.isValid())
        return;
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const QString id = model_->key(selected.first().row());
    if (contacts_->openContact(id.toLongLong()))
        return;
    // The pane kept its contact (edits refused or left pending): the list
    // shows that contact selected, not the row just clicked.
    const QString current = QString::number(contacts_->currentContact());
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->key(row) == current) {
            list_->selectRow(row);
            return;
        }
    }
}

void CClientView2::onRowDoubleClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    model_->setChecked(index.row(), !model_->isChecked(index.row()));
}

void CClientView2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first time the view is shown, the list and the detail share the height;
    // afterwards the user's splitter position is kept.
    if (!placed_ && height() > 0) {
        placed_ = true;
        const int half = height() / 2;
        splitter_->setSizes({half - 2, height() - half - 2});
    }
}

int CClientView2::liveFlag() const {
    return contacts_ ? contacts_->liveFlag() : 1;
}

bool CClientView2::settleEdits() {
    return contacts_ ? contacts_->settleEdits() : true;
}

bool CClientView2::openContact(qint64 code) {
    if (!contacts_)
        return false;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->key(row).toLongLong() != code)
            continue;
        if (!contacts_->openContact(code))
            return false;
        list_->selectRow(row);
        list_->scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtCenter);
        return true;
    }
    return false;
}
