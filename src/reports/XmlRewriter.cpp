// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/XmlRewriter.h"

#include <QXmlStreamReader>

namespace xmlrewrite {

QStringView localName(QStringView qualifiedName) {
    const qsizetype colon = qualifiedName.indexOf(u':');
    return colon < 0 ? qualifiedName : qualifiedName.mid(colon + 1);
}

Attributes attributesOf(const QXmlStreamAttributes& attributes) {
    Attributes out;
    out.reserve(attributes.size());
    for (const QXmlStreamAttribute& a : attributes)
        out.append({a.qualifiedName().toString(), a.value().toString()});
    return out;
}

QString valueOf(const Attributes& attributes, QStringView name) {
    for (const auto& a : attributes) {
        if (a.first == name)
            return a.second;
    }
    return {};
}

void setValue(Attributes& attributes, const QString& name, const QString& value) {
    for (auto& a : attributes) {
        if (a.first == name) {
            a.second = value;
            return;
        }
    }
    attributes.append({name, value});
}

void removeValue(Attributes& attributes, QStringView name) {
    attributes.removeIf([name](const QPair<QString, QString>& a) { return a.first == name; });
}

QString escaped(QStringView text) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        switch (u) {
        case u'&':
            out += QLatin1String("&amp;");
            continue;
        case u'<':
            out += QLatin1String("&lt;");
            continue;
        case u'>':
            out += QLatin1String("&gt;");
            continue;
        case u'"':
            out += QLatin1String("&quot;");
            continue;
        case u'\r':
            out += QLatin1String("&#13;");
            continue;
        default:
            break;
        }
        if (u < 0x20 && u != u'\t' && u != u'\n')
            continue;
        if (u == 0xFFFE || u == 0xFFFF)
            continue;
        if (c.isHighSurrogate()) {
            if (i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                out += c;
                out += text.at(++i);
            }
            continue;
        }
        if (c.isLowSurrogate())
            continue;
        out += c;
    }
    return out;
}

QString startTag(QStringView name, const Attributes& attributes, bool selfClosing) {
    QString out = u'<' + name.toString();
    for (const auto& a : attributes)
        out += u' ' + a.first + QLatin1String("=\"") + escaped(a.second) + u'"';
    out += selfClosing ? QLatin1String("/>") : QLatin1String(">");
    return out;
}

QString rewrite(const QString& xml, const Editor& editor, QString* error) {
    // Prefixes are kept as written: the parts declare them on their root
    // elements, which are copied unchanged.
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    QString out;
    out.reserve(xml.size() + xml.size() / 8);

    qsizetype tokenStart = 0;
    // While an element is dropped or replaced: its depth and where it began.
    int skipDepth = 0;
    qsizetype skipStart = 0;
    Edit pending;

    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType type = reader.readNext();
        if (type == QXmlStreamReader::Invalid)
            break;
        const qsizetype tokenEnd = reader.characterOffset();
        if (skipDepth > 0) {
            if (type == QXmlStreamReader::StartElement) {
                ++skipDepth;
            } else if (type == QXmlStreamReader::EndElement && --skipDepth == 0) {
                if (pending.kind == Edit::Kind::Replace)
                    out += pending.replace(xml.mid(skipStart, tokenEnd - skipStart));
                pending = Edit{};
            }
            tokenStart = tokenEnd;
            continue;
        }
        if (type == QXmlStreamReader::StartElement) {
            const QStringView raw = QStringView(xml).mid(tokenStart, tokenEnd - tokenStart);
            Edit edit = editor(reader.qualifiedName(), reader.attributes());
            switch (edit.kind) {
            case Edit::Kind::Keep:
                out += raw;
                break;
            case Edit::Kind::SetAttributes:
                out += startTag(reader.qualifiedName(), edit.attributes,
                                raw.trimmed().endsWith(QLatin1String("/>")));
                break;
            case Edit::Kind::Drop:
            case Edit::Kind::Replace:
                skipDepth = 1;
                skipStart = tokenStart;
                pending = std::move(edit);
                break;
            }
        } else {
            out += QStringView(xml).mid(tokenStart, tokenEnd - tokenStart);
        }
        tokenStart = tokenEnd;
    }
    if (reader.hasError()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    return out;
}

} // namespace xmlrewrite
