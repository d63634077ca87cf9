#pragma once
// What a club database holds as the program sees it: races, passages, results,
// ranking rows, and the outcome of an operation on the server.
#include <QDateTime>
#include <QString>
#include <QUuid>
#include <QVector>
#include <optional>

struct RunFigures;

// Why an operation on the club server did not happen.
enum class ClubFailure {
    None,
    Unreachable,      // no connection, or it broke: worth trying again later
    PermissionDenied, // the login's role does not allow it
    Refused,          // the server refused the data (a check, a missing race)
    Other,
};

struct ClubStatus {
    ClubFailure failure = ClubFailure::None;
    QString message; // in the program's language; empty when ok
    bool ok() const { return failure == ClubFailure::None; }
    static ClubStatus failed(ClubFailure failure, const QString &message) { return {failure, message}; }
};

struct ClubPassage {
    qint64 id = 0;
    QString title;
    QString body;
};

struct ClubRace {
    qint64 id = 0;
    qint64 passageId = 0;
    QString title;
    bool open = true;
    int passageLength = 0; // characters of the passage
};

// One finished run in a race. The composer's figures are absent for runs
// typed through a system input method.
struct ClubResult {
    QUuid submission; // made by the client: submitting twice stores it once
    qint64 raceId = 0;
    QString member;   // the login that typed it
    int speed = 0;    // characters a minute
    double accuracy = 0; // percent
    int characters = 0;
    int durationSeconds = 0;
    int errors = 0;
    std::optional<double> keysPerSecond;
    std::optional<double> keysPerCharacter;
    std::optional<double> idealKeysPerCharacter;
    std::optional<double> phraseShare;
    std::optional<int> candidatePicks;
    std::optional<int> corrections;
    QDateTime finishedAt;
};

// A result made from a run's figures, with a new submission id.
ClubResult ResultFromRun(const RunFigures &figures, qint64 raceId, const QString &member, const QDateTime &finishedAt);

// A member's best result in a race.
struct RankingRow {
    int rank = 0;
    QString member;
    QString displayName;
    int speed = 0;
    double accuracy = 0;
    int characters = 0;
    int durationSeconds = 0;
    int errors = 0;
};
