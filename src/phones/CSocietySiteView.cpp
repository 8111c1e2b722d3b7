// SPDX-License-Identifier: GPL-3.0-or-later
#include "phones/CSocietySiteView.h"

#include "base/Prompter.h"
#include "featureapi/CommandTable.h"
#include "phones/CPhonePage.h"
#include "phones/PhoneDirectory.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kSaveQuestion = QStringLiteral("保存修改记录吗?");

} // namespace

CSocietySiteView::CSocietySiteView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CSocietySiteView"));
    model_ = new ReportModel(PhoneDirectory::kColumns, this);
    list_ = new CReportView(this);
    list_->setReportModel(model_);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CSocietySiteView::onSelectionChanged);

    // Menu 241, the list's own.
    menu_ = new QMenu(this);
    connect(menu_->addAction(QStringLiteral("新增常用电话")), &QAction::triggered, this, [this] {
        if (runCommand_)
            runCommand_(commands::AddPhone);
    });
    connect(menu_->addAction(QStringLiteral("删除常用电话")), &QAction::triggered, this, [this] {
        if (runCommand_)
            runCommand_(commands::DeletePhone);
    });
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(list_->viewport()->mapToGlobal(at)); });

    auto* tabs = new QTabWidget(this);
    auto* sheet = new QWidget(tabs);
    page_ = new CPhonePage(sheet);
    save_ = new QPushButton(QStringLiteral("保存修改"), sheet);
    save_->setObjectName(QStringLiteral("savePhone"));
    save_->setEnabled(false);
    page_->setEnabled(false);
    connect(save_, &QPushButton::clicked, this, &CSocietySiteView::saveShown);
    connect(page_, &CPhonePage::edited, this, &CSocietySiteView::updateSaveButton);
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 6);
    sheetLayout->addWidget(page_, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(save_);
    buttonRow->addSpacing(10);
    sheetLayout->addLayout(buttonRow);
    tabs->addTab(sheet, QStringLiteral("基本信息"));

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setHandleWidth(4);
    splitter_->addWidget(list_);
    splitter_->addWidget(tabs);
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
}

void CSocietySiteView::attach(PhoneDirectory* directory, Prompter* prompter) {
    directory_ = directory;
    prompter_ = prompter;
    fillLists();
    reload();
}

void CSocietySiteView::fillLists() {
    if (directory_)
        page_->setLists(directory_->categoryNames(), directory_->dutyNames());
}

bool CSocietySiteView::showCategory(qint64 categoryCode) {
    if (!settleEdits())
        return false;
    condition_ = PhoneDirectory::categoryCondition(categoryCode);
    shown_ = 0;
    page_->clear();
    fillLists();
    reload();
    return true;
}

bool CSocietySiteView::reload() {
    if (!directory_)
        return false;
    QList<QStringList> rows;
    if (!directory_->fetch(condition_, rows))
        return false;
    selecting_ = true;
    model_->setRows(rows);
    selecting_ = false;
    // The page keeps the entry it shows while that entry is still listed.
    if (shown_ > 0 && rowOf(shown_) >= 0) {
        selectEntry(shown_);
    } else {
        shown_ = 0;
        page_->clear();
    }
    updateSaveButton();
    return true;
}

int CSocietySiteView::deleteTicked() {
    if (!directory_)
        return -1;
    selecting_ = true;
    const int deleted = directory_->deleteTicked(*model_);
    selecting_ = false;
    if (shown_ > 0 && rowOf(shown_) < 0) {
        shown_ = 0;
        page_->clear();
        updateSaveButton();
    }
    return deleted;
}

bool CSocietySiteView::settleEdits() {
    if (!page_->isChanged() || shown_ <= 0 || !prompter_)
        return true;
    if (!prompter_->ask(Prompter::kConfirmCaption, kSaveQuestion)) {
        // The edits are dropped: the page shows the stored entry again.
        showEntry(shown_);
        return true;
    }
    return saveShown();
}

bool CSocietySiteView::saveShown() {
    if (!directory_ || shown_ <= 0)
        return false;
    const PhoneDirectory::Outcome outcome = directory_->save(shown_, page_->entry());
    if (outcome != PhoneDirectory::Outcome::Saved) {
        page_->focusField(outcome);
        return false;
    }
    page_->setChanged(false);
    reload();
    return true;
}

void CSocietySiteView::onSelectionChanged() {
    if (selecting_ || !directory_)
        return;
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const qint64 code = model_->key(selected.first().row()).toLongLong();
    if (code == shown_)
        return;
    if (!settleEdits()) {
        // The edits stay on the page with the entry they belong to.
        selectEntry(shown_);
        return;
    }
    showEntry(code);
    selectEntry(code);
}

void CSocietySiteView::showEntry(qint64 code) {
    const std::optional<PhoneEntry> entry = directory_->load(code);
    if (!entry) {
        shown_ = 0;
        page_->clear();
    } else {
        shown_ = code;
        page_->setEntry(*entry);
    }
    updateSaveButton();
}

void CSocietySiteView::selectEntry(qint64 code) {
    const int row = rowOf(code);
    selecting_ = true;
    if (row < 0) {
        list_->selectionModel()->clearSelection();
    } else {
        list_->selectRow(row);
        list_->scrollTo(model_->index(row, 2));
    }
    selecting_ = false;
}

int CSocietySiteView::rowOf(qint64 code) const {
    const QString key = QString::number(code);
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->key(row) == key)
            return row;
    }
    return -1;
}

void CSocietySiteView::updateSaveButton() {
    // Nothing can be typed into the page before an entry is shown on it.
    page_->setEnabled(shown_ > 0);
    save_->setEnabled(shown_ > 0 && page_->isChanged());
}

void CSocietySiteView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first time the view is shown, the list and the page share the height;
    // afterwards the user's splitter position is kept.
    if (!placed_ && height() > 0) {
        placed_ = true;
        const int half = height() / 2;
        splitter_->setSizes({half - 2, height() - half - 2});
    }
}
