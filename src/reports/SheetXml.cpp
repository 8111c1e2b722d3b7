#include "reports/SheetXml.h"

#include "reports/XmlRewriter.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

using namespace xmlrewrite;

namespace {

constexpr int kNoStyle = -1;

struct TemplateCell {
    QString raw;          // the cell as the template writes it
    int style = kNoStyle; // its "s"
};

struct TemplateRow {
    Attributes attributes; // without "spans", which would no longer be true
    std::map<int, TemplateCell> cells;
    int style = kNoStyle; // "s" when "customFormat" is set
};

struct ColumnStyle {
    int first = 0;
    int last = 0;
    int style = kNoStyle;
};

// The template's sheetData element, read into rows and cells.
bool readRows(const QString& element, std::map<int, TemplateRow>& rows, QString* error) {
    QXmlStreamReader reader(element);
    reader.setNamespaceProcessing(false);
    qsizetype tokenStart = 0;
    int rowNumber = 0;
    int columnNumber = 0;
    TemplateRow* row = nullptr;
    qsizetype cellStart = -1;
    int cellStyle = kNoStyle;
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType type = reader.readNext();
        const qsizetype tokenEnd = reader.characterOffset();
        if (type == QXmlStreamReader::StartElement) {
            ++depth;
            const QStringView name = localName(reader.qualifiedName());
            if (depth == 2 && name == u"row") {
                Attributes attributes = attributesOf(reader.attributes());
                const QString r = valueOf(attributes, u"r");
                rowNumber = r.isEmpty() ? rowNumber + 1 : r.toInt();
                columnNumber = 0;
                removeValue(attributes, u"spans");
                row = &rows[rowNumber];
                if (valueOf(attributes, u"customFormat") == u"1" ||
                    valueOf(attributes, u"customFormat") == u"true") {
                    bool ok = false;
                    const int s = valueOf(attributes, u"s").toInt(&ok);
                    row->style = ok ? s : kNoStyle;
                }
                row->attributes = std::move(attributes);
            } else if (depth == 3 && name == u"c" && row) {
                int r = rowNumber;
                int c = columnNumber + 1;
                const QString ref = reader.attributes().value(QLatin1String("r")).toString();
                if (!ref.isEmpty())
                    SheetXml::parseReference(ref, &r, &c);
                columnNumber = c;
                bool ok = false;
                const int s = reader.attributes().value(QLatin1String("s")).toInt(&ok);
                cellStyle = ok ? s : kNoStyle;
                cellStart = tokenStart;
            }
        } else if (type == QXmlStreamReader::EndElement) {
            if (depth == 3 && cellStart >= 0 && row) {
                row->cells[columnNumber] = {element.mid(cellStart, tokenEnd - cellStart),
                                            cellStyle};
                cellStart = -1;
            } else if (depth == 2) {
                row = nullptr;
            }
            --depth;
        }
        tokenStart = tokenEnd;
    }
    if (reader.hasError()) {
        if (error)
            *error = reader.errorString();
        return false;
    }
    return true;
}

// A cell holding text; prefix is the namespace prefix of the part's elements
// ("x:" or nothing).
void appendCell(QByteArray& out, const QByteArray& prefix, int row, int column, int style,
                const QString& text) {
    out += '<';
    out += prefix;
    out += "c r=\"";
    out += SheetXml::columnName(column).toLatin1();
    out += QByteArray::number(row);
    out += '"';
    if (style != kNoStyle) {
        out += " s=\"";
        out += QByteArray::number(style);
        out += '"';
    }
    if (text.isEmpty()) {
        // An empty text empties the cell; its format stays.
        out += "/>";
        return;
    }
    out += " t=\"inlineStr\"><";
    out += prefix;
    out += "is><";
    out += prefix;
    out += "t xml:space=\"preserve\">";
    out += escaped(text).toUtf8();
    out += "</";
    out += prefix;
    out += "t></";
    out += prefix;
    out += "is></";
    out += prefix;
    out += "c>";
}

} // namespace

void SheetXml::setText(int row, int column, const QString& text) {
    if (row < 1 || column < 1)
        return;
    auto& cells = texts_[row];
    auto [it, added] = cells.insert_or_assign(column, text);
    Q_UNUSED(it);
    if (added)
        ++cells_;
}

QString SheetXml::text(int row, int column) const {
    const auto r = texts_.find(row);
    if (r == texts_.end())
        return {};
    const auto c = r->second.find(column);
    return c == r->second.end() ? QString() : c->second;
}

QString SheetXml::columnName(int column) {
    QString name;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        name.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return name;
}

bool SheetXml::parseReference(QStringView reference, int* row, int* column) {
    qsizetype i = 0;
    int c = 0;
    while (i < reference.size() && reference.at(i).isLetter() && reference.at(i).unicode() < 128) {
        c = c * 26 + (reference.at(i).toUpper().unicode() - u'A' + 1);
        ++i;
    }
    bool ok = false;
    const int r = reference.mid(i).toInt(&ok);
    if (i == 0 || !ok || r < 1)
        return false;
    *row = r;
    *column = c;
    return true;
}

QByteArray SheetXml::render(QString* error) const {
    int lastRow = texts_.empty() ? 0 : texts_.rbegin()->first;
    int lastColumn = 0;
    for (const auto& [row, cells] : texts_)
        lastColumn = std::max(lastColumn, cells.rbegin()->first);

    std::vector<ColumnStyle> columnStyles;
    QByteArray sheetData;
    QString failure;

    const Editor editor = [&](QStringView name, const QXmlStreamAttributes& attributes) -> Edit {
        const QStringView local = localName(name);
        if (local == u"dimension") {
            Attributes a = attributesOf(attributes);
            const QString ref = valueOf(a, u"ref");
            const qsizetype colon = ref.indexOf(u':');
            int r = 0;
            int c = 0;
            if (parseReference(colon < 0 ? QStringView(ref) : QStringView(ref).mid(colon + 1), &r,
                               &c)) {
                r = std::max(r, lastRow);
                c = std::max(c, lastColumn);
            } else {
                r = lastRow;
                c = lastColumn;
            }
            if (r < 1 || c < 1)
                return Edit::keep();
            setValue(a, QStringLiteral("ref"),
                     QStringLiteral("A1:") + columnName(c) + QString::number(r));
            return Edit::setAttributes(a);
        }
        if (local == u"sheetView" && selected_) {
            Attributes a = attributesOf(attributes);
            setValue(a, QStringLiteral("tabSelected"), QStringLiteral("1"));
            return Edit::setAttributes(a);
        }
        if (local == u"col") {
            bool ok = false;
            const int style = attributes.value(QLatin1String("style")).toInt(&ok);
            if (ok) {
                columnStyles.push_back({attributes.value(QLatin1String("min")).toInt(),
                                        attributes.value(QLatin1String("max")).toInt(), style});
            }
            return Edit::keep();
        }
        if (local != u"sheetData")
            return Edit::keep();
        return Edit::replaceWith([&, name = name.toString()](const QString& element) {
            std::map<int, TemplateRow> rows;
            if (!readRows(element, rows, &failure))
                return QString();
            // The nearest styled template cell above a place, column by column.
            std::map<int, std::map<int, int>> styledAbove;
            for (const auto& [r, row] : rows) {
                for (const auto& [c, cell] : row.cells) {
                    if (cell.style != kNoStyle)
                        styledAbove[c][r] = cell.style;
                }
            }
            auto inherited = [&](int r, int c, const TemplateRow* row) {
                const auto column = styledAbove.find(c);
                if (column != styledAbove.end()) {
                    auto it = column->second.upper_bound(r);
                    if (it != column->second.begin())
                        return std::prev(it)->second;
                }
                if (row && row->style != kNoStyle)
                    return row->style;
                for (const ColumnStyle& s : columnStyles) {
                    if (c >= s.first && c <= s.last)
                        return s.style;
                }
                return kNoStyle;
            };

            // "x:" of "x:sheetData", if the part writes its elements with a prefix.
            const QString prefix = name.left(name.size() - 9);
            const QByteArray prefixBytes = prefix.toUtf8();
            sheetData.reserve(qsizetype(cells_) * 72 + 64);
            sheetData += '<';
            sheetData += name.toUtf8();
            sheetData += '>';
            auto t = rows.begin();
            auto w = texts_.begin();
            while (t != rows.end() || w != texts_.end()) {
                const int r = t == rows.end()     ? w->first
                              : w == texts_.end() ? t->first
                                                  : std::min(t->first, w->first);
                const TemplateRow* row = t != rows.end() && t->first == r ? &t->second : nullptr;
                const std::map<int, QString>* texts =
                    w != texts_.end() && w->first == r ? &w->second : nullptr;
                if (row) {
                    sheetData +=
                        startTag(prefix + QStringLiteral("row"), row->attributes, false).toUtf8();
                } else {
                    sheetData += '<';
                    sheetData += prefix.toUtf8();
                    sheetData += "row r=\"";
                    sheetData += QByteArray::number(r);
                    sheetData += "\">";
                }
                auto tc = row ? row->cells.begin() : std::map<int, TemplateCell>::const_iterator{};
                const auto tcEnd =
                    row ? row->cells.end() : std::map<int, TemplateCell>::const_iterator{};
                auto wc = texts ? texts->begin() : std::map<int, QString>::const_iterator{};
                const auto wcEnd = texts ? texts->end() : std::map<int, QString>::const_iterator{};
                while (tc != tcEnd || wc != wcEnd) {
                    if (wc == wcEnd || (tc != tcEnd && tc->first < wc->first)) {
                        sheetData += tc->second.raw.toUtf8();
                        ++tc;
                        continue;
                    }
                    int style = kNoStyle;
                    if (tc != tcEnd && tc->first == wc->first) {
                        style = tc->second.style;
                        ++tc;
                    } else {
                        style = inherited(r, wc->first, row);
                    }
                    appendCell(sheetData, prefixBytes, r, wc->first, style, wc->second);
                    ++wc;
                }
                sheetData += "</";
                sheetData += prefix.toUtf8();
                sheetData += "row>";
                if (row)
                    ++t;
                if (texts)
                    ++w;
            }
            sheetData += "</";
            sheetData += name.toUtf8();
            sheetData += '>';
            // Stands for the new element; swapped for the bytes below.
            return QStringLiteral("\x01SHEETDATA\x01");
        });
    };

    QString parseError;
    const QString rest = rewrite(xml_, editor, &parseError);
    if (rest.isEmpty() || !failure.isEmpty()) {
        if (error)
            *error = failure.isEmpty() ? parseError : failure;
        return {};
    }
    const qsizetype mark = rest.indexOf(QStringLiteral("\x01SHEETDATA\x01"));
    if (mark < 0) {
        if (error)
            *error = QStringLiteral("工作表缺少 sheetData");
        return {};
    }
    QByteArray out = rest.left(mark).toUtf8();
    out += sheetData;
    out += rest.mid(mark + 11).toUtf8();
    return out;
}
