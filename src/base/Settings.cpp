// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

// The file is hand-editable, so anything may be in it: lines are kept as bytes
// and only decoded to find sections and keys. Bytes that are not UTF-8 read as
// U+FFFD; a line that is not ours is written back exactly as it was.
QString decoded(const QByteArray& line) {
    return QString::fromUtf8(line);
}

bool isSectionHeader(const QByteArray& line, QString* name) {
    const QString t = decoded(line).trimmed();
    if (!t.startsWith(u'[') || !t.endsWith(u']'))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// The key of a "key=value" line, or empty text when the line has none.
QString keyOf(const QByteArray& line) {
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? QString() : decoded(line.left(eq)).trimmed();
}

// The value of a "key=value" line. A NUL byte ends it, as it ends a C string:
// what follows is damage, not text for an edit or a statement.
QString valueOf(const QByteArray& line) {
    QByteArray raw = line.mid(line.indexOf('=') + 1);
    const qsizetype nul = raw.indexOf('\0');
    if (nul >= 0)
        raw.truncate(nul);
    return decoded(raw).trimmed();
}

} // namespace

Settings::Settings(const QString& path, const QString& section) : path_(path), section_(section) {}

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

QList<QByteArray> Settings::readLines(QByteArray* lineEnd) const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = file.readAll();
    if (lineEnd)
        *lineEnd = content.contains("\r\n") || !content.contains('\n') ? QByteArray("\r\n")
                                                                       : QByteArray("\n");
    QList<QByteArray> lines = content.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString Settings::value(const QString& key, const QString& fallback) const {
    bool inSection = false;
    for (const QByteArray& line : readLines(nullptr)) {
        QString section;
        if (isSectionHeader(line, &section)) {
            inSection = section.compare(section_, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && keyOf(line).compare(key, Qt::CaseInsensitive) == 0)
            return valueOf(line);
    }
    return fallback;
}

bool Settings::setValue(const QString& key, const QString& value) {
    // A file that is there but cannot be read would be replaced by a new one
    // holding this key alone: it stays as it is.
    if (QFileInfo::exists(path_) && !QFile(path_).open(QIODevice::ReadOnly))
        return false;
    QByteArray lineEnd("\r\n");
    QList<QByteArray> lines = readLines(&lineEnd);
    const QByteArray newLine = (key + u'=' + value).toUtf8();
    qsizetype sectionStart = -1;
    qsizetype sectionEnd = -1; // index after the section's last key line
    qsizetype keyLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString section;
        if (isSectionHeader(lines[i], &section)) {
            if (sectionStart >= 0 && sectionEnd < 0)
                sectionEnd = i;
            if (section.compare(section_, Qt::CaseInsensitive) == 0 && sectionStart < 0)
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
        lines << '[' + section_.toUtf8() + ']' << newLine;
    }

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(lines.join(lineEnd) + lineEnd);
    if (!file.commit())
        return false;
    QFile::setPermissions(path_, kOwnerOnly);
    return true;
}
