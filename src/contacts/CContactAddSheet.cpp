// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CContactAddSheet.h"

#include "base/Prompter.h"
#include "contacts/CContactPage.h"
#include "contacts/ContactStore.h"
#include "contacts/ContactValidation.h"
#include "featureapi/AppContext.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kAddMore = QStringLiteral("继续增加吗?");

// A page scrolls rather than squeezes when the window is smaller than the form.
QScrollArea* scrolling(CContactPage* page, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    return scroll;
}

} // namespace

CContactAddSheet::CContactAddSheet(AppContext& app, const Session& session, QWidget* parent)
    : QDialog(parent), app_(app), session_(session), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("CContactAddSheet"));
    setWindowTitle(kTitle);
    for (const PageInfo& info : contactPages()) {
        CContactPage* page = CContactPage::create(info.page, app, this);
        pages_.append(page);
        tabs_->addTab(scrolling(page, tabs_), info.tabCaption);
    }

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CContactAddSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons);
    resize(880, 600);

    clearPages();
}

void CContactAddSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    tabs_->setCurrentIndex(0);
    pages_.first()->focusFirstField();
}

ContactRecord CContactAddSheet::values() const {
    ContactRecord record;
    for (CContactPage* page : pages_)
        page->takeValues(record);
    return record;
}

void CContactAddSheet::clearPages() {
    for (CContactPage* page : pages_)
        page->clearFields();
}

void CContactAddSheet::accept() {
    const ContactRecord record = values();
    if (const auto failure = contactcheck::checkContact(record, contactcheck::Set::Add)) {
        app_.prompter.inform(failure->message);
        page(failure->page)->focusField(failure->column);
        return;
    }
    ContactStore store(app_.db, app_.prompter);
    const qint64 code = store.insertNew(record, session_, app_.clock);
    if (code < 0)
        return;
    savedCode_ = code;
    clearPages();
    QDialog::accept();
}

int runAddContacts(AppContext& app, const Session& session, QWidget* parent) {
    int saved = 0;
    for (;;) {
        CContactAddSheet sheet(app, session, parent);
        if (sheet.exec() != QDialog::Accepted)
            break;
        ++saved;
        if (!app.prompter.ask(Prompter::kNoticeCaption, kAddMore))
            break;
    }
    return saved;
}
