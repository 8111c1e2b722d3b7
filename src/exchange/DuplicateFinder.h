// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class Database;

namespace exchange {

// What the duplicate search reads of a contact.
struct DuplicateMember {
    qint64 code = 0;
    QString name;
    QString mobile;
    QString email;
    QString unit;
    QString lastDate; // base_lastmodi_date
};

// Contacts that are the same person by one key or a chain of keys (A shares
// a mobile number with B, B an address with C).
struct DuplicateGroup {
    QList<DuplicateMember> members; // in base_code order
    QStringList reasons; // "手机 13800138000", "邮件 a@b.cn", "同名同单位 张三/星辰科技"
};

class DuplicateFinder {
  public:
    // The groups among the live contacts, ordered by their first member's name
    // (pinyin); false (reported) when the contacts could not be read.
    static bool find(Database& db, QList<DuplicateGroup>* groups);
    // The grouping alone, for contacts already read.
    static QList<DuplicateGroup> group(const QList<DuplicateMember>& members);
};

// Finds which known contact an incoming one repeats; the import adds each
// contact it stores, so a file that holds one person twice is caught too.
class DuplicateIndex {
  public:
    // Reads the live contacts; false (reported) on a database failure.
    bool load(Database& db);
    // The code of a known contact sharing a key, 0 when none.
    qint64 match(const QString& name, const QString& mobile, const QString& email,
                 const QString& unit) const;
    void add(qint64 code, const QString& name, const QString& mobile, const QString& email,
             const QString& unit);
    QString nameOf(qint64 code) const { return names_.value(code); }

  private:
    QHash<QString, qint64> mobiles_, emails_, nameUnits_;
    QHash<qint64, QString> names_;
};

} // namespace exchange
