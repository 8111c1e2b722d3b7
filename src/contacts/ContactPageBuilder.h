// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactFields.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

class CDropList;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Lays out one contact page from its rows of the field table: a caption and a
// control per field (edit, multi-line edit, drop-down list, or a date as three
// lists), in a grid of caption/field pairs, the bands of the page as frames.
// The controls are found afterwards by the column they write.
class ContactPageBuilder {
  public:
    struct Layout {
        // Caption/field pairs per grid row on a page without bands.
        int columns = 2;
        // The same for each band of a page with bands (missing entries take columns).
        QList<int> bandColumns;
    };

    ContactPageBuilder(ContactPage page, Layout layout);

    // Creates the controls as children of form and gives form its layout.
    void build(QWidget* form);

    ContactPage page() const { return page_; }
    const QList<FieldSpec>& fields() const { return fields_; }

    // The control that holds a column: a QLineEdit, a QPlainTextEdit or a CDropList
    // (each of a date's three columns has its own list). Null for unknown columns.
    QWidget* control(const QString& column) const { return controls_.value(column); }
    // The caption of a field, found by its column (a date's by its year column).
    QLabel* caption(const QString& column) const { return captions_.value(column); }
    // The second caption of a field that has two ("国籍:"), else null.
    QLabel* extraCaption(const QString& column) const { return extraCaptions_.value(column); }
    // The "农历" tick of a birthday, found by its column or the date's year
    // column, and the label beside it that shows the date in the other
    // calendar; null for other fields.
    QCheckBox* lunarTick(const QString& column) const { return ticks_.value(column); }
    QLabel* otherCalendar(const QString& yearColumn) const { return others_.value(yearColumn); }
    // The "查" button beside a search edit, else null.
    QPushButton* searchButton(const QString& column) const { return buttons_.value(column); }
    // The lists filled from one source; the month and day lists of every date
    // count as Months and Days, their year lists as Years.
    QList<CDropList*> lists(ListSource source) const { return lists_.value(source); }
    QList<CDropList*> allLists() const;
    QList<QGroupBox*> bands() const { return bands_; }
    QList<QWidget*> allControls() const { return controls_.values(); }

    static inline const QString kCaptionPrefix = QStringLiteral("caption:");
    static inline const QString kSearchCaption = QStringLiteral("查");
    static inline const QStringList kDateUnits = {QStringLiteral("年"), QStringLiteral("月"),
                                                  QStringLiteral("日")};

  private:
    void layOut(const QList<FieldSpec>& fields, int columns, QGridLayout* grid, QWidget* parent);
    QWidget* captionCell(const FieldSpec& field, QWidget* parent);
    QWidget* fieldCell(const FieldSpec& field, QWidget* parent);
    QWidget* dateCell(const FieldSpec& field, QWidget* parent);
    CDropList* makeList(const QString& column, ListSource source, const QStringList& items,
                        QWidget* parent);

    ContactPage page_;
    Layout layout_;
    QList<FieldSpec> fields_;
    QHash<QString, QWidget*> controls_;
    QHash<QString, QLabel*> captions_;
    QHash<QString, QLabel*> extraCaptions_;
    QHash<QString, QPushButton*> buttons_;
    QHash<QString, QCheckBox*> ticks_;
    QHash<QString, QLabel*> others_;
    QMap<ListSource, QList<CDropList*>> lists_;
    QList<QGroupBox*> bands_;
};
