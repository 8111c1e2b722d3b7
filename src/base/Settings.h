// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The settings file mavor.ini: one "[Settings]" section of key=value lines.
// Reads trim blanks; a write changes one line and keeps every other line byte
// for byte as it stood. The file may be hand-edited or damaged: text that is
// not UTF-8 reads as U+FFFD, a value ends at a NUL byte, the first of
// duplicated keys counts, and a missing section or key gives the fallback.
// The file may hold an encoded password, so only its owner may read it.
class Settings {
  public:
    static inline const QString kSection = QStringLiteral("Settings");
    static inline const QByteArray kDefaultContent =
        "[Settings]\r\nUserName=\r\nPassword=\r\nAutoLogin=0\r\nDay=60\r\n";

    // section: the one read and written; "Settings" unless another is named.
    explicit Settings(const QString& path, const QString& section = kSection);

    // Creates the file with the default content when it cannot be read.
    // False when it could neither be read nor created (reads then give defaults).
    bool ensureExists();

    QString value(const QString& key, const QString& fallback = QString()) const;
    bool setValue(const QString& key, const QString& value);

    QString path() const { return path_; }

  private:
    QList<QByteArray> readLines(QByteArray* lineEnd) const;

    QString path_;
    QString section_;
};
