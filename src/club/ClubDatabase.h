#pragma once
// The operations on an open club database. Every value goes in as a bound
// parameter; a failure comes back as a ClubStatus with a message for the
// learner.
#include "club/ClubTypes.h"

#include <QHash>
#include <QVector>

class QSqlDatabase;
class QSqlError;

// The failure a driver error stands for: a broken or refused connection is
// Unreachable, SQLSTATE 42501 (and a row-level security refusal)
// PermissionDenied, a check or reference violation Refused.
ClubStatus StatusOfError(const QSqlError &error);

struct ClubIdentity {
    QString login;
    QString displayName; // the login when the club does not list the member
    bool organiser = false;
};
ClubIdentity ReadIdentity(QSqlDatabase &db, ClubStatus *status = nullptr);

// Organiser.
ClubStatus PostPassage(QSqlDatabase &db, const QString &title, const QString &body, qint64 *id = nullptr);
ClubStatus OpenRace(QSqlDatabase &db, qint64 passageId, const QString &title, qint64 *id = nullptr);
ClubStatus CloseRace(QSqlDatabase &db, qint64 raceId);
ClubStatus AddMember(QSqlDatabase &db, const QString &login, const QString &displayName, const QString &className,
                     bool organiser);
QVector<ClubPassage> Passages(QSqlDatabase &db, ClubStatus *status = nullptr); // titles only, newest first

// Everyone.
QVector<ClubRace> OpenRaces(QSqlDatabase &db, ClubStatus *status = nullptr);
ClubPassage RacePassage(QSqlDatabase &db, qint64 raceId, ClubStatus *status = nullptr);
// Stores the result once: a submission already stored is a success.
ClubStatus SubmitResult(QSqlDatabase &db, const ClubResult &result);
// The member's typed count in the race, sent to everyone listening.
ClubStatus SendProgress(QSqlDatabase &db, qint64 raceId, int characters);
// Each member's best result (speed, then accuracy, then the earliest), once
// each, fastest first.
QVector<RankingRow> Ranking(QSqlDatabase &db, qint64 raceId, ClubStatus *status = nullptr);

// Display names by login.
QHash<QString, QString> MemberNames(QSqlDatabase &db, ClubStatus *status = nullptr);

// The notification channels and the parsing of a progress payload.
inline const char *const kProgressChannel = "club_progress";
inline const char *const kResultsChannel = "club_results";
inline const char *const kRacesChannel = "club_races";
struct ProgressNote {
    qint64 raceId = 0;
    int characters = 0;
    QString member;
    bool valid = false;
};
ProgressNote ParseProgress(const QString &payload);
// Where every member stands in the open races, for a client that was away.
QVector<ProgressNote> OpenRaceProgress(QSqlDatabase &db, ClubStatus *status = nullptr);
