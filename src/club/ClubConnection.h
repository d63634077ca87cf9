#pragma once
// Where the club server is. The [Club] section of the settings names a libpq
// service, or a host, port, database and login; whatever it leaves out comes
// from libpq itself: the PG* environment, ~/.pg_service.conf, PGSERVICE.
// A password never comes from the settings: libpq reads it from ~/.pgpass or
// the service file.
#include <QString>

class QSqlDatabase;
class StoredSettings;

struct ClubConnectionDetails {
    QString service;
    QString host;
    int port = -1; // -1: libpq's default
    QString database;
    QString user;

    // "服务 school" or "127.0.0.1:5432/club", for the status line.
    QString describe() const;
};

// The [Club] keys: Service, Host, Port, Database, User.
ClubConnectionDetails ReadClubConnection(const StoredSettings &settings);

// A QPSQL connection under `connectionName` with the details set, not yet
// open. Seconds after which an unreachable server gives up: `timeoutSeconds`.
QSqlDatabase MakeClubDatabase(const ClubConnectionDetails &details, const QString &connectionName, int timeoutSeconds = 3);
