// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CContactDetailPane.h"

#include "base/Prompter.h"
#include "contacts/CContactPage.h"
#include "contacts/ContactStore.h"
#include "contacts/ContactValidation.h"
#include "featureapi/AppContext.h"
#include "featureapi/ContactTab.h"

#include <QScopedValueRollback>
#include <QScrollArea>

namespace {

struct ListTabText {
    const char* caption;
    const char* name;
};

// The list tabs after the five pages, in the order the tab control shows them.
constexpr ListTabText kListTabs[] = {
    {"关联关系", "associations"},
    {"往来记录", "interactions"},
    {"相关文档", "documents"},
};

} // namespace

CContactDetailPane::CContactDetailPane(AppContext& app, const Session& session, QWidget* parent)
    : QTabWidget(parent), app_(app), session_(session) {
    setObjectName(QStringLiteral("CContactDetailPane"));
    for (const PageInfo& info : contactPages()) {
        CContactPage* page = CContactPage::create(info.page, app, this);
        connect(page, &CContactPage::modified, this, [this] {
            // What the pane shows or clears itself is not an edit.
            if (filling_)
                return;
            modified_ = true;
            emit edited();
        });
        pages_.append(page);
        // The pane is often lower than a page: the page scrolls instead of squeezing.
        auto* scroll = new QScrollArea(this);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(page);
        addTab(scroll, info.tabCaption);
    }
    for (const ListTabText& tab : kListTabs) {
        // Stands in for the list until its tab is set.
        auto* placeholder = new QWidget(this);
        placeholder->setObjectName(QString::fromUtf8(tab.name));
        addTab(placeholder, QString::fromUtf8(tab.caption));
    }
    setCurrentIndex(0);
    // Nothing is shown yet: there is no contact to edit.
    setPagesEditable(false);
}

void CContactDetailPane::setListTab(ListTab which, QWidget* widget, ContactTab* tab) {
    const int index = int(which);
    const QString caption = tabText(index);
    QWidget* old = this->widget(index);
    removeTab(index);
    delete old;
    insertTab(index, widget, caption);
    switch (which) {
    case Associations:
        associations_ = tab;
        break;
    case Interactions:
        interactions_ = tab;
        break;
    case Documents:
        documents_ = tab;
        break;
    }
}

ContactRecord CContactDetailPane::values() const {
    ContactRecord record;
    for (CContactPage* page : pages_)
        page->takeValues(record);
    return record;
}

void CContactDetailPane::fillLists() {
    for (CContactPage* page : pages_)
        page->fillLists();
}

void CContactDetailPane::setPagesEditable(bool editable) {
    const QScopedValueRollback filling(filling_, true);
    for (CContactPage* page : pages_)
        page->setEnabled(editable);
}

void CContactDetailPane::clearPane() {
    {
        const QScopedValueRollback filling(filling_, true);
        for (CContactPage* page : pages_)
            page->clearFields();
    }
    // Typing into an empty pane would be dropped without a word: it takes none.
    setPagesEditable(false);
    for (ContactTab* tab : {associations_, interactions_, documents_})
        if (tab)
            tab->clearContact();
}

void CContactDetailPane::loadContact(qint64 code, int liveFlag) {
    clearPane();
    currentCode_ = code;
    ContactStore store(app_.db, app_.prompter);
    const ContactLoad load = store.load(code, liveFlag);
    loadedStamp_ = load.stamp;
    {
        // A page without a row shows empty: setValues empties what the record lacks.
        const QScopedValueRollback filling(filling_, true);
        for (CContactPage* page : pages_)
            page->setValues(load.record);
    }
    // The pages loading never reached show empty; a save would write those
    // empty values over the stored ones, so such a contact stays read-only.
    if (!load.complete)
        return;
    setPagesEditable(true);
    for (ContactTab* tab : {interactions_, associations_, documents_})
        if (tab && !tab->showContact(code))
            return;
}

bool CContactDetailPane::validatePane() {
    const auto failure = contactcheck::checkContact(values(), contactcheck::Set::Modify);
    if (!failure)
        return true;
    app_.prompter.inform(failure->message);
    page(failure->page)->focusField(failure->column);
    return false;
}

bool CContactDetailPane::saveContact(qint64 code) {
    const ContactRecord record = values();
    ContactStore store(app_.db, app_.prompter);
    auto progress = app_.prompter.beginProgress();
    const bool saved = store.save(code, record, progress.get(), loadedStamp_);
    progress.reset();
    if (saved) {
        modified_ = false;
        loadedStamp_ = store.currentStamp();
    } else if (store.changedMeanwhile()) {
        // The edits stay on screen, still unsaved; saving them again is a choice made knowingly.
        modified_ = true;
        loadedStamp_ = store.currentStamp();
    }
    return saved;
}
