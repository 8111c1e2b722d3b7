// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "reports/InteractionQuery.h"
#include "tree/TreeBuilder.h"
#include "ui/ReportRows.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>

class Database;

// The floors of the speed table: for each operation the one statement (for
// the tree: one select of every count beside the one insert of the reminder
// rows) that gives the same visible result, written by hand for the indexes
// the file has. Their results are turned into the program's captions and rows
// only to compare them with what the program showed.
namespace speed {

class Floors {
  public:
    // The user whose reminder rows the floor writes, beside the real ones.
    static constexpr qint64 kUser = -7;

    explicit Floors(const QDate& today) : today_(today) {}

    // The whole tree as TextTree prints it.
    QStringList tree(Database& db) const;
    static bool sameTree(const QStringList& ours, const QStringList& floor);
    // A folder's "name (n)" captions in the builder's order.
    QStringList folder(Database& db, const TreeBuilder::Folder& folder) const;
    // The "部门分布" node's lines below it, as TextTree prints them.
    QStringList departments(Database& db) const;
    // Birthday and family care counts.
    QPair<qint64, qint64> care(Database& db) const;

    // The reminder rows for kUser, written anew.
    void reminders(Database& db) const;
    void dropReminders(Database& db) const;
    // (type, contact) -> rows, of a user.
    QMap<QPair<QString, qint64>, int> reminderRows(Database& db, qint64 user) const;

    // The list of all live contacts: the shown columns in list order.
    struct Rows {
        qint64 rows = -1;
        QStringList texts;
    };
    Rows allContacts(Database& db, bool keep) const;

    struct Query {
        QString what;
        InteractionConditions conditions;
        sql::Statement floor;
    };
    QList<Query> queries(InteractionQuery& query) const;
    static bool sameInteractions(const ReportRows& ours, const QStringList& floor);

    void cleansing(Database& db, int days) const;
    // The cells the exports write, read by one statement each; with a path
    // they are also written there as a workbook by the least code that makes
    // one (FloorSheet), in the same places as the export writes them.
    void listExport(Database& db, const QString& written = {}) const;
    void labelExport(Database& db, const QString& written = {}) const;
    void statistics(Database& db, const sql::Statement& floor, const QString& written = {}) const;

  private:
    QString iso() const { return today_.toString(Qt::ISODate); }
    QString month() const { return today_.toString(QStringLiteral("MM")); }

    QDate today_;
};

} // namespace speed
