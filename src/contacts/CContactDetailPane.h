// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactFields.h"
#include "contacts/ContactRecord.h"
#include "contacts/DetailPane.h"
#include "featureapi/ContactView.h"

#include <QList>
#include <QTabWidget>

struct AppContext;
struct Session;
class CContactPage;
class ContactTab;

// The lower half of the contact view: the five contact pages of the contact
// clicked in the list, edited in place, and the tabs of its associations,
// interactions and documents.
class CContactDetailPane : public QTabWidget, public DetailPane, public ContactTabs {
    Q_OBJECT
  public:
    CContactDetailPane(AppContext& app, const Session& session, QWidget* parent = nullptr);

    void clearPane() override;
    void loadContact(qint64 code, int liveFlag) override;
    bool validatePane() override;
    // Shows the progress window while the contact is written.
    bool saveContact(qint64 code) override;
    bool isModified() const override { return modified_; }
    void setModified(bool modified) override { modified_ = modified; }

    // Whose contacts the list tabs show.
    const Session& session() const { return session_; }
    // The contact last loaded, 0 before the first load.
    qint64 currentCode() const { return currentCode_; }
    CContactPage* page(ContactPage page) const { return pages_.at(static_cast<int>(page)); }
    // The values of all five pages as their controls hold them.
    ContactRecord values() const;
    // Fills the pages' lists again, after a reference table was edited.
    void fillLists();
    QWidget* tabParent() override { return this; }
    void setListTab(ListTab which, QWidget* widget, ContactTab* tab) override;
    QWidget* listTab(ListTab which) const override { return widget(which); }
    qint64 contactShown() const override { return currentCode_; }

  signals:
    // The user edited a field of the contact shown.
    void edited();

  private:
    // The five pages take input only while a contact is shown whose pages were all read.
    void setPagesEditable(bool editable);

    AppContext& app_;
    const Session& session_;
    QList<CContactPage*> pages_;
    ContactTab* associations_ = nullptr;
    ContactTab* interactions_ = nullptr;
    ContactTab* documents_ = nullptr;
    qint64 currentCode_ = 0;
    bool modified_ = false;
    QString loadedStamp_;
    // Set while the pane fills, clears or locks its pages.
    bool filling_ = false;
};
