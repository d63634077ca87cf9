#include "club/ClubConnection.h"

#include "data/Settings.h"

#include <QSqlDatabase>
#include <QStringList>

namespace {
const QString kSection = QStringLiteral("Club");

// A libpq option value in single quotes, so spaces and quotes in it stay one value.
QString quotedOption(const QString &value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}
} // namespace

QString ClubConnectionDetails::describe() const
{
    if (!service.isEmpty())
        return QStringLiteral("服务 %1").arg(service);
    const QString where = host.isEmpty() ? qEnvironmentVariable("PGHOST", QStringLiteral("本机")) : host;
    const QString portText = port > 0 ? QString::number(port) : qEnvironmentVariable("PGPORT", QStringLiteral("5432"));
    const QString name = database.isEmpty() ? qEnvironmentVariable("PGDATABASE") : database;
    return name.isEmpty() ? QStringLiteral("%1:%2").arg(where, portText) : QStringLiteral("%1:%2/%3").arg(where, portText, name);
}

ClubConnectionDetails ReadClubConnection(const StoredSettings &settings)
{
    ClubConnectionDetails d;
    d.service = settings.read(kSection, QStringLiteral("Service")).trimmed();
    d.host = settings.read(kSection, QStringLiteral("Host")).trimmed();
    bool ok = false;
    const int port = settings.read(kSection, QStringLiteral("Port")).trimmed().toInt(&ok);
    d.port = ok && port > 0 && port < 65536 ? port : -1;
    d.database = settings.read(kSection, QStringLiteral("Database")).trimmed();
    d.user = settings.read(kSection, QStringLiteral("User")).trimmed();
    return d;
}

QSqlDatabase MakeClubDatabase(const ClubConnectionDetails &details, const QString &connectionName, int timeoutSeconds)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(details.host);
    if (details.port > 0)
        db.setPort(details.port);
    db.setDatabaseName(details.database);
    db.setUserName(details.user);
    QStringList options{QStringLiteral("connect_timeout=%1").arg(timeoutSeconds),
                        QStringLiteral("application_name=quorvel")};
    if (!details.service.isEmpty())
        options << QStringLiteral("service=") + quotedOption(details.service);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    return db;
}
