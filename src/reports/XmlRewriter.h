// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringView>
#include <functional>

class QXmlStreamAttributes;

// Copies an XML part of a workbook text for text, so that namespaces, prefixes
// and everything the program does not understand stay exactly as they were,
// and changes only the elements a caller asks for: new attributes for one, a
// whole element dropped, or a whole element replaced by new text.
namespace xmlrewrite {

using Attributes = QList<QPair<QString, QString>>; // qualified name, value

struct Edit {
    enum class Kind { Keep, SetAttributes, Drop, Replace };
    Kind kind = Kind::Keep;
    Attributes attributes; // SetAttributes: the start tag's new attributes, in order
    // Replace: gets the element's text (start tag to end tag) and gives the new text.
    std::function<QString(const QString& element)> replace;

    static Edit keep() { return {}; }
    static Edit drop() { return {Kind::Drop, {}, {}}; }
    static Edit setAttributes(Attributes attributes) {
        return {Kind::SetAttributes, std::move(attributes), {}};
    }
    static Edit replaceWith(std::function<QString(const QString&)> replace) {
        return {Kind::Replace, {}, std::move(replace)};
    }
};

// Asked at each start element: its qualified name ("sheet", "x:row") and attributes.
using Editor = std::function<Edit(QStringView name, const QXmlStreamAttributes& attributes)>;

// The rewritten text; an empty string (and *error set) when xml is not well formed.
QString rewrite(const QString& xml, const Editor& editor, QString* error = nullptr);

// The attributes as a list of (qualified name, value), in document order.
Attributes attributesOf(const QXmlStreamAttributes& attributes);
QString valueOf(const Attributes& attributes, QStringView name);
void setValue(Attributes& attributes, const QString& name, const QString& value);
void removeValue(Attributes& attributes, QStringView name);
// A start tag written from a name and attributes, values escaped.
QString startTag(QStringView name, const Attributes& attributes, bool selfClosing);
// Text escaped for an element's content or an attribute value; characters XML
// cannot carry at all are left out.
QString escaped(QStringView text);
// The name without its prefix ("x:row" -> "row").
QStringView localName(QStringView qualifiedName);

} // namespace xmlrewrite
