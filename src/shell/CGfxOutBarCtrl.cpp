// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CGfxOutBarCtrl.h"

#include "featureapi/CommandTable.h"

#include <QListWidget>
#include <QShortcut>
#include <QVBoxLayout>

CGfxOutBarCtrl::CGfxOutBarCtrl(QWidget* parent) : QToolBox(parent) {
    setObjectName(QStringLiteral("CGfxOutBarCtrl"));
    treeHolder_ = new QWidget(this);
    auto* holderLayout = new QVBoxLayout(treeHolder_);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    datum_ = makeList();
    phones_ = makeList();
    tools_ = makeList();
    tools_->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/icons/notepad.png")),
                                        QStringLiteral("记事本")));
    tools_->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/icons/calculator.png")),
                                        QStringLiteral("计算器")));

    addItem(treeHolder_, QStringLiteral("〖我的人脉〗"));
    addItem(datum_, QStringLiteral("〖我的资料〗"));
    addItem(phones_, QStringLiteral("〖常用电话〗"));
    addItem(tools_, QStringLiteral("〖常用工具〗"));

    connect(this, &QToolBox::currentChanged, this,
            [this](int group) { emit notified(group, -1, QString()); });
    const QList<QListWidget*> lists{datum_, phones_, tools_};
    for (int i = 0; i < lists.size(); ++i) {
        const int group = i + 1;
        connect(lists[i], &QListWidget::itemClicked, this,
                [this, group, list = lists[i]](QListWidgetItem* item) {
                    emit notified(group, list->row(item), item->text());
                });
        // Keyboard users open an item with Enter. Not through itemActivated: a
        // double click (or a single one, in styles that activate on a click)
        // would report the item twice and start a tool twice.
        for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
            auto* enter = new QShortcut(QKeySequence(key), lists[i]);
            enter->setContext(Qt::WidgetShortcut);
            connect(enter, &QShortcut::activated, this, [this, group, list = lists[i]] {
                if (QListWidgetItem* item = list->currentItem())
                    emit notified(group, list->row(item), item->text());
            });
        }
    }
}

QListWidget* CGfxOutBarCtrl::makeList() {
    auto* list = new QListWidget(this);
    list->setViewMode(QListView::ListMode);
    list->setIconSize(QSize(32, 32));
    list->setSpacing(2);
    return list;
}

void CGfxOutBarCtrl::setTree(QWidget* tree) {
    treeHolder_->layout()->addWidget(tree);
}

QListWidget* CGfxOutBarCtrl::list(int group) const {
    switch (group) {
    case commands::DatumGroup:
        return datum_;
    case commands::PhoneGroup:
        return phones_;
    case commands::ToolsGroup:
        return tools_;
    default:
        return nullptr;
    }
}

void CGfxOutBarCtrl::setItems(int group, const QStringList& captions) {
    QListWidget* target = list(group);
    if (!target || target == tools_)
        return;
    target->clear();
    for (const QString& caption : captions)
        target->addItem(new QListWidgetItem(QIcon(QStringLiteral(":/icons/folder.png")), caption));
}

QStringList CGfxOutBarCtrl::items(int group) const {
    QStringList result;
    if (QListWidget* source = list(group)) {
        for (int i = 0; i < source->count(); ++i)
            result << source->item(i)->text();
    }
    return result;
}
