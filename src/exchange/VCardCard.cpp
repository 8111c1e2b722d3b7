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

QString VCardCard::labelOf(const VCardProperty& property) const {
    if (property.group.isEmpty())
        return {};
    for (const auto& p : properties)
        if (p.name == u"X-ABLABEL" && p.group.compare(property.group, Qt::CaseInsensitive) == 0)
            return p.value;
    return {};
}

} // namespace exchange
