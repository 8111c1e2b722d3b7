// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/SheetXml.h"

#include "reports/XmlBytes.h"
#include "reports/XmlRewriter.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
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
void appendCell(XmlBytes& out, const QByteArray& prefix, int row, int column, int style,
                QStringView text, bool number) {
    out.append('<');
    out.append(prefix);
    out.appendLiteral("c r=\"");
    char name[8];
    int length = 0;
    for (int c = column; c > 0 && length < 8; c = (c - 1) / 26)
        name[length++] = char('A' + (c - 1) % 26);
    while (length > 0)
        out.append(name[--length]);
    out.appendNumber(row);
    out.append('"');
    if (style != kNoStyle) {
        out.appendLiteral(" s=\"");
        out.appendNumber(style);
        out.append('"');
    }
    if (text.isEmpty()) {
        // An empty text empties the cell; its format stays.
        out.appendLiteral("/>");
        return;
    }
    if (number) {
        out.appendLiteral("><");
        out.append(prefix);
        out.appendLiteral("v>");
        out.appendEscaped(text);
        out.appendLiteral("</");
        out.append(prefix);
        out.appendLiteral("v></");
        out.append(prefix);
        out.appendLiteral("c>");
        return;
    }
    out.appendLiteral(" t=\"inlineStr\"><");
    out.append(prefix);
    out.appendLiteral("is><");
    out.append(prefix);
    out.appendLiteral("t xml:space=\"preserve\">");
    out.appendEscaped(text);
    out.appendLiteral("</");
    out.append(prefix);
    out.appendLiteral("t></");
    out.append(prefix);
    out.appendLiteral("is></");
    out.append(prefix);
    out.appendLiteral("c>");
}

} // namespace

void SheetXml::setText(int row, int column, const QString& text) {
    if (row < 1 || column < 1)
        return;
    const Cell cell{row, column, texts_.size(), text.size()};
    texts_ += text;
    if (!cells_.empty()) {
        Cell& last = cells_.back();
        if (last.row == row && last.column == column) {
            last = cell;
            return;
        }
        if (row < last.row || (row == last.row && column < last.column))
            inOrder_ = false;
    }
    cells_.push_back(cell);
}

void SheetXml::setNumber(int row, int column, const QString& text) {
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]{1,15}(\\.[0-9]{1,15})?$"));
    setText(row, column, text);
    if (!cells_.empty() && cells_.back().row == row && cells_.back().column == column)
        cells_.back().number = decimal.match(text).hasMatch();
}

QString SheetXml::text(int row, int column) const {
    for (auto it = cells_.rbegin(); it != cells_.rend(); ++it) {
        if (it->row == row && it->column == column)
            return texts_.sliced(it->at, it->size);
    }
    return {};
}

std::vector<SheetXml::Cell> SheetXml::ordered() const {
    if (inOrder_)
        return cells_;
    std::vector<Cell> out(cells_.size());
    int lastRow = 0;
    for (const Cell& c : cells_)
        lastRow = std::max(lastRow, c.row);
    if (qsizetype(lastRow) <= 4 * qsizetype(cells_.size()) + 1024) {
        // By row, keeping the order of setting within a row...
        std::vector<qsizetype> start(size_t(lastRow) + 2, 0);
        for (const Cell& c : cells_)
            ++start[size_t(c.row) + 1];
        for (size_t r = 1; r < start.size(); ++r)
            start[r] += start[r - 1];
        for (const Cell& c : cells_)
            out[size_t(start[size_t(c.row)]++)] = c;
        // ...then by column within a row: rows are short.
        for (size_t i = 1; i < out.size(); ++i) {
            const Cell c = out[i];
            size_t j = i;
            while (j > 0 && out[j - 1].row == c.row && out[j - 1].column > c.column) {
                out[j] = out[j - 1];
                --j;
            }
            out[j] = c;
        }
    } else {
        out = cells_;
        std::stable_sort(out.begin(), out.end(), [](const Cell& a, const Cell& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
    }
    // A place set more than once: the last text, which comes last.
    size_t kept = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        if (kept > 0 && out[kept - 1].row == out[i].row && out[kept - 1].column == out[i].column)
            out[kept - 1] = out[i];
        else
            out[kept++] = out[i];
    }
    out.resize(kept);
    return out;
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
    const std::vector<Cell> cells = ordered();
    const int lastRow = cells.empty() ? 0 : cells.back().row;
    int lastColumn = 0;
    for (const Cell& c : cells)
        lastColumn = std::max(lastColumn, c.column);

    std::vector<ColumnStyle> columnStyles;
    // The template's sheetData element and its qualified name, written anew below.
    QString sheetData;
    QString sheetDataName;

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
        if (local == u"col" && sheetDataName.isEmpty()) {
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
        sheetDataName = name.toString();
        return Edit::replaceWith([&](const QString& element) {
            sheetData = element;
            // Stands for the new element; swapped for its bytes below.
            return QStringLiteral("\x01SHEETDATA\x01");
        });
    };

    QString failure;
    const QString rest = rewrite(xml_, editor, &failure);
    const qsizetype mark = rest.indexOf(QStringLiteral("\x01SHEETDATA\x01"));
    std::map<int, TemplateRow> rows;
    if (rest.isEmpty() || (mark >= 0 && !readRows(sheetData, rows, &failure))) {
        if (error)
            *error = failure;
        return {};
    }
    if (mark < 0) {
        if (error)
            *error = QStringLiteral("工作表缺少 sheetData");
        return {};
    }

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
    // Below the template every row of a column takes the same format.
    const int lastTemplateRow = rows.empty() ? 0 : rows.rbegin()->first;
    std::vector<int> belowTemplate(size_t(lastColumn) + 1, kNoStyle);
    for (int c = 1; c <= lastColumn; ++c)
        belowTemplate[size_t(c)] = inherited(lastTemplateRow + 1, c, nullptr);

    // "x:" of "x:sheetData", if the part writes its elements with a prefix.
    const QString prefix = sheetDataName.left(sheetDataName.size() - 9);
    const QByteArray prefixBytes = prefix.toUtf8();
    const QByteArray head = QStringView(rest).first(mark).toUtf8();
    const QByteArray tail = QStringView(rest).sliced(mark + 11).toUtf8();
    XmlBytes out(head.size() + tail.size() + texts_.size() * 3 +
                 qsizetype(cells.size()) * (72 + 5 * prefixBytes.size()) + 256);
    out.append(head);
    out.append('<');
    out.append(sheetDataName.toUtf8());
    out.append('>');
    auto t = rows.begin();
    size_t i = 0;
    while (t != rows.end() || i < cells.size()) {
        const int r = t == rows.end()     ? cells[i].row
                      : i == cells.size() ? t->first
                                          : std::min(t->first, cells[i].row);
        const TemplateRow* row = t != rows.end() && t->first == r ? &t->second : nullptr;
        if (row) {
            out.append(startTag(prefix + QStringLiteral("row"), row->attributes, false).toUtf8());
        } else {
            out.append('<');
            out.append(prefixBytes);
            out.appendLiteral("row r=\"");
            out.appendNumber(r);
            out.appendLiteral("\">");
        }
        auto tc = row ? row->cells.begin() : std::map<int, TemplateCell>::const_iterator{};
        const auto tcEnd = row ? row->cells.end() : std::map<int, TemplateCell>::const_iterator{};
        while (tc != tcEnd || (i < cells.size() && cells[i].row == r)) {
            const bool set = i < cells.size() && cells[i].row == r;
            if (!set || (tc != tcEnd && tc->first < cells[i].column)) {
                out.append(tc->second.raw.toUtf8());
                ++tc;
                continue;
            }
            const Cell& cell = cells[i];
            int style = kNoStyle;
            if (tc != tcEnd && tc->first == cell.column) {
                style = tc->second.style;
                ++tc;
            } else if (r > lastTemplateRow) {
                style = belowTemplate[size_t(cell.column)];
            } else {
                style = inherited(r, cell.column, row);
            }
            appendCell(out, prefixBytes, r, cell.column, style,
                       QStringView(texts_).sliced(cell.at, cell.size), cell.number);
            ++i;
        }
        out.appendLiteral("</");
        out.append(prefixBytes);
        out.appendLiteral("row>");
        if (row)
            ++t;
    }
    out.appendLiteral("</");
    out.append(sheetDataName.toUtf8());
    out.append('>');
    out.append(tail);
    return out.take();
}
