// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CAssoPage.h"

#include "contacts/AssoStore.h"
#include "contacts/CAssoEditDlg.h"
#include "featureapi/AppContext.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CAssoPage::CAssoPage(AppContext& app, qint64 userCode, ListHost* host, QWidget* parent)
    : QWidget(parent), model_(new ReportModel(AssoStore::kColumns, this)),
      view_(new CReportView(this)),
      list_(std::make_unique<AssoList>(app.db, app.prompter, *model_, userCode)) {
    setObjectName(QStringLiteral("CAssoPage"));
    view_->setReportModel(model_);
    list_->setHost(host);
    list_->setEditor([this, &app](AssoList::Edit& edit) {
        CAssoEditDlg form(app, edit, this);
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

CAssoPage::~CAssoPage() = default;

QPushButton* CAssoPage::button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}
