#pragma once
// One learner's connection to the club server, kept alive: it connects,
// listens for live progress, results and races, submits queued results, and
// when the server goes away it works offline and tries again after 1, 2,
// 4 ... up to 30 seconds. Everything runs in the thread that owns it.
#include "club/ClubConnection.h"
#include "club/ClubDatabase.h"
#include "club/ResultQueue.h"

#include <QObject>
#include <QSqlDriver>
#include <QTimer>

class QThread;

// Milliseconds before reconnect attempt `attempt` (0 for the first retry).
int ReconnectDelayMs(int attempt);

class ClubSession : public QObject {
    Q_OBJECT
public:
    enum class State { Offline, Online };

    ClubSession(const ClubConnectionDetails &details, const QString &queuePath, QObject *parent = nullptr);
    ~ClubSession() override;

    // Connects now (in the background: stateChanged tells the outcome); on
    // failure retries on its own.
    void start();
    bool isConnecting() const { return m_connecting; }
    State state() const { return m_state; }
    bool isOnline() const { return m_state == State::Online; }
    // Why the session is offline, or whom it is connected as.
    QString statusText() const { return m_statusText; }
    const ClubIdentity &identity() const { return m_identity; }
    const ClubConnectionDetails &details() const { return m_details; }
    int pendingResults() const { return int(m_queue.pending().size()); }
    // Milliseconds until the next attempt while offline.
    int retryInMs() const { return m_retry.isActive() ? m_retry.remainingTime() : 0; }

    // Queues the result in the file, then submits whatever is queued when online.
    ClubStatus submit(const ClubResult &result);
    // Live progress; dropped when offline (only the final result counts).
    void sendProgress(qint64 raceId, int characters);

    // A failure of an operation through database(): Unreachable takes the
    // session offline. Returns `status` for chaining.
    ClubStatus note(const ClubStatus &status);
    // The open connection, for the operations of ClubDatabase.h; check isOnline() first.
    QSqlDatabase database() const;

signals:
    void stateChanged();
    void progressReceived(qint64 raceId, const QString &member, int characters);
    void resultsChanged(qint64 raceId);
    void racesChanged();
    // Results the server refused for good, and other problems worth showing.
    void problem(const QString &message);

private:
    void tryConnect();
    void probeFinished();
    void dropConnection();
    // Opens a fresh connection and subscribes; why not, else empty.
    QString openAndListen();
    void goOffline(const QString &why);
    void flushQueue();
    void checkAlive();
    void onNotification(const QString &channel, QSqlDriver::NotificationSource source, const QVariant &payload);

    ClubConnectionDetails m_details;
    QString m_connectionName;
    ResultQueue m_queue;
    State m_state = State::Offline;
    QString m_statusText;
    ClubIdentity m_identity;
    QTimer m_retry;
    QTimer m_heartbeat;
    int m_attempt = 0;
    QThread *m_probe = nullptr;
    QString m_probeFailure; // written by the probe thread, read once it has finished
    bool m_connecting = false;
};
