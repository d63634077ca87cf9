#include "club/ClubSession.h"

#include "club/ClubSchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>
#include <utility>

namespace {
constexpr int kHeartbeatMs = 5000;
constexpr int kMaxDelayMs = 30000;
} // namespace

int ReconnectDelayMs(int attempt)
{
    return attempt >= 5 ? kMaxDelayMs : qMin(kMaxDelayMs, 1000 << qMax(0, attempt));
}

ClubSession::ClubSession(const ClubConnectionDetails &details, const QString &queuePath, QObject *parent)
    : QObject(parent), m_details(details), m_connectionName(QStringLiteral("club-") + QUuid::createUuid().toString(QUuid::Id128)),
      m_queue(queuePath)
{
    const QString loadError = m_queue.load();
    if (!loadError.isEmpty())
        m_statusText = loadError;
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &ClubSession::tryConnect);
    m_heartbeat.setInterval(kHeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &ClubSession::checkAlive);
}

ClubSession::~ClubSession()
{
    if (m_probe)
        m_probe->wait(); // at most the connect timeout
    dropConnection();
}

void ClubSession::dropConnection()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase ClubSession::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void ClubSession::start()
{
    m_attempt = 0;
    m_retry.stop();
    tryConnect();
}

// An unreachable host keeps a connection attempt waiting for its timeout: a
// thread of its own finds out first, so the windows never wait for it.
void ClubSession::tryConnect()
{
    if (m_probe)
        return; // an attempt is under way
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        m_statusText = QStringLiteral("没有安装 Qt 的 PostgreSQL 驱动（Debian 软件包 libqt6sql6-psql），无法连接班级服务器。");
        emit stateChanged(); // nothing to retry until it is installed
        return;
    }
    m_connecting = true;
    emit stateChanged();
    m_probe = QThread::create([this, details = m_details] {
        const QString name = QStringLiteral("club-probe-") + QUuid::createUuid().toString(QUuid::Id128);
        {
            QSqlDatabase db = MakeClubDatabase(details, name);
            m_probeFailure = db.open() ? QString() : StatusOfError(db.lastError()).message;
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    connect(m_probe, &QThread::finished, this, &ClubSession::probeFinished);
    m_probe->start();
}

void ClubSession::probeFinished()
{
    m_probe->wait();
    delete std::exchange(m_probe, nullptr);
    m_connecting = false;
    const QString failure = m_probeFailure.isEmpty() ? openAndListen() : m_probeFailure;
    if (!failure.isEmpty()) {
        goOffline(failure);
        return;
    }
    m_state = State::Online;
    m_attempt = 0;
    m_statusText = QStringLiteral("已连接 %1（%2%3）")
                       .arg(m_details.describe(), m_identity.displayName,
                            m_identity.organiser ? QStringLiteral("，组织者") : QString());
    m_heartbeat.start();
    emit stateChanged();
    flushQueue();
    if (!isOnline())
        return;
    // What happened while away is news too: races, results, and where everyone stands.
    emit racesChanged();
    QVector<ProgressNote> standing;
    {
        QSqlDatabase db = database();
        standing = OpenRaceProgress(db);
    }
    for (const ProgressNote &n : standing)
        emit progressReceived(n.raceId, n.member, n.characters);
}

QString ClubSession::openAndListen()
{
    // A new driver each time: the old one's socket and subscriptions died with the server.
    dropConnection();
    QSqlDatabase db = MakeClubDatabase(m_details, m_connectionName);
    if (!db.open())
        return StatusOfError(db.lastError()).message;
    const int version = ClubSchemaVersion(db);
    if (version < 0)
        return QStringLiteral("无法读取班级数据库。");
    // The database's owner creates and upgrades the schema (quorvel --club-setup), not a desk.
    if (version < ClubSchemaSteps())
        return version == 0 ? QStringLiteral("这个数据库还不是班级数据库，请让管理员运行 quorvel --club-setup。")
                            : QStringLiteral("班级数据库需要升级，请让管理员运行 quorvel --club-setup。");
    ClubStatus status;
    m_identity = ReadIdentity(db, &status);
    if (!status.ok())
        return status.message;
    for (const char *channel : {kProgressChannel, kResultsChannel, kRacesChannel})
        db.driver()->subscribeToNotification(QString::fromLatin1(channel));
    connect(db.driver(), &QSqlDriver::notification, this, &ClubSession::onNotification);
    return QString();
}

void ClubSession::goOffline(const QString &why)
{
    m_state = State::Offline;
    m_heartbeat.stop();
    dropConnection();
    m_statusText = why;
    m_retry.start(ReconnectDelayMs(m_attempt++));
    emit stateChanged(); // the message may differ between attempts too
}

ClubStatus ClubSession::note(const ClubStatus &status)
{
    if (status.failure == ClubFailure::Unreachable && isOnline())
        goOffline(status.message);
    return status;
}

ClubStatus ClubSession::submit(const ClubResult &result)
{
    const QString error = m_queue.add(result);
    if (!error.isEmpty())
        return ClubStatus::failed(ClubFailure::Other, error);
    if (isOnline())
        flushQueue();
    emit stateChanged();
    return {};
}

void ClubSession::flushQueue()
{
    if (!isOnline() || m_queue.pending().isEmpty())
        return;
    ResultQueue::Flush flush;
    {
        QSqlDatabase db = database();
        flush = m_queue.submitTo(db);
    }
    for (const QString &rejected : flush.rejected)
        emit problem(QStringLiteral("一条成绩被服务器拒绝，已从待提交中去掉：%1").arg(rejected));
    if (!flush.status.ok() && flush.status.failure != ClubFailure::Unreachable)
        emit problem(flush.status.message);
    note(flush.status);
    emit stateChanged();
}

void ClubSession::sendProgress(qint64 raceId, int characters)
{
    if (!isOnline())
        return;
    ClubStatus status;
    {
        QSqlDatabase db = database();
        status = SendProgress(db, raceId, characters);
    }
    note(status);
}

void ClubSession::checkAlive()
{
    if (!isOnline())
        return;
    ClubStatus status;
    {
        QSqlQuery q(database());
        if (!q.exec(QStringLiteral("SELECT 1")))
            status = StatusOfError(q.lastError());
    }
    note(status);
    flushQueue();
}

void ClubSession::onNotification(const QString &channel, QSqlDriver::NotificationSource, const QVariant &payload)
{
    if (channel == QLatin1String(kProgressChannel)) {
        const ProgressNote n = ParseProgress(payload.toString());
        if (n.valid)
            emit progressReceived(n.raceId, n.member, n.characters);
    } else if (channel == QLatin1String(kResultsChannel)) {
        emit resultsChanged(payload.toString().toLongLong());
    } else if (channel == QLatin1String(kRacesChannel)) {
        emit racesChanged();
    }
}
