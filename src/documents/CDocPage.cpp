// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CDocPage.h"

#include "documents/CDocEditDlg.h"
#include "documents/DocStore.h"
#include "documents/FileOpener.h"
#include "featureapi/AppContext.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QVBoxLayout>

CDocPage::CDocPage(AppContext& app, qint64 userCode, ListHost* host,
                   std::shared_ptr<FileOpener> opener, QWidget* parent)
    : QWidget(parent), opener_(std::move(opener)),
      model_(new ReportModel(DocStore::kColumns, this)), view_(new CReportView(this)),
      list_(std::make_unique<DocList>(app.db, app.prompter, *model_, *opener_, userCode)) {
    setObjectName(QStringLiteral("CDocPage"));
    view_->setReportModel(model_);
    list_->setHost(host);
    list_->setEditor([this, &app](DocList::Edit& edit) {
        CDocEditDlg form(app, edit, *opener_, chooser_, this);
        return form.exec() == QDialog::Accepted;
    });

    auto* buttons = new QVBoxLayout;
    const struct {
        const char* caption;
        std::function<void()> act;
    } actions[] = {
        {"增加", [this] { list_->add(); }},
        {"修改", [this] { list_->modifyTicked(); }},
        {"删除", [this] { list_->remove(); }},
        {"查看", [this] { list_->view(selectedRow()); }},
    };
    for (const auto& action : actions) {
        auto* button = new QPushButton(QString::fromUtf8(action.caption), this);
        button->setObjectName(QString::fromUtf8(action.caption));
        connect(button, &QPushButton::clicked, this, action.act);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { list_->modifyRow(index.row()); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
}

CDocPage::~CDocPage() = default;

void CDocPage::setFileOpener(std::shared_ptr<FileOpener> opener) {
    opener_ = std::move(opener);
    list_->setOpener(*opener_);
}

QPushButton* CDocPage::button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

int CDocPage::selectedRow() const {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
