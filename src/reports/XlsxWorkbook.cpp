// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/XlsxWorkbook.h"

#include "base/PrivateFiles.h"
#include "reports/SheetXml.h"
#include "reports/XmlRewriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

using namespace xmlrewrite;

namespace {

// A target of a relationship, resolved against the directory of its source part.
QString resolve(const QString& sourcePart, const QString& target) {
    if (target.startsWith(u'/'))
        return target.mid(1);
    QStringList path = sourcePart.split(u'/');
    path.removeLast();
    for (const QString& step : target.split(u'/')) {
        if (step == u"..") {
            if (!path.isEmpty())
                path.removeLast();
        } else if (step != u"." && !step.isEmpty()) {
            path.append(step);
        }
    }
    return path.join(u'/');
}

struct Relationship {
    QString id;
    QString type;
    QString target;
};

QList<Relationship> readRelationships(const QByteArray& xml) {
    QList<Relationship> out;
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement ||
            localName(reader.qualifiedName()) != u"Relationship")
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        out.append({a.value(QLatin1String("Id")).toString(),
                    a.value(QLatin1String("Type")).toString(),
                    a.value(QLatin1String("Target")).toString()});
    }
    return out;
}

} // namespace

XlsxWorkbook::XlsxWorkbook() = default;
XlsxWorkbook::~XlsxWorkbook() = default;

bool XlsxWorkbook::fail(const QString& text) {
    error_ = text;
    return false;
}

const XlsxWorkbook::Part* XlsxWorkbook::part(const QString& name) const {
    for (const Part& p : parts_) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

XlsxWorkbook::Part* XlsxWorkbook::part(const QString& name) {
    for (Part& p : parts_) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

QString XlsxWorkbook::relationshipsOf(const QString& partName) const {
    const qsizetype slash = partName.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral("_rels/") + partName + QStringLiteral(".rels")
                     : partName.left(slash) + QStringLiteral("/_rels/") + partName.mid(slash + 1) +
                           QStringLiteral(".rels");
}

bool XlsxWorkbook::open(const QString& templatePath) {
    parts_.clear();
    sheets_.clear();
    sheet_.reset();
    current_ = -1;
    onlyCurrent_ = false;
    error_.clear();

    QuaZip zip(templatePath);
    if (!zip.open(QuaZip::mdUnzip))
        return fail(QStringLiteral("无法打开模版文件 %1 (zip %2)")
                        .arg(templatePath)
                        .arg(zip.getZipError()));
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("无法读取模版文件 %1").arg(templatePath));
        parts_.append({zip.getCurrentFileName(), file.readAll()});
        file.close();
    }
    if (zip.getZipError() != UNZ_OK)
        return fail(QStringLiteral("无法读取模版文件 %1").arg(templatePath));
    return readStructure();
}

bool XlsxWorkbook::readStructure() {
    const Part* root = part(QStringLiteral("_rels/.rels"));
    if (!root)
        return fail(QStringLiteral("模版文件不是工作簿"));
    for (const Relationship& r : readRelationships(root->data)) {
        if (r.type.endsWith(QLatin1String("/officeDocument")))
            workbookPart_ = resolve(QString(), r.target);
    }
    const Part* workbook = part(workbookPart_);
    const Part* rels = part(relationshipsOf(workbookPart_));
    if (workbookPart_.isEmpty() || !workbook || !rels)
        return fail(QStringLiteral("模版文件不是工作簿"));

    const QList<Relationship> relationships = readRelationships(rels->data);
    for (const Relationship& r : relationships) {
        if (r.type.endsWith(QLatin1String("/calcChain")))
            calcChainPart_ = resolve(workbookPart_, r.target);
    }
    int activeTab = 0;
    QXmlStreamReader reader(workbook->data);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = localName(reader.qualifiedName());
        const QXmlStreamAttributes a = reader.attributes();
        if (name == u"workbookView" && a.hasAttribute(QLatin1String("activeTab"))) {
            activeTab = a.value(QLatin1String("activeTab")).toInt();
        } else if (name == u"sheet") {
            Sheet sheet;
            sheet.name = a.value(QLatin1String("name")).toString();
            for (const QXmlStreamAttribute& attribute : a) {
                if (attribute.qualifiedName().endsWith(QLatin1String(":id")))
                    sheet.relationId = attribute.value().toString();
            }
            for (const Relationship& r : relationships) {
                if (r.id == sheet.relationId)
                    sheet.part = resolve(workbookPart_, r.target);
            }
            sheets_.append(sheet);
        }
    }
    if (reader.hasError())
        return fail(QStringLiteral("模版文件不是工作簿: ") + reader.errorString());
    if (sheets_.isEmpty())
        return fail(QStringLiteral("模版文件中没有工作表"));
    current_ = activeTab >= 0 && activeTab < sheets_.size() ? activeTab : 0;
    const Part* sheetPart = part(sheets_.at(current_).part);
    if (!sheetPart)
        return fail(QStringLiteral("模版文件中没有工作表"));
    sheet_ = std::make_unique<SheetXml>(QString::fromUtf8(sheetPart->data));
    return true;
}

bool XlsxWorkbook::useSheet(const QString& name) {
    for (int i = 0; i < sheets_.size(); ++i) {
        if (sheets_.at(i).name != name)
            continue;
        const Part* sheetPart = part(sheets_.at(i).part);
        if (!sheetPart)
            return false;
        current_ = i;
        onlyCurrent_ = true;
        sheet_ = std::make_unique<SheetXml>(QString::fromUtf8(sheetPart->data));
        sheet_->select();
        return true;
    }
    return false;
}

QString XlsxWorkbook::sheetName() const {
    return current_ >= 0 ? sheets_.at(current_).name : QString();
}

QStringList XlsxWorkbook::sheetNames() const {
    QStringList names;
    for (const Sheet& s : sheets_)
        names.append(s.name);
    return names;
}

void XlsxWorkbook::setCell(int row, int column, const QString& text) {
    if (sheet_)
        sheet_->setText(row, column, text);
}

void XlsxWorkbook::setNumber(int row, int column, const QString& text) {
    if (sheet_)
        sheet_->setNumber(row, column, text);
}

QString XlsxWorkbook::cell(int row, int column) const {
    return sheet_ ? sheet_->text(row, column) : QString();
}

QByteArray XlsxWorkbook::workbookXml() const {
    const QByteArray& data = part(workbookPart_)->data;
    if (!onlyCurrent_)
        return data;
    // Only the filled sheet stays: it becomes the first and active tab, and
    // names that belonged to another sheet go with it.
    const QString kept = sheets_.at(current_).name;
    const QString keptIndex = QString::number(current_);
    const Editor editor = [&](QStringView name, const QXmlStreamAttributes& a) -> Edit {
        const QStringView local = localName(name);
        if (local == u"sheet")
            return a.value(QLatin1String("name")) == kept ? Edit::keep() : Edit::drop();
        if (local == u"workbookView") {
            Attributes attributes = attributesOf(a);
            setValue(attributes, QStringLiteral("activeTab"), QStringLiteral("0"));
            removeValue(attributes, u"firstSheet");
            return Edit::setAttributes(attributes);
        }
        if (local == u"definedName" && a.hasAttribute(QLatin1String("localSheetId"))) {
            if (a.value(QLatin1String("localSheetId")) != keptIndex)
                return Edit::drop();
            Attributes attributes = attributesOf(a);
            setValue(attributes, QStringLiteral("localSheetId"), QStringLiteral("0"));
            return Edit::setAttributes(attributes);
        }
        return Edit::keep();
    };
    return rewrite(QString::fromUtf8(data), editor).toUtf8();
}

QByteArray XlsxWorkbook::relationshipsXml() const {
    const QByteArray& data = part(relationshipsOf(workbookPart_))->data;
    if (!onlyCurrent_)
        return data;
    QStringList dropped;
    for (int i = 0; i < sheets_.size(); ++i) {
        if (i != current_)
            dropped.append(sheets_.at(i).relationId);
    }
    const Editor editor = [&](QStringView name, const QXmlStreamAttributes& a) -> Edit {
        if (localName(name) != u"Relationship")
            return Edit::keep();
        if (dropped.contains(a.value(QLatin1String("Id")).toString()) ||
            a.value(QLatin1String("Type")).endsWith(QLatin1String("/calcChain")))
            return Edit::drop();
        return Edit::keep();
    };
    return rewrite(QString::fromUtf8(data), editor).toUtf8();
}

QByteArray XlsxWorkbook::contentTypesXml() const {
    const QByteArray& data = part(QStringLiteral("[Content_Types].xml"))->data;
    if (!onlyCurrent_)
        return data;
    QStringList dropped;
    for (int i = 0; i < sheets_.size(); ++i) {
        if (i != current_)
            dropped.append(u'/' + sheets_.at(i).part);
    }
    if (!calcChainPart_.isEmpty())
        dropped.append(u'/' + calcChainPart_);
    const Editor editor = [&](QStringView name, const QXmlStreamAttributes& a) -> Edit {
        if (localName(name) == u"Override" &&
            dropped.contains(a.value(QLatin1String("PartName")).toString()))
            return Edit::drop();
        return Edit::keep();
    };
    return rewrite(QString::fromUtf8(data), editor).toUtf8();
}

bool XlsxWorkbook::saveAs(const QString& path) {
    if (!sheet_)
        return fail(QStringLiteral("没有打开模版文件"));
    const Sheet& filled = sheets_.at(current_);
    QString renderError;
    const QByteArray sheetXml = sheet_->render(&renderError);
    if (sheetXml.isEmpty())
        return fail(QStringLiteral("模版工作表无法读取: ") + renderError);
    if (!part(QStringLiteral("[Content_Types].xml")))
        return fail(QStringLiteral("模版文件不是工作簿"));

    QStringList dropped;
    if (onlyCurrent_) {
        for (int i = 0; i < sheets_.size(); ++i) {
            if (i != current_) {
                dropped.append(sheets_.at(i).part);
                dropped.append(relationshipsOf(sheets_.at(i).part));
            }
        }
        if (!calcChainPart_.isEmpty())
            dropped.append(calcChainPart_);
    }

    // Written whole before the file is replaced: deflate shrinks the sheet
    // of a long export to a fifth or less.
    QByteArray zipped;
    qsizetype expected = sheetXml.size() / 4;
    for (const Part& p : parts_)
        expected += p.data.size();
    zipped.reserve(expected);
    QBuffer buffer(&zipped);
    {
        QuaZip zip(&buffer);
        if (!zip.open(QuaZip::mdCreate))
            return fail(QStringLiteral("无法生成文件 (zip %1)").arg(zip.getZipError()));
        for (const Part& p : parts_) {
            if (dropped.contains(p.name))
                continue;
            QByteArray data;
            if (p.name == filled.part)
                data = sheetXml;
            else if (p.name == workbookPart_)
                data = workbookXml();
            else if (p.name == relationshipsOf(workbookPart_))
                data = relationshipsXml();
            else if (p.name == u"[Content_Types].xml")
                data = contentTypesXml();
            else
                data = p.data;
            QuaZipFile file(&zip);
            if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(p.name), nullptr, 0, Z_DEFLATED,
                           level_) ||
                file.write(data) != data.size()) {
                return fail(QStringLiteral("无法生成文件 (zip %1)").arg(file.getZipError()));
            }
            file.close();
            if (file.getZipError() != ZIP_OK)
                return fail(QStringLiteral("无法生成文件 (zip %1)").arg(file.getZipError()));
        }
        zip.close();
        if (zip.getZipError() != ZIP_OK)
            return fail(QStringLiteral("无法生成文件 (zip %1)").arg(zip.getZipError()));
    }

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("无法写入文件 %1: %2").arg(path, out.errorString()));
    privatefiles::restrict(out); // the contacts' data: for the owner only
    if (out.write(zipped) != zipped.size() || !out.commit())
        return fail(QStringLiteral("无法写入文件 %1: %2").arg(path, out.errorString()));
    return true;
}
