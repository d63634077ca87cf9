#pragma once
// Results waiting for the club server, kept in a file of the user's data
// folder so that a run finished offline (or just before the program closed)
// is submitted later. Each result keeps its submission id, so handing it in
// again after a lost answer stores it once.
#include "club/ClubTypes.h"

class QSqlDatabase;

class ResultQueue {
public:
    explicit ResultQueue(QString path);

    // Reads the file; a missing file is an empty queue. Returns a message when
    // the file could not be read (it is then left as it is, not overwritten).
    QString load();
    const QVector<ClubResult> &pending() const { return m_pending; }
    // Adds the result and writes the file atomically; a message when it could not be written.
    QString add(const ClubResult &result);

    struct Flush {
        int submitted = 0;
        ClubStatus status; // the failure that stopped it
        QStringList rejected; // results the server refused for good, dropped with their reason
    };
    // Submits in order; a result leaves the queue once the server has it.
    // Stops at the first connection failure and keeps the rest.
    Flush submitTo(QSqlDatabase &db);

private:
    QString save();

    QString m_path;
    QVector<ClubResult> m_pending;
    bool m_loadFailed = false;
};

// The queue file in the user's data folder.
QString ResultQueuePath(const QString &userDataDir);
