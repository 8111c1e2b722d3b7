// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/TeamRoles.h"

#include "db/Database.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDriver>
#include <libpq-fe.h>

namespace team {

namespace {

const QString kAdministrator = QStringLiteral("admin");

// The tables a member reads but does not change: departments belong to the
// administrator with the users, the version and the calendar to upgrades.
const QStringList kReadOnlyTables = {QStringLiteral("dep"), QStringLiteral("mavor_schema"),
                                     QStringLiteral("mavor_lunar_months")};
const QString kUsers = QStringLiteral("userlogin");
const QString kStoredPassword = QStringLiteral("user_pwd");
// What a member's own use of the program rewrites in userlogin: the score and
// the last login.
const QStringList kMemberUserColumns = {QStringLiteral("user_grade"),
                                        QStringLiteral("user_lastlogin")};

bool run(Database& db, const QString& text, QString* error) {
    if (db.executeServerText(text))
        return true;
    if (error)
        *error = db.lastError();
    return false;
}

bool texts(Database& db, const sql::Statement& statement, QStringList* out, QString* error) {
    if (db.queryQuietly(statement, [out](const Row& row) {
            *out << row.textAt(0);
            return true;
        }))
        return true;
    if (error)
        *error = db.lastError();
    return false;
}

std::optional<QString> verifier(Database& db, const QString& role, const QString& password,
                                QString* error) {
    // Made here by libpq from the connection's own settings, so the clear
    // password never travels and never reaches the server's log.
    const QVariant handle = db.connection().driver()->handle();
    // The driver's metatype is named after the struct behind the typedef.
    const char* type = handle.isValid() ? handle.typeName() : "";
    PGconn* conn = qstrcmp(type, "PGconn*") == 0 || qstrcmp(type, "pg_conn*") == 0
                       ? *static_cast<PGconn* const*>(handle.constData())
                       : nullptr;
    if (!conn) {
        if (error)
            *error = QStringLiteral("没有连接数据库服务器");
        return std::nullopt;
    }
    char* made = PQencryptPasswordConn(conn, password.toUtf8().constData(),
                                       role.toUtf8().constData(), "scram-sha-256");
    if (!made) {
        if (error)
            *error = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        return std::nullopt;
    }
    const QString out = QString::fromLatin1(made);
    PQfreemem(made);
    return out;
}

QString passwordClause(Database& db, const QString& role, const QString& password, QString* error) {
    const auto made = verifier(db, role, password, error);
    return made ? QStringLiteral(" password ") + literal(*made) : QString();
}

bool roleNameFits(const QString& database, const QString& userName, QString* error) {
    const QString problem = roleNameProblem(database, userName);
    if (!problem.isEmpty() && error)
        *error = problem;
    return problem.isEmpty();
}

bool isSuperuser(Database& db) {
    bool super = false;
    db.queryQuietly("select rolsuper from pg_roles where rolname = current_user",
                    [&super](const Row& row) {
                        super = row.textAt(0) == u"true" || row.numberAt(0, 0) == 1;
                        return false;
                    });
    return super;
}

QString currentUser(Database& db) {
    QStringList names;
    texts(db, sql::Statement("select current_user"), &names, nullptr);
    return names.value(0);
}

} // namespace

QString personRole(const QString& database, const QString& userName) {
    return database + u'.' + userName;
}

QString membersRole(const QString& database) {
    return database + QStringLiteral("/members");
}

QString roleNameProblem(const QString& database, const QString& userName) {
    if (personRole(database, userName).toUtf8().size() <= kMaxRoleBytes)
        return {};
    return QStringLiteral(
               "用户名太长: 服务器上的登录名 \"%1\" 超过 %2 个字节, 请使用短一些的用户名!")
        .arg(personRole(database, userName))
        .arg(kMaxRoleBytes);
}

QString identifier(const QString& name) {
    QString doubled = name;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

QString literal(const QString& text) {
    QString doubled = text;
    doubled.replace(u'\'', QStringLiteral("''"));
    return u'\'' + doubled + u'\'';
}

QString generatePassword() {
    static const QString letters =
        QStringLiteral("abcdefghjkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString out;
    for (int i = 0; i < 12; ++i)
        out += letters.at(QRandomGenerator::system()->bounded(int(letters.size())));
    return out;
}

bool roleExists(Database& db, const QString& role) {
    return db.exists(sql::format("select rolname from pg_roles where rolname='%s'", role));
}

bool grantMemberRights(Database& db, QString* error) {
    const QString database = db.server().database;
    const QString members = identifier(membersRole(database));
    QStringList tables;
    if (!texts(db,
               sql::Statement("select table_name from information_schema.tables where "
                              "table_schema = current_schema() and table_type = 'BASE TABLE' "
                              "order by table_name"),
               &tables, error))
        return false;
    QStringList userColumns;
    if (!texts(db,
               sql::format("select column_name from information_schema.columns where "
                           "table_schema = current_schema() and table_name = '%s' and "
                           "column_name <> '%s' order by ordinal_position",
                           kUsers, kStoredPassword),
               &userColumns, error))
        return false;
    QStringList statements;
    for (const QString& table : tables) {
        const QString name = identifier(table);
        statements << QStringLiteral("revoke all on %1 from public, %2").arg(name, members);
        if (table == kUsers) {
            QStringList columns;
            for (const QString& column : userColumns)
                columns << identifier(column);
            QStringList writable;
            for (const QString& column : kMemberUserColumns)
                writable << identifier(column);
            statements << QStringLiteral("grant select (%1) on %2 to %3")
                              .arg(columns.join(u','), name, members)
                       << QStringLiteral("grant update (%1) on %2 to %3")
                              .arg(writable.join(u','), name, members);
        } else if (kReadOnlyTables.contains(table)) {
            statements << QStringLiteral("grant select on %1 to %2").arg(name, members);
        } else {
            statements << QStringLiteral("grant select, insert, update, delete on %1 to %2")
                              .arg(name, members);
        }
    }
    statements
        << QStringLiteral("grant usage on all sequences in schema public to %1").arg(members);
    for (const QString& statement : statements) {
        if (!run(db, statement, error))
            return false;
    }
    return true;
}

bool setUp(Database& db, const QString& adminPassword, QList<Person>* people, QString* error) {
    const QString database = db.server().database;
    const QString adminRole = personRole(database, kAdministrator);
    const QString admin = identifier(adminRole);
    const QString members = identifier(membersRole(database));
    if (!roleExists(db, membersRole(database)) &&
        !run(db, QStringLiteral("create role %1 nologin").arg(members), error))
        return false;
    if (!roleExists(db, adminRole)) {
        const QString password = passwordClause(db, adminRole, adminPassword, error);
        if (password.isEmpty() ||
            !run(db, QStringLiteral("create role %1 login createrole%2").arg(admin, password),
                 error))
            return false;
    }
    // While the connected role still owns the tables: no stored passwords,
    // and a login for every user when asked.
    if (!clearStoredPasswords(db, error))
        return false;
    if (people) {
        const auto made = addMissingPeople(db, error);
        if (!made)
            return false;
        *people = *made;
    }
    // Handing the objects over needs membership of the new owner for a
    // moment; the connected role gives it back at the end.
    const QString self = currentUser(db);
    const bool lend = !isSuperuser(db) && self != adminRole;
    if (lend && !run(db, QStringLiteral("grant %1 to current_user").arg(admin), error))
        return false;
    // Only the team reaches the database; members use the schema, the
    // administrator also creates in it (upgrades).
    const QStringList opening = {
        QStringLiteral("revoke all on database %1 from public").arg(identifier(database)),
        QStringLiteral("grant connect on database %1 to %2, %3")
            .arg(identifier(database), members, admin),
        QStringLiteral("grant usage on schema public to %1").arg(members),
        QStringLiteral("grant usage, create on schema public to %1").arg(admin),
    };
    for (const QString& statement : opening) {
        if (!run(db, statement, error))
            return false;
    }
    QStringList tables, functions, collations;
    if (!texts(db,
               sql::Statement("select table_name from information_schema.tables where "
                              "table_schema = current_schema() and table_type = 'BASE TABLE'"),
               &tables, error) ||
        !texts(db,
               sql::Statement("select p.oid::regprocedure::text from pg_proc p "
                              "where p.pronamespace = current_schema()::regnamespace"),
               &functions, error) ||
        !texts(db,
               sql::Statement("select collname from pg_collation "
                              "where collnamespace = current_schema()::regnamespace"),
               &collations, error))
        return false;
    for (const QString& table : tables) {
        if (!run(db, QStringLiteral("alter table %1 owner to %2").arg(identifier(table), admin),
                 error))
            return false;
    }
    for (const QString& function : functions) {
        // regprocedure's text is already quoted where it must be.
        if (!run(db, QStringLiteral("alter function %1 owner to %2").arg(function, admin), error))
            return false;
    }
    for (const QString& collation : collations) {
        if (!run(db,
                 QStringLiteral("alter collation %1 owner to %2").arg(identifier(collation), admin),
                 error))
            return false;
    }
    if (!grantMemberRights(db, error))
        return false;
    return !lend || run(db, QStringLiteral("revoke %1 from current_user").arg(admin), error);
}

bool clearStoredPasswords(Database& db, QString* error) {
    return run(db, QStringLiteral("update userlogin set user_pwd = '' where user_pwd <> ''"),
               error);
}

std::optional<QList<Person>> addMissingPeople(Database& db, QString* error) {
    QStringList names;
    if (!texts(db,
               sql::Statement("select user_name from userlogin where user_name<>'' "
                              "order by user_code"),
               &names, error))
        return std::nullopt;
    QList<Person> made;
    const QString database = db.server().database;
    for (const QString& name : names) {
        if (roleExists(db, personRole(database, name)))
            continue;
        Person person{name, generatePassword()};
        if (!createPerson(db, name, person.password, error))
            return std::nullopt;
        made << person;
    }
    if (!clearStoredPasswords(db, error))
        return std::nullopt;
    return made;
}

bool createPerson(Database& db, const QString& userName, const QString& password, QString* error) {
    const QString database = db.server().database;
    if (!roleNameFits(database, userName, error))
        return false;
    const QString role = personRole(database, userName);
    const QString clause = passwordClause(db, role, password, error);
    if (clause.isEmpty())
        return false;
    // The administrator's role makes users; any other is a member.
    const QString rights = userName == kAdministrator
                               ? QStringLiteral(" createrole")
                               : QStringLiteral(" in role ") + identifier(membersRole(database));
    return run(db, QStringLiteral("create role %1 login%2%3").arg(identifier(role), rights, clause),
               error);
}

bool renamePerson(Database& db, const QString& oldName, const QString& newName, QString* error) {
    const QString database = db.server().database;
    if (!roleNameFits(database, newName, error))
        return false;
    return run(db,
               QStringLiteral("alter role %1 rename to %2")
                   .arg(identifier(personRole(database, oldName)),
                        identifier(personRole(database, newName))),
               error);
}

bool setPassword(Database& db, const QString& userName, const QString& password, QString* error) {
    const QString role = personRole(db.server().database, userName);
    const QString clause = passwordClause(db, role, password, error);
    return !clause.isEmpty() &&
           run(db, QStringLiteral("alter role %1%2").arg(identifier(role), clause), error);
}

bool setOwnPassword(Database& db, const QString& password, QString* error) {
    const QString clause = passwordClause(db, db.server().user, password, error);
    return !clause.isEmpty() &&
           run(db, QStringLiteral("alter role current_user%1").arg(clause), error);
}

bool dropPerson(Database& db, const QString& userName, QString* error) {
    return run(db,
               QStringLiteral("drop role if exists %1")
                   .arg(identifier(personRole(db.server().database, userName))),
               error);
}

bool setLoginAllowed(Database& db, const QString& userName, bool allowed, QString* error) {
    return run(db,
               QStringLiteral("alter role %1 %2")
                   .arg(identifier(personRole(db.server().database, userName)),
                        allowed ? QStringLiteral("login") : QStringLiteral("nologin")),
               error);
}

Refusal refusalOf(const QString& serverText) {
    static const QRegularExpression wrong(
        QStringLiteral(R"(password authentication failed|role ".*" does not exist|)"
                       R"(no password supplied|SCRAM)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression disabled(QStringLiteral("is not permitted to log in"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (disabled.match(serverText).hasMatch())
        return Refusal::Disabled;
    if (wrong.match(serverText).hasMatch())
        return Refusal::WrongPassword;
    return Refusal::Other;
}

} // namespace team
