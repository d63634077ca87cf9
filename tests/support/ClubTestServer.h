#pragma once
// A club on a throw-away PostgreSQL server for tests: connection details for
// any login, the superuser's connection "admin", and members added with the
// login role their rights come from. The schema is left to the test.
#include "club/ClubConnection.h"
#include "club/ClubDatabase.h"
#include "support/PostgresServer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

class ClubTestServer : public PostgresServer {
public:
    static QSqlDatabase admin() { return QSqlDatabase::database(adminConnection()); }

    ClubConnectionDetails as(const QString &login) const
    {
        ClubConnectionDetails d;
        d.host = QStringLiteral("127.0.0.1");
        d.port = port();
        d.database = QStringLiteral("postgres");
        d.user = login;
        return d;
    }

    // Starts the server and opens admin(); false with error() on failure.
    bool startWithAdmin()
    {
        if (!available())
            return fail(QStringLiteral("PostgreSQL 15 is not installed (scripts/deps.sh installs it)"));
        if (!start())
            return false;
        QSqlDatabase db = MakeClubDatabase(as(superuser()), adminConnection());
        return db.open() || fail(db.lastError().text());
    }

    // A login role in club_organiser or club_member, and the member with it.
    bool addMember(const QString &login, const QString &displayName, const QString &className, bool organiser)
    {
        QSqlDatabase db = admin();
        QSqlQuery role(db);
        const QString group = organiser ? QStringLiteral("club_organiser") : QStringLiteral("club_member");
        if (!role.exec(QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE %2").arg(login, group)))
            return fail(role.lastError().text());
        const ClubStatus added = AddMember(db, login, displayName, className, organiser);
        return added.ok() || fail(added.message);
    }

    static void closeAdmin()
    {
        admin().close();
        QSqlDatabase::removeDatabase(adminConnection());
    }

private:
    static QString adminConnection() { return QStringLiteral("admin"); }
};
