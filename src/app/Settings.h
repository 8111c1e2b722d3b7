#pragma once

#include <QString>
#include <QStringList>

// The settings file mavor.ini: one "[Settings]" section of key=value lines.
// Reads trim blanks; a write changes one line and keeps every other line as it
// stood. The file may hold an encoded password, so only its owner may read it.
class Settings {
  public:
    static inline const QString kSection = QStringLiteral("Settings");
    static inline const QByteArray kDefaultContent =
        "[Settings]\r\nUserName=\r\nPassword=\r\nAutoLogin=0\r\nDay=60\r\n";

    explicit Settings(const QString& path);

    // Creates the file with the default content when it cannot be read.
    // False when it could neither be read nor created (reads then give defaults).
    bool ensureExists();

    QString value(const QString& key, const QString& fallback = QString()) const;
    bool setValue(const QString& key, const QString& value);

    QString path() const { return path_; }

  private:
    QStringList readLines(QString* lineEnd) const;

    QString path_;
};
