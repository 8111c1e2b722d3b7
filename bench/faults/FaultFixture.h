// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// The database the fault runs work on: a new file of the current version with
// a generated network of the administrator (user 1), a second user "乙" with
// a network of his own in another department, and a manager "经理" of a third
// department to whom contacts can be handed.
namespace faults {

struct Fixture {
    qint64 contacts = 200;      // of each of the two users
    qint64 interactions = 1000; // of each of the two users
    QDate today = QDate(2012, 5, 8);
};

// The department of the manager (distribution target) and the users' names.
inline const QString kTargetDepartment = QStringLiteral("市场部");
inline const QString kSecondUser = QStringLiteral("乙");
inline const QString kManager = QStringLiteral("经理");

// Writes the fixture to path (which must not exist); false with error set.
bool createFixture(const QString& path, const Fixture& fixture, QString* error);

} // namespace faults
