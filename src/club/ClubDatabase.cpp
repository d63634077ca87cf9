#include "club/ClubDatabase.h"

#include "practice/TypingRun.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
template <typename T>
QVariant optionalValue(const std::optional<T> &value)
{
    return value ? QVariant::fromValue(*value) : QVariant(QMetaType::fromType<T>());
}

ClubStatus execBound(QSqlQuery &q)
{
    return q.exec() ? ClubStatus{} : StatusOfError(q.lastError());
}

void setStatus(ClubStatus *out, const ClubStatus &status)
{
    if (out)
        *out = status;
}

QString permissionMessage()
{
    return QStringLiteral("没有权限：你的登录名在班级数据库里没有这个角色（只有组织者能发布文章和开赛，成绩只能交自己的）。");
}
} // namespace

ClubResult ResultFromRun(const RunFigures &figures, qint64 raceId, const QString &member, const QDateTime &finishedAt)
{
    ClubResult r;
    r.submission = QUuid::createUuid();
    r.raceId = raceId;
    r.member = member;
    r.speed = figures.speed();
    r.characters = figures.characters;
    r.errors = qBound(0, figures.errors, figures.characters);
    r.accuracy = figures.characters > 0 ? 100.0 * (figures.characters - r.errors) / figures.characters : 0.0;
    r.durationSeconds = figures.elapsedSeconds;
    r.finishedAt = finishedAt;
    return r;
}

ClubStatus StatusOfError(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    // libpq's first line says what failed; the rest are hints in English.
    const QString detail = (error.databaseText().isEmpty() ? error.driverText() : error.databaseText())
                               .trimmed()
                               .section(QLatin1Char('\n'), 0, 0);
    // Every error the server reports carries an SQLSTATE; none means the
    // connection itself failed. Class 08 and 57P0x are connections refused or cut.
    if (error.type() == QSqlError::ConnectionError || code.isEmpty() || code.startsWith(QLatin1String("08"))
        || code.startsWith(QLatin1String("57P")))
        return ClubStatus::failed(ClubFailure::Unreachable,
                                  QStringLiteral("连不上班级服务器：%1").arg(detail.trimmed()));
    if (code == QLatin1String("42501"))
        return ClubStatus::failed(ClubFailure::PermissionDenied, permissionMessage());
    if (code.startsWith(QLatin1String("23")) || code.startsWith(QLatin1String("22")))
        return ClubStatus::failed(ClubFailure::Refused, QStringLiteral("服务器拒绝了这些数据：%1").arg(detail.trimmed()));
    if (code == QLatin1String("28000") || code == QLatin1String("28P01"))
        return ClubStatus::failed(ClubFailure::PermissionDenied,
                                  QStringLiteral("服务器不接受这个登录名：%1").arg(detail.trimmed()));
    return ClubStatus::failed(ClubFailure::Other, QStringLiteral("班级服务器出错：%1").arg(detail.trimmed()));
}

ClubIdentity ReadIdentity(QSqlDatabase &db, ClubStatus *status)
{
    ClubIdentity who;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT current_user::text, m.display_name, "
                             "pg_has_role(current_user, 'club_organiser', 'MEMBER') "
                             "FROM (SELECT 1) AS one LEFT JOIN members m ON m.login = current_user"));
    const ClubStatus s = execBound(q);
    setStatus(status, s);
    if (s.ok() && q.next()) {
        who.login = q.value(0).toString();
        who.displayName = q.value(1).isNull() ? who.login : q.value(1).toString();
        who.organiser = q.value(2).toBool();
    }
    return who;
}

ClubStatus PostPassage(QSqlDatabase &db, const QString &title, const QString &body, qint64 *id)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO passages (title, body) VALUES (:title, :body) RETURNING id"));
    q.bindValue(QStringLiteral(":title"), title);
    q.bindValue(QStringLiteral(":body"), body);
    const ClubStatus s = execBound(q);
    if (s.ok() && id && q.next())
        *id = q.value(0).toLongLong();
    return s;
}

ClubStatus OpenRace(QSqlDatabase &db, qint64 passageId, const QString &title, qint64 *id)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO races (passage_id, title) VALUES (:passage, :title) RETURNING id"));
    q.bindValue(QStringLiteral(":passage"), passageId);
    q.bindValue(QStringLiteral(":title"), title);
    const ClubStatus s = execBound(q);
    if (s.ok() && id && q.next())
        *id = q.value(0).toLongLong();
    return s;
}

ClubStatus CloseRace(QSqlDatabase &db, qint64 raceId)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE races SET is_open = false, closed_at = now() WHERE id = :race AND is_open"));
    q.bindValue(QStringLiteral(":race"), raceId);
    return execBound(q);
}

ClubStatus AddMember(QSqlDatabase &db, const QString &login, const QString &displayName, const QString &className,
                     bool organiser)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO members (login, display_name, class_name, role) "
                             "VALUES (:login, :name, :class, :role) ON CONFLICT (login) DO UPDATE "
                             "SET display_name = EXCLUDED.display_name, class_name = EXCLUDED.class_name, "
                             "role = EXCLUDED.role"));
    q.bindValue(QStringLiteral(":login"), login);
    q.bindValue(QStringLiteral(":name"), displayName);
    // A null QString binds as SQL NULL; no class is an empty one.
    q.bindValue(QStringLiteral(":class"), className.isNull() ? QStringLiteral("") : className);
    q.bindValue(QStringLiteral(":role"), organiser ? QStringLiteral("organiser") : QStringLiteral("member"));
    return execBound(q);
}

QVector<ClubPassage> Passages(QSqlDatabase &db, ClubStatus *status)
{
    QVector<ClubPassage> out;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT id, title FROM passages ORDER BY posted_at DESC, id DESC LIMIT 200"));
    const ClubStatus s = execBound(q);
    setStatus(status, s);
    while (s.ok() && q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString(), QString()});
    return out;
}

QVector<ClubRace> OpenRaces(QSqlDatabase &db, ClubStatus *status)
{
    QVector<ClubRace> out;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT r.id, r.passage_id, r.title, r.is_open, length(translate(p.body, E'\\r\\n', '')) "
                             "FROM races r JOIN passages p ON p.id = r.passage_id "
                             "WHERE r.is_open ORDER BY r.opened_at DESC, r.id DESC"));
    const ClubStatus s = execBound(q);
    setStatus(status, s);
    while (s.ok() && q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(), q.value(3).toBool(),
                    q.value(4).toInt()});
    return out;
}

ClubPassage RacePassage(QSqlDatabase &db, qint64 raceId, ClubStatus *status)
{
    ClubPassage p;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT p.id, r.title, p.body FROM races r JOIN passages p ON p.id = r.passage_id "
                             "WHERE r.id = :race"));
    q.bindValue(QStringLiteral(":race"), raceId);
    ClubStatus s = execBound(q);
    if (s.ok() && q.next())
        p = {q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()};
    else if (s.ok())
        s = ClubStatus::failed(ClubFailure::Refused, QStringLiteral("这场比赛已经不存在了。"));
    setStatus(status, s);
    return p;
}

ClubStatus SubmitResult(QSqlDatabase &db, const ClubResult &r)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO results (submission, race_id, member, speed, accuracy, characters, duration_seconds, errors, "
        "keys_per_second, keys_per_character, ideal_keys_per_character, phrase_share, candidate_picks, corrections, "
        "finished_at) VALUES (CAST(:submission AS uuid), :race, :member, :speed, :accuracy, :characters, :duration, "
        ":errors, :kps, :kpc, :ikpc, :phrases, :picks, :corrections, :finished) "
        "ON CONFLICT (submission) DO NOTHING"));
    q.bindValue(QStringLiteral(":submission"), r.submission.toString(QUuid::WithoutBraces));
    q.bindValue(QStringLiteral(":race"), r.raceId);
    q.bindValue(QStringLiteral(":member"), r.member);
    q.bindValue(QStringLiteral(":speed"), r.speed);
    q.bindValue(QStringLiteral(":accuracy"), r.accuracy);
    q.bindValue(QStringLiteral(":characters"), r.characters);
    q.bindValue(QStringLiteral(":duration"), r.durationSeconds);
    q.bindValue(QStringLiteral(":errors"), r.errors);
    q.bindValue(QStringLiteral(":kps"), optionalValue(r.keysPerSecond));
    q.bindValue(QStringLiteral(":kpc"), optionalValue(r.keysPerCharacter));
    q.bindValue(QStringLiteral(":ikpc"), optionalValue(r.idealKeysPerCharacter));
    q.bindValue(QStringLiteral(":phrases"), optionalValue(r.phraseShare));
    q.bindValue(QStringLiteral(":picks"), optionalValue(r.candidatePicks));
    q.bindValue(QStringLiteral(":corrections"), optionalValue(r.corrections));
    q.bindValue(QStringLiteral(":finished"), r.finishedAt.toUTC());
    return execBound(q);
}

ClubStatus SendProgress(QSqlDatabase &db, qint64 raceId, int characters)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO progress (race_id, characters) VALUES (:race, :characters) "
                             "ON CONFLICT (race_id, member) DO UPDATE "
                             "SET characters = EXCLUDED.characters, updated_at = now()"));
    q.bindValue(QStringLiteral(":race"), raceId);
    q.bindValue(QStringLiteral(":characters"), qMax(0, characters));
    return execBound(q);
}

QVector<RankingRow> Ranking(QSqlDatabase &db, qint64 raceId, ClubStatus *status)
{
    QVector<RankingRow> rows;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT b.member, coalesce(m.display_name, b.member), r.speed, r.accuracy, r.characters, "
        "r.duration_seconds, r.errors FROM race_best b JOIN results r ON r.id = b.result_id "
        "LEFT JOIN members m ON m.login = b.member WHERE b.race_id = :race "
        "ORDER BY b.speed DESC, b.accuracy DESC, b.submitted_at, b.member"));
    q.bindValue(QStringLiteral(":race"), raceId);
    const ClubStatus s = execBound(q);
    setStatus(status, s);
    while (s.ok() && q.next()) {
        RankingRow row;
        row.rank = int(rows.size()) + 1;
        row.member = q.value(0).toString();
        row.displayName = q.value(1).toString();
        row.speed = q.value(2).toInt();
        row.accuracy = q.value(3).toDouble();
        row.characters = q.value(4).toInt();
        row.durationSeconds = q.value(5).toInt();
        row.errors = q.value(6).toInt();
        rows.append(row);
    }
    return rows;
}

ProgressNote ParseProgress(const QString &payload)
{
    ProgressNote note;
    const qsizetype first = payload.indexOf(QLatin1Char(' '));
    const qsizetype second = first < 0 ? -1 : payload.indexOf(QLatin1Char(' '), first + 1);
    if (second < 0)
        return note;
    bool raceOk = false, countOk = false;
    note.raceId = payload.left(first).toLongLong(&raceOk);
    note.characters = payload.mid(first + 1, second - first - 1).toInt(&countOk);
    note.member = payload.mid(second + 1);
    note.valid = raceOk && countOk && !note.member.isEmpty();
    return note;
}

QVector<ProgressNote> OpenRaceProgress(QSqlDatabase &db, ClubStatus *status)
{
    QVector<ProgressNote> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT p.race_id, p.characters, p.member FROM progress p "
                             "JOIN races r ON r.id = p.race_id WHERE r.is_open"));
    const ClubStatus s = execBound(q);
    setStatus(status, s);
    while (s.ok() && q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toString(), true});
    return out;
}

QHash<QString, QString> MemberNames(QSqlDatabase &db, ClubStatus *status)
{
    QHash<QString, QString> names;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT login, display_name FROM members"));
    const ClubStatus s = execBound(q);
    setStatus(status, s);
    while (s.ok() && q.next())
        names.insert(q.value(0).toString(), q.value(1).toString());
    return names;
}
