// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Database;

// The people of a team on its server. Each user of the program signs in as a
// server login role of their own, named after the database and the user
// ("mavor.张三" for user 张三 of database mavor), with a password only the
// server knows (a SCRAM verifier, made on this machine). Ordinary users are
// members of one group role ("mavor/members": no user name holds a '/'),
// which has the rights the window needs on the rows of the program's tables
// and nothing else; user_pwd is not theirs to read. The administrator's role
// ("mavor.admin") owns the tables and functions, may create roles, and alone
// runs upgrades, migrations and changes of users and departments.
//
// Every function works on an open server connection and reports failures
// through its error text; the ones that change roles run inside the caller's
// transaction when there is one (roles are transactional on the server).
namespace team {

// The longest role name the server keeps whole.
constexpr int kMaxRoleBytes = 63;

QString personRole(const QString& database, const QString& userName);
QString membersRole(const QString& database);
// The message for a user name whose role name would not fit; empty when it fits.
QString roleNameProblem(const QString& database, const QString& userName);

// "name" and 'text' as the server reads them.
QString identifier(const QString& name);
QString literal(const QString& text);

// A first password for a person: 12 letters and digits that cannot be mistaken
// for one another, from the system's random source.
QString generatePassword();

struct Person {
    QString name;
    QString password; // as generated; shown once
};

// Makes the team's roles on a database whose tables exist: the members' group,
// the administrator's role (created with adminPassword, or left as it is when
// it exists), with people given a login for every other user too (those made
// are returned there), the stored passwords cleared, ownership of every object
// of the program to the administrator, the members' rights. Needs a
// connection that may create roles and owns the tables (the database's owner
// given CREATEROLE, or a superuser). Safe to run again.
bool setUp(Database& db, const QString& adminPassword, QList<Person>* people, QString* error);
// The members' rights on every table the program has now (again after an
// upgrade added tables).
bool grantMemberRights(Database& db, QString* error);

// A login role for every user of userlogin that has none yet, each with a
// generated password, and the stored decodable passwords cleared. The people
// made are returned (empty list and no error when all had one).
std::optional<QList<Person>> addMissingPeople(Database& db, QString* error);
// Clears user_pwd on the server: people are known by their roles there.
bool clearStoredPasswords(Database& db, QString* error);

bool roleExists(Database& db, const QString& role);
bool createPerson(Database& db, const QString& userName, const QString& password, QString* error);
bool renamePerson(Database& db, const QString& oldName, const QString& newName, QString* error);
bool setPassword(Database& db, const QString& userName, const QString& password, QString* error);
// The connected person's own password.
bool setOwnPassword(Database& db, const QString& password, QString* error);
bool dropPerson(Database& db, const QString& userName, QString* error);
// A role that may not log in is a user that is switched off.
bool setLoginAllowed(Database& db, const QString& userName, bool allowed, QString* error);

// What the login dialog shows for a refused connection: the server's words
// read for a wrong name or password, a switched-off user, or anything else.
enum class Refusal { WrongPassword, Disabled, Other };
Refusal refusalOf(const QString& serverText);

} // namespace team
