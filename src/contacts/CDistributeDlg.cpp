// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CDistributeDlg.h"

#include "base/Prompter.h"
#include "db/Database.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

CDistributeDlg::CDistributeDlg(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("CDistributeDlg"));
    setWindowTitle(QStringLiteral("选择发放目标人"));
    auto* label = new QLabel(QStringLiteral("请选择发放目标人:"), this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setContextMenuPolicy(Qt::NoContextMenu);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    db.query(sql::format(kDepartments), [&](const Row& row) {
        list_->addItem(row.textAt(0));
        return true;
    });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDistributeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDistributeDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

std::optional<QString> CDistributeDlg::choose(Database& db, Prompter& prompter, QWidget* parent) {
    CDistributeDlg dialog(db, prompter, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.department();
}

void CDistributeDlg::accept() {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty()) {
        prompter_.inform(QStringLiteral("请选择目标用户!"));
        return;
    }
    department_ = chosen.first()->text();
    QDialog::accept();
}

bool CDistributeDlg::eventFilter(QObject* watched, QEvent* event) {
    // The list only offers a choice: typing, Delete and right clicks do nothing in it.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace ||
            !key->text().trimmed().isEmpty())
            return true;
    }
    if (watched == list_->viewport()) {
        const QEvent::Type type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
             type == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
