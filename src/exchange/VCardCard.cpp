// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VCardCard.h"

namespace exchange {

QString VCardProperty::param(const QString& name) const {
    for (const auto& p : params)
        if (p.first == name)
            return p.second;
    return {};
}

bool VCardProperty::hasParam(const QString& name) const {
    for (const auto& p : params)
        if (p.first == name)
            return true;
    return false;
}

QStringList VCardProperty::types() const {
    QStringList out;
    for (const auto& p : params) {
        if (p.first != u"TYPE")
            continue;
        for (const QString& t : p.second.split(u',', Qt::SkipEmptyParts))
            out << t.trimmed().toLower();
    }
    return out;
}

QList<const VCardProperty*> VCardCard::all(const QString& name) const {
    QList<const VCardProperty*> out;
    for (const auto& p : properties)
        if (p.name == name)
            out << &p;
    return out;
}

const VCardProperty* VCardCard::first(const QString& name) const {
    for (const auto& p : properties)
        if (p.name == name)
            return &p;
    return nullptr;
}

void VCardCard::add(VCardProperty property) {
    if (property.name == u"X-ABLABEL" && !property.group.isEmpty()) {
        const QString group = property.group.toLower();
        if (!labels_.contains(group))
            labels_.insert(group, property.value);
    }
    properties.append(std::move(property));
}

void VCardCard::dropProperties() {
    properties = {};
    labels_ = {};
}

QString VCardCard::labelOf(const VCardProperty& property) const {
    if (property.group.isEmpty())
        return {};
    return labels_.value(property.group.toLower());
}

} // namespace exchange
