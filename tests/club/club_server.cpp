// The club database against a real PostgreSQL server started for the test:
// a race of forty members at once, the server restarted mid-race, the rights
// of a member, and values full of SQL meta-characters.
#include "app/CommandLine.h"
#include "club/ClubConnection.h"
#include "club/ClubDatabase.h"
#include "club/ClubInput.h"
#include "club/ClubSchema.h"
#include "club/ClubSession.h"
#include "club/ResultQueue.h"
#include "support/ClubTestServer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>
#include <vector>

namespace {
constexpr int kMembers = 40;

QString memberLogin(int i)
{
    return QStringLiteral("m%1").arg(i, 2, 10, QLatin1Char('0'));
}

ClubResult result(qint64 race, const QString &member, int speed)
{
    ClubResult r;
    r.submission = QUuid::createUuid();
    r.raceId = race;
    r.member = member;
    r.speed = speed;
    r.accuracy = 97.5;
    r.characters = 120;
    r.durationSeconds = 60;
    r.errors = 3;
    r.finishedAt = QDateTime::currentDateTimeUtc();
    return r;
}
} // namespace

class ClubServerTest : public QObject {
    Q_OBJECT
private:
    // Runs `sql` as the cluster's superuser (names below are the test's own).
    void admin(const QString &sql)
    {
        QSqlQuery q(m_server.admin());
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text() + QLatin1Char('\n') + sql));
    }

    qint64 countOf(const QString &sql, qint64 race)
    {
        QSqlQuery q(m_server.admin());
        q.prepare(sql);
        q.bindValue(QStringLiteral(":race"), race);
        if (!q.exec() || !q.next())
            return -1;
        return q.value(0).toLongLong();
    }

    qint64 openRace(const QString &title)
    {
        qint64 passage = 0, race = 0;
        {
            QSqlDatabase db = MakeClubDatabase(m_server.as(QStringLiteral("teacher")), QStringLiteral("organiser"));
            if (!db.open() || !PostPassage(db, title, QStringLiteral("春眠不觉晓，处处闻啼鸟。"), &passage).ok()
                || !OpenRace(db, passage, title, &race).ok())
                race = 0;
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("organiser"));
        return race;
    }

    ClubTestServer m_server;
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.startWithAdmin(), qPrintable(m_server.error()));
        QSqlDatabase db = m_server.admin();
        QCOMPARE(ClubSchemaVersion(db), 0);
        const ClubStatus migrated = MigrateClubSchema(db);
        QVERIFY2(migrated.ok(), qPrintable(migrated.message));
        QCOMPARE(ClubSchemaVersion(db), ClubSchemaSteps());
        QVERIFY(MigrateClubSchema(db).ok()); // a second run finds nothing to do
        QVERIFY2(m_server.addMember(QStringLiteral("teacher"), QStringLiteral("王老师"), QStringLiteral("三（2）班"), true),
                 qPrintable(m_server.error()));
        // Display names with quotes and semicolons go in bound, unchanged.
        for (int i = 1; i <= kMembers; ++i)
            QVERIFY2(m_server.addMember(memberLogin(i), QStringLiteral("O'Neil; \"%1\" --").arg(i), QStringLiteral("三（2）班"), false),
                     qPrintable(m_server.error()));
    }

    void cleanupTestCase()
    {
        m_server.closeAdmin();
        QVERIFY(m_server.stop());
    }

    void fortyMembersRaceOnePassage()
    {
        QSqlDatabase teacher = MakeClubDatabase(m_server.as(QStringLiteral("teacher")), QStringLiteral("teacher"));
        QVERIFY(teacher.open());
        const QString title = QStringLiteral("O'Brien; DROP TABLE results;--");
        const QString body = QStringLiteral("它说：'; DELETE FROM results; --\n$1 :race ? \\x00 \"引号\"。");
        qint64 passage = 0, race = 0;
        QVERIFY(PostPassage(teacher, title, body, &passage).ok());
        QVERIFY(OpenRace(teacher, passage, title, &race).ok());
        teacher.close();

        // An observer listens to the live progress of the race.
        ClubSession observer(m_server.as(QStringLiteral("teacher")), m_home.filePath(QStringLiteral("observer.json")));
        QMap<QString, int> lastSeen;
        connect(&observer, &ClubSession::progressReceived, this, [&](qint64 r, const QString &member, int characters) {
            if (r == race)
                lastSeen[member] = characters;
        });
        observer.start();
        QTRY_VERIFY2(observer.isOnline(), qPrintable(observer.statusText()));
        QVERIFY(observer.identity().organiser);

        std::atomic<int> done{0};
        std::atomic<int> failures{0};
        std::vector<std::thread> members;
        for (int i = 1; i <= kMembers; ++i) {
            members.emplace_back([&, i] {
                const QString login = memberLogin(i);
                const QString connection = QStringLiteral("member-") + login;
                {
                    QSqlDatabase db = MakeClubDatabase(m_server.as(login), connection);
                    bool ok = db.open();
                    const ClubPassage got = RacePassage(db, race);
                    ok = ok && got.body == body && got.title == title;
                    for (int typed = 10; typed <= 30; typed += 10)
                        ok = ok && SendProgress(db, race, typed).ok();
                    // The best is handed in twice.
                    ResultQueue queue(m_home.filePath(login + QStringLiteral(".json")));
                    const ClubResult best = result(race, login, 100 + i);
                    // A slower try before or after the best: the ranking keeps the best either way.
                    const ClubResult slower = result(race, login, 50 + i);
                    const ClubResult first = i % 2 ? slower : best, second = i % 2 ? best : slower;
                    ok = ok && queue.add(first).isEmpty() && queue.add(second).isEmpty();
                    ok = ok && queue.submitTo(db).submitted == 2 && queue.pending().isEmpty();
                    ok = ok && SubmitResult(db, best).ok();
                    if (!ok)
                        ++failures;
                    db.close();
                }
                QSqlDatabase::removeDatabase(connection);
                ++done;
            });
        }
        QTRY_COMPARE_WITH_TIMEOUT(done.load(), kMembers, 120000);
        for (std::thread &t : members)
            t.join();
        QCOMPARE(failures.load(), 0);

        QCOMPARE(countOf(QStringLiteral("SELECT count(*) FROM results WHERE race_id = :race"), race), qint64(2 * kMembers));
        QSqlDatabase db = observer.database();
        ClubStatus status;
        const QVector<RankingRow> ranking = Ranking(db, race, &status);
        QVERIFY2(status.ok(), qPrintable(status.message));
        QCOMPARE(ranking.size(), kMembers);
        QSet<QString> ranked;
        for (int k = 0; k < ranking.size(); ++k) {
            const RankingRow &row = ranking[k];
            QCOMPARE(row.rank, k + 1);
            ranked.insert(row.member);
            // The fastest first, and each member's best try only.
            QCOMPARE(row.speed, 100 + kMembers - k);
            QCOMPARE(row.member, memberLogin(kMembers - k));
            QCOMPARE(row.displayName, QStringLiteral("O'Neil; \"%1\" --").arg(kMembers - k));
        }
        QCOMPARE(ranked.size(), kMembers);
        // Every member's last progress reached the observer live.
        QTRY_COMPARE_WITH_TIMEOUT(lastSeen.size(), kMembers, 10000);
        for (auto it = lastSeen.cbegin(); it != lastSeen.cend(); ++it)
            QTRY_COMPARE_WITH_TIMEOUT(lastSeen.value(it.key()), 30, 10000);
    }

    void memberCannotTouchAnothersResult()
    {
        const qint64 race = openRace(QStringLiteral("权限"));
        QVERIFY(race > 0);
        QSqlDatabase own = MakeClubDatabase(m_server.as(memberLogin(3)), QStringLiteral("m03"));
        QVERIFY(own.open());
        QVERIFY(SubmitResult(own, result(race, memberLogin(3), 80)).ok());

        QSqlDatabase other = MakeClubDatabase(m_server.as(memberLogin(2)), QStringLiteral("m02"));
        QVERIFY(other.open());
        QCOMPARE(SubmitResult(other, result(race, memberLogin(3), 999)).failure, ClubFailure::PermissionDenied);
        for (const QString &sql : {QStringLiteral("UPDATE results SET speed = 999 WHERE race_id = :race"),
                                   QStringLiteral("DELETE FROM results WHERE race_id = :race"),
                                   QStringLiteral("UPDATE races SET is_open = false WHERE id = :race")}) {
            QSqlQuery q(other);
            q.prepare(sql);
            q.bindValue(QStringLiteral(":race"), race);
            QVERIFY2(!q.exec(), qPrintable(sql));
            QCOMPARE(StatusOfError(q.lastError()).failure, ClubFailure::PermissionDenied);
        }
        // Another's live progress is out of reach: nothing to update.
        QVERIFY(SendProgress(own, race, 40).ok());
        {
            QSqlQuery progress(other);
            progress.prepare(QStringLiteral("UPDATE progress SET characters = 0 WHERE race_id = :race"));
            progress.bindValue(QStringLiteral(":race"), race);
            QVERIFY(progress.exec());
            QCOMPARE(progress.numRowsAffected(), 0);
        }
        QCOMPARE(PostPassage(other, QStringLiteral("标题"), QStringLiteral("正文")).failure, ClubFailure::PermissionDenied);
        // Reading the ranking is allowed.
        ClubStatus status;
        const QVector<RankingRow> ranking = Ranking(other, race, &status);
        QVERIFY(status.ok());
        QCOMPARE(ranking.size(), 1);
        QCOMPARE(ranking[0].speed, 80);
        other.close();
        own.close();
        QCOMPARE(countOf(QStringLiteral("SELECT max(characters) FROM progress WHERE race_id = :race"), race), qint64(40));
        QCOMPARE(countOf(QStringLiteral("SELECT max(speed) FROM results WHERE race_id = :race"), race), qint64(80));
    }

    void serverRestartedMidRace()
    {
        const qint64 race = openRace(QStringLiteral("断线重连"));
        QVERIFY(race > 0);
        ClubSession observer(m_server.as(QStringLiteral("teacher")), m_home.filePath(QStringLiteral("observer2.json")));
        QMap<QString, int> lastSeen;
        connect(&observer, &ClubSession::progressReceived, this, [&](qint64 r, const QString &member, int characters) {
            if (r == race)
                lastSeen[member] = characters;
        });
        observer.start();
        QTRY_VERIFY(observer.isOnline());

        std::vector<std::unique_ptr<ClubSession>> sessions;
        for (int i = 11; i <= 18; ++i) {
            sessions.push_back(std::make_unique<ClubSession>(m_server.as(memberLogin(i)), m_home.filePath(memberLogin(i) + QStringLiteral("-q.json"))));
            sessions.back()->start();
            QTRY_VERIFY2(sessions.back()->isOnline(), qPrintable(sessions.back()->statusText()));
            sessions.back()->sendProgress(race, 5);
        }
        // One result reached the server but its answer was lost: it is still queued.
        const ClubResult answered = result(race, memberLogin(11), 111);
        {
            QSqlDatabase db = sessions[0]->database();
            QVERIFY(SubmitResult(db, answered).ok());
        }
        QVERIFY(m_server.stop());
        QVERIFY(sessions[0]->submit(answered).ok());
        for (size_t k = 1; k < sessions.size(); ++k)
            QVERIFY(sessions[k]->submit(result(race, memberLogin(11 + int(k)), 100 + int(k))).ok());
        for (auto &s : sessions) {
            QVERIFY(!s->isOnline());
            QCOMPARE(s->pendingResults(), 1);
        }
        // Queued in a file: a program closed now would still have them.
        ResultQueue reread(m_home.filePath(memberLogin(12) + QStringLiteral("-q.json")));
        QVERIFY(reread.load().isEmpty());
        QCOMPARE(reread.pending().size(), 1);
        QCOMPARE(reread.pending()[0].speed, 101);

        QVERIFY2(m_server.resume(), qPrintable(m_server.error()));
        for (auto &s : sessions) {
            QTRY_VERIFY_WITH_TIMEOUT(s->isOnline(), 40000);
            QTRY_COMPARE_WITH_TIMEOUT(s->pendingResults(), 0, 10000);
        }
        m_server.admin().close();
        QVERIFY(m_server.admin().open());
        QCOMPARE(countOf(QStringLiteral("SELECT count(*) FROM results WHERE race_id = :race"), race), qint64(sessions.size()));
        QCOMPARE(countOf(QStringLiteral("SELECT count(DISTINCT member) FROM results WHERE race_id = :race"), race),
                 qint64(sessions.size()));

        // Progress sent while the observer may still be finding the server
        // reaches it, live or when it catches up; and then live again.
        sessions[3]->sendProgress(race, 42);
        QTRY_COMPARE_WITH_TIMEOUT(lastSeen.value(memberLogin(14)), 42, 40000);
        QTRY_VERIFY_WITH_TIMEOUT(observer.isOnline(), 40000);
        sessions[4]->sendProgress(race, 43);
        QTRY_COMPARE_WITH_TIMEOUT(lastSeen.value(memberLogin(15)), 43, 10000);
    }

    void hugeOrControlInputRefusedBeforeSending()
    {
        QVERIFY(CheckPassage(QStringLiteral("第一行\r\n第二行\t完")).isEmpty());
        QVERIFY(CheckPassage(QStringLiteral("'; DROP TABLE results; --")).isEmpty());
        QVERIFY(CheckPassage(QStringLiteral("响铃\a字")).contains(QStringLiteral("控制字符")));
        QVERIFY(CheckPassage(QString(kMaxPassageLength + 1, QChar(0x4E00))).contains(QStringLiteral("太长")));
        QVERIFY(CheckPassage(QStringLiteral(" \n ")).contains(QStringLiteral("空")));
        QVERIFY(CheckClubTitle(QStringLiteral("标题\n换行")).contains(QStringLiteral("控制字符")));
        QVERIFY(CheckClubName(QString(kMaxClubName + 1, QLatin1Char('a'))).contains(QStringLiteral("太长")));
        QVERIFY(CheckClubName(QStringLiteral("O'Neil;")).isEmpty());
    }

    // quorvel --club-setup builds the schema in the database [Club] names,
    // and says so when the server cannot be reached.
    void setupCommandMigratesTheNamedDatabase()
    {
        admin(QStringLiteral("CREATE DATABASE setup"));
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        QDir().mkpath(home.filePath(QStringLiteral("quorvel")));
        auto writeIni = [&](int port) {
            QFile ini(home.filePath(QStringLiteral("quorvel/quorvel.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ini.write(QStringLiteral("[Club]\nHost=127.0.0.1\nPort=%1\nDatabase=setup\nUser=%2\n")
                          .arg(port)
                          .arg(PostgresServer::superuser())
                          .toUtf8());
        };
        writeIni(m_server.port());
        QString out, err;
        CommandLineOptions done = RunCommandLine({QStringLiteral("--club-setup")}, home.path(), out, err);
        QVERIFY(done.exitNow);
        QCOMPARE(done.exitCode, 0);
        QVERIFY2(out.contains(QStringLiteral("第 %1 版").arg(ClubSchemaSteps())), qPrintable(out + err));
        {
            QSqlDatabase db = MakeClubDatabase(m_server.as(PostgresServer::superuser()), QStringLiteral("setup"));
            db.setDatabaseName(QStringLiteral("setup"));
            QVERIFY(db.open());
            QCOMPARE(ClubSchemaVersion(db), ClubSchemaSteps());
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("setup"));

        writeIni(1);
        out.clear();
        done = RunCommandLine({QStringLiteral("--club-setup")}, home.path(), out, err);
        QCOMPARE(done.exitCode, 1);
        QVERIFY2(err.contains(QStringLiteral("连不上班级服务器")), qPrintable(err));
    }

    void unreachableServerSaysSo()
    {
        ClubConnectionDetails nowhere = m_server.as(QStringLiteral("m01"));
        nowhere.port = 1;
        ClubSession session(nowhere, m_home.filePath(QStringLiteral("nowhere.json")));
        session.start();
        QVERIFY(session.isConnecting()); // in the background: nothing waits for it
        QTRY_VERIFY(!session.isConnecting());
        QVERIFY(!session.isOnline());
        QVERIFY2(session.statusText().contains(QStringLiteral("连不上班级服务器")), qPrintable(session.statusText()));
        QVERIFY(session.retryInMs() > 0);
        QCOMPARE(ReconnectDelayMs(0), 1000);
        QCOMPARE(ReconnectDelayMs(3), 8000);
        QCOMPARE(ReconnectDelayMs(40), 30000);
    }
};

QTEST_GUILESS_MAIN(ClubServerTest)
#include "club_server.moc"
