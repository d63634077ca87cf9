// A timed driver, not a test: a club race on a PostgreSQL server started for
// the run. 200 simulated members, each on a connection and thread of its own,
// send their typed count about once a second and listen to everyone's; the
// time from a member sending to another member receiving is measured for
// every delivery. Then the ranking of a race with 100,000 results is timed.
//
//   build/bench_club_race [members] [seconds]
#include "club/ClubConnection.h"
#include "club/ClubDatabase.h"
#include "club/ClubSchema.h"
#include "support/PostgresServer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kMaxSends = 512;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

struct Shared {
    int members = 0;
    int port = 0;
    qint64 race = 0;
    std::vector<std::atomic<qint64>> sentAt; // [member * kMaxSends + characters]
    std::mutex lock;
    std::vector<double> latenciesMs;
    std::atomic<int> ready{0};
    std::atomic<bool> sending{false};
    std::atomic<bool> stop{false};
    std::atomic<int> failures{0};
    std::vector<double> submitMs;
};

QString login(int i)
{
    return QStringLiteral("b%1").arg(i, 3, 10, QLatin1Char('0'));
}

ClubConnectionDetails as(int port, const QString &user)
{
    ClubConnectionDetails d;
    d.host = QStringLiteral("127.0.0.1");
    d.port = port;
    d.database = QStringLiteral("postgres");
    d.user = user;
    return d;
}

// One member: listens, and while sending is on sends its next count about
// once a second, starting at a random phase.
void member(Shared &shared, int index)
{
    const QString name = QStringLiteral("bench-%1").arg(index);
    {
        QSqlDatabase db = MakeClubDatabase(as(shared.port, login(index)), name, 10);
        if (!db.open()) {
            ++shared.failures;
            ++shared.ready;
            return;
        }
        std::vector<double> mine;
        const QString me = login(index);
        QObject::connect(db.driver(), &QSqlDriver::notification, [&](const QString &, QSqlDriver::NotificationSource, const QVariant &payload) {
            const qint64 at = nowNs();
            const ProgressNote n = ParseProgress(payload.toString());
            if (!n.valid || n.member == me || n.characters <= 0 || n.characters >= kMaxSends)
                return;
            const int from = n.member.mid(1).toInt();
            const qint64 sent = shared.sentAt[size_t(from) * kMaxSends + size_t(n.characters)].load();
            if (sent > 0)
                mine.push_back(double(at - sent) / 1e6);
        });
        db.driver()->subscribeToNotification(QString::fromLatin1(kProgressChannel));
        ++shared.ready;
        QEventLoop loop;
        int typed = 0;
        QTimer send;
        send.setSingleShot(true);
        QObject::connect(&send, &QTimer::timeout, [&] {
            if (shared.sending && typed + 1 < kMaxSends) {
                ++typed;
                shared.sentAt[size_t(index) * kMaxSends + size_t(typed)] = nowNs();
                if (!SendProgress(db, shared.race, typed).ok())
                    ++shared.failures;
            }
            send.start(900 + int(QRandomGenerator::global()->bounded(200)));
        });
        send.start(int(QRandomGenerator::global()->bounded(1000)));
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (shared.stop)
                loop.quit();
        });
        watch.start(50);
        loop.exec();

        // The result at the end of the race.
        ClubResult r;
        r.submission = QUuid::createUuid();
        r.raceId = shared.race;
        r.member = me;
        r.speed = 60 + index;
        r.accuracy = 99;
        r.characters = typed;
        r.durationSeconds = typed;
        r.finishedAt = QDateTime::currentDateTimeUtc();
        const qint64 t0 = nowNs();
        const bool ok = SubmitResult(db, r).ok();
        const double submitMs = double(nowNs() - t0) / 1e6;
        std::lock_guard<std::mutex> guard(shared.lock);
        if (!ok)
            ++shared.failures;
        shared.submitMs.push_back(submitMs);
        shared.latenciesMs.insert(shared.latenciesMs.end(), mine.begin(), mine.end());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

bool exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    std::fprintf(stderr, "%s\n%s\n", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

void timeRanking(QSqlDatabase &admin, qint64 race, int results, int members)
{
    exec(admin, QStringLiteral("INSERT INTO members (login, display_name) SELECT 'r' || g, 'r' || g "
                               "FROM generate_series(1, %1) g").arg(members));
    exec(admin, QStringLiteral("INSERT INTO results (submission, race_id, member, speed, accuracy, characters, "
                               "duration_seconds, errors, finished_at) SELECT gen_random_uuid(), %1, "
                               "'r' || (g % %2 + 1), (random() * 300)::int, 90 + random() * 10, 500, 120, 3, now() "
                               "FROM generate_series(1, %3) g")
                    .arg(race)
                    .arg(members)
                    .arg(results));
    exec(admin, QStringLiteral("ANALYZE results"));
    std::vector<double> ms;
    int rows = 0;
    for (int i = 0; i < 30; ++i) {
        const qint64 t0 = nowNs();
        rows = int(Ranking(admin, race).size());
        ms.push_back(double(nowNs() - t0) / 1e6);
    }
    std::printf("ranking of %d results (%d members): median %.1f ms, p99 %.1f ms, max %.1f ms (%d rows)\n", results,
                members, percentile(ms, 0.5), percentile(ms, 0.99), *std::max_element(ms.begin(), ms.end()), rows);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int members = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    PostgresServer server;
    if (!server.start()) {
        std::fprintf(stderr, "server: %s\n", qPrintable(server.error()));
        return 1;
    }
    Shared shared;
    shared.members = members;
    shared.port = server.port();
    shared.sentAt = std::vector<std::atomic<qint64>>(size_t(members) * kMaxSends);
    {
        QSqlDatabase admin = MakeClubDatabase(as(server.port(), PostgresServer::superuser()), QStringLiteral("admin"));
        if (!admin.open() || !MigrateClubSchema(admin).ok())
            return 1;
        for (int i = 0; i < members; ++i)
            exec(admin, QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE club_member").arg(login(i)));
        exec(admin, QStringLiteral("INSERT INTO members (login, display_name) SELECT 'b' || lpad(g::text, 3, '0'), 'b' "
                                   "FROM generate_series(0, %1) g").arg(members - 1));
        qint64 passage = 0;
        PostPassage(admin, QStringLiteral("基准"), QStringLiteral("春眠不觉晓"), &passage);
        OpenRace(admin, passage, QStringLiteral("基准"), &shared.race);

        std::vector<std::unique_ptr<QThread>> threads;
        for (int i = 0; i < members; ++i) {
            threads.emplace_back(QThread::create(member, std::ref(shared), i));
            threads.back()->start();
        }
        while (shared.ready < members)
            QThread::msleep(20);
        std::printf("%d members connected and listening; racing for %d s\n", members, seconds);
        shared.sending = true;
        QThread::sleep(seconds);
        shared.sending = false;
        QThread::msleep(500); // the last notifications arrive
        shared.stop = true;
        for (auto &t : threads)
            t->wait();

        const std::vector<double> &l = shared.latenciesMs;
        std::printf("progress keystroke -> other members: %zu deliveries, median %.1f ms, p99 %.1f ms, max %.1f ms\n",
                    l.size(), percentile(l, 0.5), percentile(l, 0.99), l.empty() ? 0.0 : *std::max_element(l.begin(), l.end()));
        std::printf("result submission: median %.1f ms, p99 %.1f ms; failures %d\n", percentile(shared.submitMs, 0.5),
                    percentile(shared.submitMs, 0.99), shared.failures.load());
        QSqlQuery count(admin);
        count.exec(QStringLiteral("SELECT count(*), count(DISTINCT member) FROM results"));
        if (count.next())
            std::printf("results stored: %lld from %lld members\n", count.value(0).toLongLong(), count.value(1).toLongLong());

        qint64 bigRace = 0;
        OpenRace(admin, passage, QStringLiteral("十万条成绩"), &bigRace);
        timeRanking(admin, bigRace, 100000, 2000);
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    return shared.failures == 0 ? 0 : 1;
}
