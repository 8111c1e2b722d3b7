#include "contacts/CContactPage.h"

#include "app/AppContext.h"
#include "contacts/CBasePage.h"
#include "contacts/CDropList.h"
#include "contacts/CExtendPage.h"
#include "contacts/CHomePage.h"
#include "contacts/CSocietyPage.h"
#include "contacts/CWorkPage.h"
#include "contacts/ContactLists.h"
#include "base/Prompter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>

CContactPage::CContactPage(ContactPage page, ContactPageBuilder::Layout layout, AppContext& app,
                           QWidget* parent)
    : QWidget(parent), app_(app), builder_(page, std::move(layout)) {
    setObjectName(pageInfo(page).className);
    builder_.build(this);
    connectEdits();
    fillLists();
    focusFirstField();
}

CContactPage* CContactPage::create(ContactPage page, AppContext& app, QWidget* parent) {
    switch (page) {
    case ContactPage::Base:
        return new CBasePage(app, parent);
    case ContactPage::Work:
        return new CWorkPage(app, parent);
    case ContactPage::Home:
        return new CHomePage(app, parent);
    case ContactPage::Society:
        return new CSocietyPage(app, parent);
    case ContactPage::Extend:
        return new CExtendPage(app, parent);
    }
    return nullptr;
}

void CContactPage::connectEdits() {
    for (QWidget* control : builder_.allControls()) {
        control->installEventFilter(this);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            connect(edit, &QLineEdit::textEdited, this, &CContactPage::markModified);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
            connect(text, &QPlainTextEdit::textChanged, this, &CContactPage::markModified);
        } else if (auto* list = qobject_cast<CDropList*>(control)) {
            connect(list, &QComboBox::currentIndexChanged, this, &CContactPage::markModified);
            connect(list, &CDropList::closedUp, this, &CContactPage::markModified);
        }
    }
    for (const FieldSpec& field : builder_.fields()) {
        if (QPushButton* button = builder_.searchButton(field.column)) {
            // Enter on the button must not reach the window's default button either.
            button->installEventFilter(this);
            const FieldSearch search = field.search;
            connect(button, &QPushButton::clicked, this, [this, search] { runSearch(search); });
        }
    }
}

void CContactPage::fillLists() {
    // Months, days and the fixed lists never fail, so they need no place in the order.
    fillFrom(ListSource::Months, ContactLists::months());
    fillFrom(ListSource::Days, ContactLists::days());
    ContactLists lists(app_.db);
    QStringList shown;
    for (const ListSource source : ContactLists::fillOrder(page())) {
        const auto entries = lists.entries(source, app_.clock);
        if (entries) {
            fillFrom(source, *entries);
            continue;
        }
        // Lists filled in one step (years and levels, provinces and regions) fail with one message.
        const QString message = ContactLists::fillFailure(page(), source);
        if (!message.isEmpty() && !shown.contains(message)) {
            shown.append(message);
            app_.prompter.inform(message);
        }
        if (ContactLists::stopsAfterFailure(page(), source))
            break;
    }
}

void CContactPage::fillFrom(ListSource source, const QStringList& entries) {
    for (CDropList* list : builder_.lists(source))
        list->setEntries(entries);
}

void CContactPage::clearFields() {
    setValues(ContactRecord());
}

QString CContactPage::textOf(const QString& column, int limit) const {
    QString text;
    QWidget* control = builder_.control(column);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        text = edit->text();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(control))
        text = multi->toPlainText();
    else if (auto* list = qobject_cast<CDropList*>(control))
        text = list->currentText();
    return limit > 0 ? text.left(limit) : text;
}

void CContactPage::putText(const QString& column, const QString& text) {
    QWidget* control = builder_.control(column);
    const QSignalBlocker blocker(control);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(control))
        multi->setPlainText(text);
    else if (auto* list = qobject_cast<CDropList*>(control))
        list->setText(text);
}

ContactRecord CContactPage::values() const {
    ContactRecord record;
    takeValues(record);
    return record;
}

void CContactPage::takeValues(ContactRecord& record) const {
    for (const FieldSpec& field : builder_.fields()) {
        if (field.isDate()) {
            record.setValue(field.dateColumns.value(0), textOf(field.dateColumns.value(0), 4));
            record.setValue(field.dateColumns.value(1), textOf(field.dateColumns.value(1), 2));
            record.setValue(field.dateColumns.value(2), textOf(field.dateColumns.value(2), 2));
        } else {
            record.setValue(field.column, textOf(field.column, field.limit));
        }
    }
}

void CContactPage::setValues(const ContactRecord& record) {
    for (const FieldSpec& field : builder_.fields())
        for (const QString& column : field.columns())
            putText(column, record.value(column));
}

void CContactPage::mergeValues(const ContactRecord& record) {
    for (const FieldSpec& field : builder_.fields())
        for (const QString& column : field.columns())
            if (record.contains(column))
                putText(column, record.value(column));
}

void CContactPage::bringToFront() {
    // The page sits in a tab directly or inside a scroll area that is the tab.
    for (QWidget* w = this; w && w->parentWidget(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs) {
            tabs->setCurrentWidget(w);
            return;
        }
    }
}

void CContactPage::focusField(const QString& column) {
    QWidget* control = builder_.control(column);
    if (!control)
        return;
    bringToFront();
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            scroll->ensureWidgetVisible(control);
            break;
        }
    }
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(control))
        multi->selectAll();
}

void CContactPage::focusFirstField() {
    for (const FieldSpec& field : builder_.fields()) {
        if (field.kind == FieldKind::SearchEdit) {
            QWidget* control = builder_.control(field.column);
            control->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(control))
                edit->selectAll();
            return;
        }
    }
}

void CContactPage::runSearch(FieldSearch) {}

// The keyboard rules of every page, applied before a control sees the key:
// Esc never closes or clears anything, Enter only breaks lines in the
// multi-line field, Backspace and Delete are the way to empty a list, and a
// list's value can only be picked from its entries (no typing, no right button).
bool CContactPage::eventFilter(QObject* watched, QEvent* event) {
    auto* list = qobject_cast<CDropList*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Escape:
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return !qobject_cast<QPlainTextEdit*>(watched);
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            if (!list)
                return false;
            list->setText(QString());
            markModified();
            return true;
        default:
            return list && !key->text().isEmpty() && key->text().at(0).isPrint();
        }
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return list && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    case QEvent::ContextMenu:
        return list != nullptr;
    default:
        return false;
    }
}
