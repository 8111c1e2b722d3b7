// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The values of one contact's five pages, keyed by the column each field
// writes (see contactFields()). A date field gives three keys: its year, month
// and day columns. For a list whose column is a code ("base_province_code",
// "work_duty_code", ...) the value is the NAME shown in the list ("北京市"), never
// the code: names are turned into codes when the record is saved and back into
// names when it is loaded. A missing key reads as the empty text.
class ContactRecord {
  public:
    QString value(const QString& column) const { return values_.value(column); }
    void setValue(const QString& column, const QString& value) { values_.insert(column, value); }
    bool contains(const QString& column) const { return values_.contains(column); }
    void remove(const QString& column) { values_.remove(column); }
    void clear() { values_.clear(); }
    bool isEmpty() const { return values_.isEmpty(); }
    QStringList columns() const { return values_.keys(); }

    const QHash<QString, QString>& values() const { return values_; }
    bool operator==(const ContactRecord& other) const = default;

  private:
    QHash<QString, QString> values_;
};
