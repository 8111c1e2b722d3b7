// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// A drop-down list of the contact pages: the value can only be picked from the
// entries, and closing the drop-down the user opened counts as an edit of the page.
class CDropList : public QComboBox {
    Q_OBJECT
  public:
    explicit CDropList(QWidget* parent = nullptr);

    // Selects the entry with exactly this text; the empty text selects nothing.
    // A value missing from the entries (a year before the list's first, a name
    // since removed from its table) is shown as an extra entry until the next
    // value is set, so that saving keeps it.
    void setText(const QString& text);
    // Empties the list and fills it again, keeping the chosen text when it is still there.
    void setEntries(const QStringList& entries);

    void hidePopup() override;

    // For a dialog's event filter on its lists: typed characters and the right
    // button do nothing (a value is only picked from the entries), Backspace and
    // Delete empty the list. True when the event was taken.
    static bool takesOnlyPicks(CDropList* list, QEvent* event);

  signals:
    // The user closed the drop-down (with or without picking an entry).
    void closedUp();

  protected:
    // Scrolling a page must not change the lists the wheel passes over.
    void wheelEvent(QWheelEvent* event) override;

  private:
    QString extra_;
};
