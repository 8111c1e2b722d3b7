// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace exchange {

// One content line of a vCard: "item1.TEL;TYPE=CELL:+86 138 0013 8000".
struct VCardProperty {
    int line = 0;                          // where it starts in the file (1-based)
    QString group;                         // "item1", or empty
    QString name;                          // upper case: "TEL"
    QList<QPair<QString, QString>> params; // names upper case, values as written (unquoted)
    QString value; // decoded from its character set and QUOTED-PRINTABLE; escapes kept

    // The first value of a parameter, empty when absent.
    QString param(const QString& name) const;
    bool hasParam(const QString& name) const;
    // Every TYPE value in lower case, also the bare ones of vCard 2.1
    // (";WORK;VOICE") and the comma lists of 3.0 and 4.0 ("TYPE=work,voice").
    QStringList types() const;
    bool hasType(const QString& type) const { return types().contains(type); }
};

// One card between BEGIN:VCARD and END:VCARD.
struct VCardCard {
    int line = 0;    // line of its BEGIN:VCARD
    QString version; // "2.1", "3.0", "4.0" or whatever the card says
    QList<VCardProperty> properties;
    // Why the card cannot be imported (no END:VCARD, a line too long); empty when whole.
    QString problem;

    // Adds a property at the end, indexing its label when it is one.
    void add(VCardProperty property);
    // Drops every property (a card that is refused keeps none).
    void dropProperties();

    // The properties of a name (and of a group, when given).
    QList<const VCardProperty*> all(const QString& name) const;
    const VCardProperty* first(const QString& name) const;
    // The value of the first X-ABLabel that shares the property's group, empty when none.
    QString labelOf(const VCardProperty& property) const;

  private:
    // The labels by group in lower case: a card of many labelled numbers is
    // read in one pass, not one pass per number.
    QHash<QString, QString> labels_;
};

} // namespace exchange
