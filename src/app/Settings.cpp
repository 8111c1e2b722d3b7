#include "app/Settings.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

bool isSectionHeader(const QString& line, QString* name) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[') || !t.endsWith(u']'))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// The key of a "key=value" line, or empty text when the line has none.
QString keyOf(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

} // namespace

Settings::Settings(const QString& path) : path_(path) {}

bool Settings::ensureExists() {
    QFile file(path_);
    if (file.open(QIODevice::ReadOnly))
        return true;
    QFile created(path_);
    if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    created.setPermissions(kOwnerOnly);
    return created.write(kDefaultContent) == kDefaultContent.size();
}

QStringList Settings::readLines(QString* lineEnd) const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString content = QString::fromUtf8(file.readAll());
    if (lineEnd)
        *lineEnd = content.contains(QStringLiteral("\r\n")) || !content.contains(u'\n')
                       ? QStringLiteral("\r\n")
                       : QStringLiteral("\n");
    QStringList lines = content.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString Settings::value(const QString& key, const QString& fallback) const {
    bool inSection = false;
    for (const QString& line : readLines(nullptr)) {
        QString section;
        if (isSectionHeader(line, &section)) {
            inSection = section.compare(kSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && keyOf(line).compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(line.indexOf(u'=') + 1).trimmed();
    }
    return fallback;
}

bool Settings::setValue(const QString& key, const QString& value) {
    QString lineEnd = QStringLiteral("\r\n");
    QStringList lines = readLines(&lineEnd);
    const QString newLine = key + u'=' + value;
    qsizetype sectionStart = -1;
    qsizetype sectionEnd = -1; // index after the section's last key line
    qsizetype keyLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString section;
        if (isSectionHeader(lines[i], &section)) {
            if (sectionStart >= 0 && sectionEnd < 0)
                sectionEnd = i;
            if (section.compare(kSection, Qt::CaseInsensitive) == 0 && sectionStart < 0)
                sectionStart = i;
            continue;
        }
        if (sectionStart >= 0 && sectionEnd < 0 && keyLine < 0 &&
            keyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0)
            keyLine = i;
    }
    if (keyLine >= 0) {
        lines[keyLine] = newLine;
    } else if (sectionStart >= 0) {
        qsizetype at = sectionEnd < 0 ? lines.size() : sectionEnd;
        while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, newLine);
    } else {
        lines << u'[' + kSection + u']' << newLine;
    }

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((lines.join(lineEnd) + lineEnd).toUtf8());
    if (!file.commit())
        return false;
    QFile::setPermissions(path_, kOwnerOnly);
    return true;
}
