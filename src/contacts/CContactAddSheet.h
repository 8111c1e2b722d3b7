// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactFields.h"
#include "contacts/ContactRecord.h"

#include <QDialog>
#include <QList>

struct AppContext;
struct Session;
class CContactPage;
class QPushButton;
class QTabWidget;

// "新增人脉": the five contact pages as tabs; "确定(&O)" checks the basic, work
// and extended pages and stores the new contact with all its rows at once.
class CContactAddSheet : public QDialog {
    Q_OBJECT
  public:
    CContactAddSheet(AppContext& app, const Session& session, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    CContactPage* page(ContactPage page) const { return pages_.at(static_cast<int>(page)); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The values of all five pages as their controls hold them.
    ContactRecord values() const;
    void clearPages();
    // The base_code of the contact saved, -1 before a save.
    qint64 savedCode() const { return savedCode_; }

    static inline const QString kTitle = QStringLiteral("新增人脉");

  public slots:
    // Checks and saves; the sheet closes only when the contact was stored.
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    AppContext& app_;
    const Session& session_;
    QTabWidget* tabs_;
    QList<CContactPage*> pages_;
    QPushButton* ok_;
    QPushButton* cancel_;
    qint64 savedCode_ = -1;
};

// The add command: opens the sheet again after every saved contact while the
// user answers "继续增加吗?" with Yes; cancelling the sheet ends it. Returns the
// number of contacts saved.
int runAddContacts(AppContext& app, const Session& session, QWidget* parent);
