// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CContactPage.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/CBasePage.h"
#include "contacts/CExtendPage.h"
#include "contacts/CHomePage.h"
#include "contacts/CSocietyPage.h"
#include "contacts/CWorkPage.h"
#include "contacts/ContactLists.h"
#include "contacts/LunarBirthday.h"
#include "featureapi/AppContext.h"
#include "ui/CDropList.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
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
        if (QCheckBox* tick = builder_.lunarTick(field.column)) {
            connect(tick, &QCheckBox::toggled, this, [this, field] { lunarTicked(field); });
            // A lunar year's leap month changes the month list; any part the shown date.
            for (const QString& column : field.dateColumns) {
                auto* list = qobject_cast<CDropList*>(builder_.control(column));
                connect(list, &QComboBox::currentIndexChanged, this, [this, field, column] {
                    if (column == field.column && lunarShown_.contains(field.column))
                        showParts(field, partsOf(field), true);
                    else
                        showOtherCalendar(field);
                });
            }
        }
        if (QPushButton* button = builder_.searchButton(field.column)) {
            // Enter on the button must not reach the window's default button either.
            button->installEventFilter(this);
            const FieldSearch search = field.search;
            connect(button, &QPushButton::clicked, this, [this, search] { runSearch(search); });
        }
    }
}

void CContactPage::fillLists() {
    // Birthdays shown in the lunar calendar keep their names through the refill.
    QList<QPair<FieldSpec, DateParts>> lunarDates;
    for (const FieldSpec& field : builder_.fields())
        if (lunarShown_.contains(field.column))
            lunarDates.append({field, partsOf(field)});
    // Months, days and the fixed lists never fail, so they need no place in the order.
    fillFrom(ListSource::Months, ContactLists::months());
    fillFrom(ListSource::Days, ContactLists::days());
    lunarShown_.clear();
    const auto restoreLunarDates = qScopeGuard([&] {
        for (const auto& [field, parts] : lunarDates)
            showParts(field, parts, true);
    });
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
        if (field.hasLunarTick()) {
            const DateParts parts = partsOf(field);
            record.setValue(field.dateColumns.value(0), parts.year.left(4));
            record.setValue(field.dateColumns.value(1), parts.month.left(2));
            record.setValue(field.dateColumns.value(2), parts.day.left(2));
            record.setValue(field.lunarColumn, parts.flag);
        } else if (field.isDate()) {
            record.setValue(field.dateColumns.value(0), textOf(field.dateColumns.value(0), 4));
            record.setValue(field.dateColumns.value(1), textOf(field.dateColumns.value(1), 2));
            record.setValue(field.dateColumns.value(2), textOf(field.dateColumns.value(2), 2));
        } else {
            record.setValue(field.column, textOf(field.column, field.limit));
        }
    }
}

void CContactPage::setValues(const ContactRecord& record) {
    for (const FieldSpec& field : builder_.fields()) {
        if (field.hasLunarTick()) {
            const QString flag = record.value(field.lunarColumn);
            showParts(field,
                      {record.value(field.dateColumns.value(0)),
                       record.value(field.dateColumns.value(1)),
                       record.value(field.dateColumns.value(2)), flag},
                      lunarbirthday::isLunar(flag));
            continue;
        }
        for (const QString& column : field.columns())
            putText(column, record.value(column));
    }
}

void CContactPage::mergeValues(const ContactRecord& record) {
    for (const FieldSpec& field : builder_.fields()) {
        if (field.hasLunarTick()) {
            DateParts parts = partsOf(field);
            QString* targets[] = {&parts.year, &parts.month, &parts.day, &parts.flag};
            bool touched = false;
            const QStringList columns = field.columns();
            for (int i = 0; i < columns.size(); ++i) {
                if (record.contains(columns.at(i))) {
                    *targets[i] = record.value(columns.at(i));
                    touched = true;
                }
            }
            if (touched)
                showParts(field, parts, lunarbirthday::isLunar(parts.flag));
            continue;
        }
        for (const QString& column : field.columns())
            if (record.contains(column))
                putText(column, record.value(column));
    }
}

CContactPage::DateParts CContactPage::partsOf(const FieldSpec& field) const {
    DateParts parts;
    parts.year = textOf(field.dateColumns.value(0), 0);
    const QString month = textOf(field.dateColumns.value(1), 0);
    const QString day = textOf(field.dateColumns.value(2), 0);
    if (!lunarShown_.contains(field.column)) {
        parts.month = month;
        parts.day = day;
        return parts;
    }
    const lunarbirthday::Month lunarMonth = lunarbirthday::monthOf(month);
    parts.month = lunarMonth.month;
    parts.flag = lunarMonth.flag;
    parts.day = lunarbirthday::dayOf(day);
    return parts;
}

void CContactPage::showParts(const FieldSpec& field, const DateParts& parts, bool lunar) {
    auto* monthList = qobject_cast<CDropList*>(builder_.control(field.dateColumns.value(1)));
    auto* dayList = qobject_cast<CDropList*>(builder_.control(field.dateColumns.value(2)));
    QCheckBox* tick = builder_.lunarTick(field.column);
    {
        const QSignalBlocker blocker(tick);
        tick->setChecked(lunar);
    }
    putText(field.dateColumns.value(0), parts.year);
    if (lunar) {
        lunarShown_.insert(field.column);
        monthList->setEntries(lunarbirthday::monthEntries(parts.year.toInt()));
        dayList->setEntries(lunarbirthday::dayEntries());
        monthList->setText(lunarbirthday::monthEntry(parts.month, parts.flag));
        dayList->setText(lunarbirthday::dayEntry(parts.day));
    } else {
        lunarShown_.remove(field.column);
        monthList->setEntries(ContactLists::months());
        dayList->setEntries(ContactLists::days());
        monthList->setText(parts.month);
        dayList->setText(parts.day);
    }
    showOtherCalendar(field);
}

// The tick keeps the chosen month and day numbers and changes their calendar:
// "08" "15" become 八月十五, and back.
void CContactPage::lunarTicked(const FieldSpec& field) {
    DateParts parts = partsOf(field);
    const bool lunar = builder_.lunarTick(field.column)->isChecked();
    parts.flag = lunar ? lunarbirthday::kLunar : QString();
    showParts(field, parts, lunar);
    markModified();
}

void CContactPage::showOtherCalendar(const FieldSpec& field) {
    QLabel* label = builder_.otherCalendar(field.column);
    if (!label)
        return;
    const DateParts parts = partsOf(field);
    label->setText(lunarbirthday::otherCalendar(parts.year, parts.month, parts.day, parts.flag,
                                                app_.clock.today()));
    label->setToolTip(label->text()); // the pane may be too narrow for all of it
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
