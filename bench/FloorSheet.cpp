// SPDX-License-Identifier: GPL-3.0-or-later
#include "FloorSheet.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

namespace {

const char kContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "</Types>";
const char kRootRelationships[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
const char kWorkbook[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const char kWorkbookRelationships[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/></Relationships>";

} // namespace

FloorSheet::FloorSheet() {
    xml_.reserve(1 << 20);
    xml_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet "
            "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
}

void FloorSheet::cell(int row, int column, QStringView text) {
    if (row != row_) {
        if (row_ > 0)
            xml_ += "</row>";
        xml_ += "<row r=\"";
        xml_ += QByteArray::number(row);
        xml_ += "\">";
        row_ = row;
    }
    char name[4];
    int length = 0;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name[length++] = char('A' + (c - 1) % 26);
    xml_ += "<c r=\"";
    while (length > 0)
        xml_ += name[--length];
    xml_ += QByteArray::number(row);
    xml_ += "\" t=\"inlineStr\"><is><t>";
    for (char b : text.toUtf8()) {
        if (b == '&')
            xml_ += "&amp;";
        else if (b == '<')
            xml_ += "&lt;";
        else if (b == '>')
            xml_ += "&gt;";
        else
            xml_ += b;
    }
    xml_ += "</t></is></c>";
}

bool FloorSheet::save(const QString& path) {
    if (row_ > 0)
        xml_ += "</row>";
    xml_ += "</sheetData></worksheet>";
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    const auto add = [&zip](const char* name, const char* data, qsizetype size) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(name)), nullptr, 0,
                       Z_DEFLATED, 1))
            return false;
        const bool written = file.write(data, size) == size;
        file.close();
        return written && file.getZipError() == ZIP_OK;
    };
    const bool ok = add("[Content_Types].xml", kContentTypes, sizeof kContentTypes - 1) &&
                    add("_rels/.rels", kRootRelationships, sizeof kRootRelationships - 1) &&
                    add("xl/workbook.xml", kWorkbook, sizeof kWorkbook - 1) &&
                    add("xl/_rels/workbook.xml.rels", kWorkbookRelationships,
                        sizeof kWorkbookRelationships - 1) &&
                    add("xl/worksheets/sheet1.xml", xml_.constData(), xml_.size());
    zip.close();
    return ok && zip.getZipError() == ZIP_OK;
}
