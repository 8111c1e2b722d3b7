// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

class SheetXml;

// A workbook made from a template file (Office Open XML, a zip of XML parts):
// the template is read whole, texts are set into the cells of one sheet, and
// the result is written under another name. The template is never changed.
class XlsxWorkbook {
  public:
    XlsxWorkbook();
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    // Reads the template; its active sheet is the one filled. False with
    // error() set when the file is not a workbook.
    bool open(const QString& templatePath);
    // Fills the sheet of that name instead, and keeps only it in the saved
    // workbook; false (the active sheet stays) when the template has none such.
    bool useSheet(const QString& name);
    QString sheetName() const;
    QStringList sheetNames() const;

    // Rows and columns count from 1; the text is stored as text.
    void setCell(int row, int column, const QString& text);
    // A plain decimal text goes in as a number, anything else as text.
    void setNumber(int row, int column, const QString& text);
    QString cell(int row, int column) const;

    // Writes the workbook. An existing file at the path is replaced only once
    // the new one is complete; on failure it stays as it was (error() says why).
    bool saveAs(const QString& path);
    QString error() const { return error_; }

    // Deflate level of the saved parts (zlib 0..9).
    void setCompressionLevel(int level) { level_ = level; }

  private:
    struct Part {
        QString name;
        QByteArray data;
    };
    struct Sheet {
        QString name;
        QString relationId;
        QString part; // path inside the zip
    };

    const Part* part(const QString& name) const;
    Part* part(const QString& name);
    bool readStructure();
    QByteArray workbookXml() const;
    QByteArray relationshipsXml() const;
    QByteArray contentTypesXml() const;
    QString relationshipsOf(const QString& partName) const;
    bool fail(const QString& text);

    QList<Part> parts_;
    QString workbookPart_;
    QList<Sheet> sheets_;
    int current_ = -1;
    bool onlyCurrent_ = false;
    QString calcChainPart_;
    std::unique_ptr<SheetXml> sheet_;
    QString error_;
    int level_ = 1; // fast: the exports are written while the user waits
};
