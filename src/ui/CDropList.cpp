// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CDropList.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

CDropList::CDropList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(4);
}

void CDropList::setText(const QString& text) {
    const QSignalBlocker blocker(this);
    if (!extra_.isEmpty()) {
        removeItem(findText(extra_, Qt::MatchExactly));
        extra_.clear();
    }
    if (text.isEmpty()) {
        setCurrentIndex(-1);
        return;
    }
    int index = findText(text, Qt::MatchExactly);
    if (index < 0) {
        addItem(text);
        index = count() - 1;
        extra_ = text;
    }
    setCurrentIndex(index);
}

void CDropList::setEntries(const QStringList& entries) {
    const QSignalBlocker blocker(this);
    const QString chosen = currentText();
    extra_.clear();
    clear();
    addItems(entries);
    setCurrentIndex(chosen.isEmpty() ? -1 : findText(chosen, Qt::MatchExactly));
}

void CDropList::hidePopup() {
    // The combo box also calls this when it is hidden (its page leaves the
    // front of the tab control) or disabled, with or without a popup: only a
    // popup the user opened and that closes on a list still in use is an edit.
    const bool wasOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (wasOpen && isVisible() && isEnabled())
        emit closedUp();
}

void CDropList::wheelEvent(QWheelEvent* event) {
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

bool CDropList::takesOnlyPicks(CDropList* list, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
            list->setText(QString());
            return true;
        }
        return !key->text().isEmpty() && key->text().at(0).isPrint();
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    default:
        return false;
    }
}
