// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/CInteractionDlg.h"

#include "interactions/InteractionFields.h"
#include "interactions/InteractionForm.h"
#include "ui/CDropList.h"
#include "ui/TextLimit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace interaction;

namespace {

constexpr int kTextWidth = 170;
constexpr int kAmountWidth = 70;

QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("caption:") + text);
    return l;
}

QWidget* makeControl(const Field& f, const QStringList& entries, QWidget* parent) {
    switch (f.kind) {
    case Kind::List: {
        auto* list = new CDropList(parent);
        // An empty first entry lets a choice be taken back (the next date is optional).
        list->setEntries(QStringList{QString()} + entries);
        const bool years = f.source == Source::Years || f.source == Source::NextYears;
        list->setMinimumContentsLength(f.source == Source::Types ? 8 : years ? 4 : 2);
        return list;
    }
    case Kind::Edit: {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(f.limit);
        edit->setMinimumWidth(f.amount ? kAmountWidth : kTextWidth);
        if (f.amount)
            edit->setMaximumWidth(kAmountWidth + 30);
        return edit;
    }
    case Kind::MultiLine: {
        auto* edit = new QPlainTextEdit(parent);
        edit->setTabChangesFocus(true);
        edit->setMinimumHeight(60);
        limitPlainText(edit, f.limit);
        return edit;
    }
    }
    return nullptr;
}

} // namespace

CInteractionDlg::CInteractionDlg(InteractionForm& form, const QStringList& typeNames,
                                 QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("CInteractionDlg"));
    setWindowTitle(form.caption());
    build(typeNames);
    showValues();
}

bool CInteractionDlg::eventFilter(QObject* watched, QEvent* event) {
    if (auto* list = qobject_cast<CDropList*>(watched);
        list && CDropList::takesOnlyPicks(list, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CInteractionDlg::build(const QStringList& typeNames) {
    auto* layout = new QVBoxLayout(this);
    for (const Group group : {Group::ThisTime, Group::NextTime}) {
        auto* box = new QGroupBox(group == Group::ThisTime ? InteractionForm::kThisGroup
                                                           : InteractionForm::kNextGroup,
                                  this);
        auto* grid = new QGridLayout(box);
        grid->setColumnStretch(1, 1);
        QHash<int, QHBoxLayout*> lines;
        QHash<int, bool> stretches; // a line with an edit grows with the dialog
        for (const Field& f : fields()) {
            if (f.group != group)
                continue;
            const QStringList entries = f.source == Source::Types
                                            ? typeNames
                                            : interaction::entries(f.source, form_.clock());
            QWidget* control = makeControl(f, entries, box);
            control->setObjectName(f.column);
            controls_.insert(f.column, control);
            if (f.kind == Kind::List) {
                control->installEventFilter(this);
                control->setContextMenuPolicy(Qt::PreventContextMenu);
            }
            QHBoxLayout* line = lines.value(f.line);
            if (!line) {
                // The line's first caption lines up with the others in the first column.
                line = new QHBoxLayout;
                lines.insert(f.line, line);
                const int row = grid->rowCount();
                if (!f.caption.isEmpty())
                    grid->addWidget(label(f.caption, box), row, 0,
                                    f.kind == Kind::MultiLine ? Qt::AlignTop | Qt::AlignLeft
                                                              : Qt::AlignLeft);
                grid->addLayout(line, row, 1);
            } else {
                if (!f.caption.isEmpty()) {
                    line->addSpacing(12);
                    line->addWidget(label(f.caption, box));
                }
            }
            line->addWidget(control, f.kind == Kind::List ? 0 : 1);
            if (f.kind != Kind::List)
                stretches.insert(f.line, true);
            if (!f.unit.isEmpty())
                line->addWidget(label(f.unit, box));
        }
        for (auto it = lines.begin(); it != lines.end(); ++it)
            if (!stretches.value(it.key()))
                it.value()->addStretch();
        layout->addWidget(box, group == Group::ThisTime ? 3 : 2);
    }

    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CInteractionDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CInteractionDlg::showValues() {
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        const QString value = form_.value(it.key());
        if (auto* list = qobject_cast<CDropList*>(it.value()))
            list->setText(value);
        else if (auto* edit = qobject_cast<QLineEdit*>(it.value()))
            edit->setText(value);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(it.value()))
            text->setPlainText(value);
    }
}

void CInteractionDlg::takeValues() {
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (auto* list = qobject_cast<CDropList*>(it.value()))
            form_.setValue(it.key(), list->currentText());
        else if (auto* edit = qobject_cast<QLineEdit*>(it.value()))
            form_.setValue(it.key(), edit->text());
        else if (auto* text = qobject_cast<QPlainTextEdit*>(it.value()))
            form_.setValue(it.key(), text->toPlainText());
    }
}

void CInteractionDlg::onOk() {
    takeValues();
    if (form_.save()) {
        accept();
        return;
    }
    const auto& failure = form_.failure();
    if (!failure || failure->focus.isEmpty())
        return;
    QWidget* control = controls_.value(failure->focus);
    if (!control)
        return;
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control); edit && failure->selectAll)
        edit->selectAll();
}
