// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/DatabaseGate.h"

#include "backup/DataFileCheck.h"
#include "backup/DatabaseUpgrade.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"

bool DatabaseGate::open(const QString& path) {
    const QString problem = datafile::problemOf(path);
    if (!problem.isEmpty()) {
        prompter_.fail(problem);
        return false;
    }
    if (!db_.open(path)) {
        errors::show(prompter_, errors::DatabaseOpen);
        return false;
    }
    return bringUpToDate();
}

bool DatabaseGate::bringUpToDate() {
    // A file of an older version is brought up to date (a copy of it stays
    // beside it); one written by a newer program is left alone.
    DatabaseUpgrade upgrade(db_, &prompter_);
    switch (upgrade.ensureCurrent()) {
    case DatabaseUpgrade::Outcome::Current:
        return true;
    case DatabaseUpgrade::Outcome::Upgraded:
        prompter_.inform(QStringLiteral("数据库已升级到第 %1 版。\r\n\r\n升级前的数据库备份在: %2")
                             .arg(schema::current())
                             .arg(upgrade.backupPath()));
        return true;
    case DatabaseUpgrade::Outcome::Newer:
    case DatabaseUpgrade::Outcome::Failed:
        break;
    }
    prompter_.fail(upgrade.message());
    db_.close();
    return false;
}
