#include "club/ClubSchema.h"

#include "club/ClubDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

namespace {
// Serialises migrations of one database between clients.
constexpr qint64 kMigrationLock = 0x5175C1B;

using Step = std::vector<const char *>;

// APPEND new steps at the end; a step that shipped is never changed.
const std::vector<Step> &steps()
{
    static const std::vector<Step> all{
        {
            // Roles are shared by the databases of one server: made only when missing.
            R"(DO $$BEGIN
                 IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'club_organiser') THEN
                   CREATE ROLE club_organiser NOLOGIN;
                 END IF;
                 IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'club_member') THEN
                   CREATE ROLE club_member NOLOGIN;
                 END IF;
               END$$)",
            R"(CREATE TABLE members (
                 login text PRIMARY KEY CHECK (length(login) BETWEEN 1 AND 63),
                 display_name text NOT NULL CHECK (length(display_name) BETWEEN 1 AND 40),
                 class_name text NOT NULL DEFAULT '' CHECK (length(class_name) <= 40),
                 role text NOT NULL DEFAULT 'member' CHECK (role IN ('member', 'organiser')),
                 joined_at timestamptz NOT NULL DEFAULT now()))",
            "CREATE INDEX members_class ON members (class_name, login)",
            R"(CREATE TABLE passages (
                 id bigserial PRIMARY KEY,
                 title text NOT NULL CHECK (length(title) BETWEEN 1 AND 40),
                 body text NOT NULL CHECK (length(body) BETWEEN 1 AND 20000),
                 posted_by text NOT NULL DEFAULT current_user,
                 posted_at timestamptz NOT NULL DEFAULT now()))",
            R"(CREATE TABLE races (
                 id bigserial PRIMARY KEY,
                 passage_id bigint NOT NULL REFERENCES passages (id),
                 title text NOT NULL CHECK (length(title) BETWEEN 1 AND 40),
                 is_open boolean NOT NULL DEFAULT true,
                 opened_by text NOT NULL DEFAULT current_user,
                 opened_at timestamptz NOT NULL DEFAULT now(),
                 closed_at timestamptz))",
            "CREATE INDEX races_open ON races (opened_at DESC) WHERE is_open",
            R"(CREATE TABLE results (
                 id bigserial PRIMARY KEY,
                 submission uuid NOT NULL UNIQUE,
                 race_id bigint NOT NULL REFERENCES races (id),
                 member text NOT NULL DEFAULT current_user REFERENCES members (login),
                 speed integer NOT NULL CHECK (speed >= 0),
                 accuracy real NOT NULL CHECK (accuracy BETWEEN 0 AND 100),
                 characters integer NOT NULL CHECK (characters >= 0),
                 duration_seconds integer NOT NULL CHECK (duration_seconds >= 0),
                 errors integer NOT NULL CHECK (errors >= 0),
                 keys_per_second real,
                 keys_per_character real,
                 ideal_keys_per_character real,
                 phrase_share real,
                 candidate_picks integer,
                 corrections integer,
                 finished_at timestamptz NOT NULL,
                 submitted_at timestamptz NOT NULL DEFAULT now()))",
            // The ranking reads each member's best run of a race straight off this index.
            "CREATE INDEX results_ranking ON results (race_id, member, speed DESC, accuracy DESC, submitted_at)",
            "CREATE INDEX results_member ON results (member, submitted_at DESC)",
            R"(CREATE TABLE progress (
                 race_id bigint NOT NULL REFERENCES races (id) ON DELETE CASCADE,
                 member text NOT NULL DEFAULT current_user REFERENCES members (login),
                 characters integer NOT NULL CHECK (characters >= 0),
                 updated_at timestamptz NOT NULL DEFAULT now(),
                 PRIMARY KEY (race_id, member)))",
            // Live progress reaches every listening member as "race characters member".
            R"(CREATE FUNCTION club_progress_notify() RETURNS trigger LANGUAGE plpgsql AS $$
               BEGIN
                 PERFORM pg_notify('club_progress', NEW.race_id || ' ' || NEW.characters || ' ' || NEW.member);
                 RETURN NULL;
               END$$)",
            "CREATE TRIGGER progress_notify AFTER INSERT OR UPDATE ON progress "
            "FOR EACH ROW EXECUTE FUNCTION club_progress_notify()",
            R"(CREATE FUNCTION club_result_notify() RETURNS trigger LANGUAGE plpgsql AS $$
               BEGIN
                 PERFORM pg_notify('club_results', NEW.race_id::text);
                 RETURN NULL;
               END$$)",
            "CREATE TRIGGER result_notify AFTER INSERT ON results FOR EACH ROW EXECUTE FUNCTION club_result_notify()",
            R"(CREATE FUNCTION club_race_notify() RETURNS trigger LANGUAGE plpgsql AS $$
               BEGIN
                 PERFORM pg_notify('club_races', NEW.id::text);
                 RETURN NULL;
               END$$)",
            "CREATE TRIGGER race_notify AFTER INSERT OR UPDATE ON races FOR EACH ROW EXECUTE FUNCTION club_race_notify()",
            // Rights: the organiser manages members, passages and races; every
            // member reads everything and adds only rows of their own.
            "REVOKE ALL ON members, passages, races, results, progress, schema_version FROM PUBLIC",
            "GRANT SELECT ON members, passages, races, results, progress, schema_version TO club_member, club_organiser",
            "GRANT INSERT, UPDATE, DELETE ON members, passages, races TO club_organiser",
            "GRANT INSERT ON results TO club_member, club_organiser",
            "GRANT INSERT, UPDATE ON progress TO club_member, club_organiser",
            "GRANT DELETE ON progress TO club_organiser",
            "GRANT USAGE ON SEQUENCE passages_id_seq, races_id_seq TO club_organiser",
            "GRANT USAGE ON SEQUENCE results_id_seq TO club_member, club_organiser",
            "ALTER TABLE results ENABLE ROW LEVEL SECURITY",
            "CREATE POLICY results_read ON results FOR SELECT USING (true)",
            "CREATE POLICY results_own ON results FOR INSERT WITH CHECK (member = current_user)",
            "ALTER TABLE progress ENABLE ROW LEVEL SECURITY",
            "CREATE POLICY progress_read ON progress FOR SELECT USING (true)",
            "CREATE POLICY progress_own ON progress FOR INSERT WITH CHECK (member = current_user)",
            "CREATE POLICY progress_own_update ON progress FOR UPDATE USING (member = current_user) "
            "WITH CHECK (member = current_user)",
            "CREATE POLICY progress_clear ON progress FOR DELETE TO club_organiser USING (true)",
        },
        {
            // Each member's best result of a race, kept up to date on every
            // insert, so that a ranking reads one row per member however many
            // tries there were.
            R"(CREATE TABLE race_best (
                 race_id bigint NOT NULL REFERENCES races (id),
                 member text NOT NULL,
                 result_id bigint NOT NULL REFERENCES results (id),
                 speed integer NOT NULL,
                 accuracy real NOT NULL,
                 submitted_at timestamptz NOT NULL,
                 PRIMARY KEY (race_id, member)))",
            "CREATE INDEX race_best_rank ON race_best (race_id, speed DESC, accuracy DESC, submitted_at, member)",
            "REVOKE ALL ON race_best FROM PUBLIC",
            "GRANT SELECT ON race_best TO club_member, club_organiser",
            // Runs with its owner's rights: members cannot write race_best themselves.
            R"(CREATE FUNCTION club_keep_best() RETURNS trigger LANGUAGE plpgsql
               SECURITY DEFINER SET search_path = public, pg_temp AS $$
               BEGIN
                 INSERT INTO race_best AS b (race_id, member, result_id, speed, accuracy, submitted_at)
                 VALUES (NEW.race_id, NEW.member, NEW.id, NEW.speed, NEW.accuracy, NEW.submitted_at)
                 ON CONFLICT (race_id, member) DO UPDATE
                   SET result_id = EXCLUDED.result_id, speed = EXCLUDED.speed,
                       accuracy = EXCLUDED.accuracy, submitted_at = EXCLUDED.submitted_at
                   WHERE (EXCLUDED.speed, EXCLUDED.accuracy) > (b.speed, b.accuracy);
                 RETURN NULL;
               END$$)",
            "REVOKE ALL ON FUNCTION club_keep_best() FROM PUBLIC",
            "CREATE TRIGGER result_keep_best AFTER INSERT ON results FOR EACH ROW EXECUTE FUNCTION club_keep_best()",
            "INSERT INTO race_best (race_id, member, result_id, speed, accuracy, submitted_at) "
            "SELECT DISTINCT ON (race_id, member) race_id, member, id, speed, accuracy, submitted_at FROM results "
            "ORDER BY race_id, member, speed DESC, accuracy DESC, submitted_at",
        },
    };
    return all;
}

ClubStatus run(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        return StatusOfError(q.lastError());
    return {};
}

ClubStatus applySteps(QSqlDatabase &db)
{
    QSqlQuery lock(db);
    lock.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(:key)"));
    lock.bindValue(QStringLiteral(":key"), kMigrationLock);
    if (!lock.exec())
        return StatusOfError(lock.lastError());
    ClubStatus status;
    const int from = ClubSchemaVersion(db);
    if (from == 0 && !(status = run(db, QStringLiteral("CREATE TABLE schema_version (version integer NOT NULL)"))).ok())
        return status;
    if (from < 0)
        return ClubStatus::failed(ClubFailure::Other, QStringLiteral("无法读取班级数据库的版本。"));
    const int to = ClubSchemaSteps();
    for (int i = from; i < to; ++i)
        for (const char *sql : steps()[size_t(i)])
            if (!(status = run(db, QString::fromUtf8(sql))).ok())
                return status;
    if (from == to)
        return {};
    if (!(status = run(db, QStringLiteral("DELETE FROM schema_version"))).ok())
        return status;
    QSqlQuery mark(db);
    mark.prepare(QStringLiteral("INSERT INTO schema_version (version) VALUES (:version)"));
    mark.bindValue(QStringLiteral(":version"), to);
    return mark.exec() ? ClubStatus{} : StatusOfError(mark.lastError());
}
} // namespace

int ClubSchemaSteps()
{
    return int(steps().size());
}

int ClubSchemaVersion(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT to_regclass('schema_version') IS NOT NULL")) || !q.next())
        return -1;
    if (!q.value(0).toBool())
        return 0;
    if (!q.exec(QStringLiteral("SELECT coalesce(max(version), 0) FROM schema_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

ClubStatus MigrateClubSchema(QSqlDatabase &db)
{
    if (!db.transaction())
        return StatusOfError(db.lastError());
    const ClubStatus status = applySteps(db);
    if (!status.ok()) {
        db.rollback();
        return status;
    }
    if (!db.commit())
        return StatusOfError(db.lastError());
    return {};
}
