// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CDatumView.h"

#include "documents/CDatumEditDlg.h"
#include "documents/DatumStore.h"
#include "documents/FileOpener.h"
#include "featureapi/AppContext.h"
#include "featureapi/CommandTable.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QMenu>
#include <QVBoxLayout>

CDatumView::CDatumView(AppContext& app, qint64 userCode, std::shared_ptr<FileOpener> opener,
                       QWidget* parent)
    : QWidget(parent), opener_(std::move(opener)),
      model_(new ReportModel(DatumStore::kColumns, this)), view_(new CReportView(this)),
      list_(std::make_unique<DatumList>(app.db, app.prompter, *model_, *opener_)),
      menu_(new QMenu(this)) {
    setObjectName(QStringLiteral("CDatumView"));
    view_->setReportModel(model_);
    list_->setEditor([this, &app, userCode](DatumList::Edit& edit) {
        CDatumEditDlg form(app, userCode, edit, *opener_, chooser_, this);
        return form.exec() == QDialog::Accepted;
    });
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { list_->open(index.row()); });

    const struct {
        int id;
        const char* caption;
    } entries[] = {
        {commands::AddDatum, "增加我的资料"},
        {commands::ModifyDatum, "修改我的资料"},
        {0, nullptr},
        {commands::DeleteDatum, "删除我的资料"},
    };
    for (const auto& entry : entries) {
        if (!entry.caption) {
            menu_->addSeparator();
            continue;
        }
        const int id = entry.id;
        QAction* action = menu_->addAction(QString::fromUtf8(entry.caption));
        connect(action, &QAction::triggered, this, [this, id] {
            if (run_)
                run_(id);
        });
    }
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(view_->viewport()->mapToGlobal(at)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

CDatumView::~CDatumView() = default;

void CDatumView::setFileOpener(std::shared_ptr<FileOpener> opener) {
    opener_ = std::move(opener);
    list_->setOpener(*opener_);
}
