// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/CInteractionPage.h"

#include "interactions/CInteractionDlg.h"
#include "interactions/InteractionForm.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonColumn = 50;
constexpr int kBottomMargin = 10;

} // namespace

CInteractionPage::CInteractionPage(Database& db, Prompter& prompter, const Clock& clock,
                                   qint64 userCode, QWidget* parent)
    : QWidget(parent), model_(std::make_unique<ReportModel>()),
      list_(std::make_unique<InteractionList>(db, prompter, clock, userCode, *model_)) {
    setObjectName(QStringLiteral("CInteractionPage"));
    view_ = new CReportView(this);
    view_->setReportModel(model_.get());
    list_->setFormRunner([this](InteractionForm& form) {
        CInteractionDlg dialog(form, form.typeNames(), window());
        return dialog.exec() == QDialog::Accepted;
    });

    auto* buttons = new QVBoxLayout;
    buttons->setContentsMargins(4, 0, 0, 0);
    for (const char* caption : {"增加", "修改", "删除"}) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QString::fromUtf8(caption));
        button->setFixedWidth(kButtonColumn - 6);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, kBottomMargin);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);

    connect(button(QStringLiteral("增加")), &QPushButton::clicked, this, [this] { list_->add(); });
    connect(button(QStringLiteral("修改")), &QPushButton::clicked, this,
            [this] { list_->modify(); });
    connect(button(QStringLiteral("删除")), &QPushButton::clicked, this,
            [this] { list_->remove(); });
    view_->viewport()->installEventFilter(this);
}

bool CInteractionPage::eventFilter(QObject* watched, QEvent* event) {
    // A double click modifies the selected row, wherever in the list it lands.
    if (watched == view_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndexList rows = view_->selectionModel()->selectedRows();
        list_->modifyRow(rows.isEmpty() ? -1 : rows.first().row());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

CInteractionPage::~CInteractionPage() = default;

QPushButton* CInteractionPage::button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

void CInteractionPage::clearContact() {
    list_->clear();
}

bool CInteractionPage::showContact(qint64 code) {
    return list_->load(code);
}
