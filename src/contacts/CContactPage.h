// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactFields.h"
#include "contacts/ContactPageBuilder.h"
#include "contacts/ContactRecord.h"

#include <QSet>
#include <QWidget>

struct AppContext;

// One of the five contact pages, built from its rows of the field table. The
// same page serves the add sheet and the detail pane: it fills its lists, moves
// values between its controls and a ContactRecord, applies the pages' keyboard
// rules and reports every edit through modified().
class CContactPage : public QWidget {
    Q_OBJECT
  public:
    // The page class of page (CBasePage, CWorkPage, ...), lists filled.
    static CContactPage* create(ContactPage page, AppContext& app, QWidget* parent);

    ContactPage page() const { return builder_.page(); }
    const ContactPageBuilder& form() const { return builder_; }

    // Empties and fills every list; a list that cannot be read is reported with
    // the page's message and the page stays usable with what was filled.
    void fillLists();
    // Empties every field.
    void clearFields();
    // The values of the controls under their columns, each cut to its limit.
    ContactRecord values() const;
    // Adds the page's values to record (other pages' columns are kept).
    void takeValues(ContactRecord& record) const;
    // Shows the record's values; a column the record does not hold is emptied.
    void setValues(const ContactRecord& record);
    // Shows only the columns the record holds; the other fields keep theirs.
    void mergeValues(const ContactRecord& record);

    // Brings the page to the front of its tab control and puts the focus on the
    // field of column with its text selected (a date's year column gives its year list).
    void focusField(const QString& column);
    // The focus the page takes when it opens: its search edit, if it has one.
    void focusFirstField();
    void bringToFront();

  signals:
    // The user changed a field: typed, chose or cleared a list entry, or closed a list.
    void modified();

  protected:
    CContactPage(ContactPage page, ContactPageBuilder::Layout layout, AppContext& app,
                 QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;
    // The "查" button of a search edit.
    virtual void runSearch(FieldSearch search);
    void markModified() { emit modified(); }

    AppContext& app_;

  private:
    // A birthday's parts as the page holds them, in the calendar its tick says.
    struct DateParts {
        QString year, month, day;
        QString flag; // "", or lunarbirthday::kLunar / kLeap
    };
    DateParts partsOf(const FieldSpec& field) const;
    // Shows the parts, the lists in the calendar of lunar (names or digits).
    void showParts(const FieldSpec& field, const DateParts& parts, bool lunar);
    void lunarTicked(const FieldSpec& field);
    void showOtherCalendar(const FieldSpec& field);
    void connectEdits();
    QString textOf(const QString& column, int limit) const;
    void putText(const QString& column, const QString& text);
    void fillFrom(ListSource source, const QStringList& entries);

    ContactPageBuilder builder_;
    // Year columns of the birthdays whose lists show lunar names.
    QSet<QString> lunarShown_;
};
