// The progress database: schema migrations, tallies that add up across
// batches, run summaries, and a damaged, foreign or locked file that stops
// recording with a reason instead of stopping practice.
#include "practice/Passage.h"
#include "progress/KeystrokeCollector.h"
#include "progress/ProgressStore.h"
#include "progress/StoreTally.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

qint64 At(int second) { return QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0)).toMSecsSinceEpoch() + second * 1000LL; }

// Runs `statements` on the file through a connection of its own.
void RunSql(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString &s : statements)
            QVERIFY2(q.exec(s), qPrintable(s));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
}

} // namespace

class ProgressStoreTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("sub/progress.sqlite")); }

private slots:
    void init()
    {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(path() + QLatin1String(suffix));
    }

    void emptyFileGetsTheWholeSchemaInWalMode()
    {
        ProgressStore store;
        QVERIFY2(store.open(path()), qPrintable(store.error()));
        QVERIFY(store.write(ProgressBatch{}));
        ProgressStore again;
        QVERIFY(again.open(path()));
        QVERIFY(again.runs().isEmpty());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(path());
            QVERIFY(db.open());
            QSqlQuery check(db);
            QVERIFY(check.exec(QStringLiteral("PRAGMA user_version")) && check.next());
            QCOMPARE(check.value(0).toInt(), ProgressStore::schemaVersion());
            QVERIFY(check.exec(QStringLiteral("PRAGMA journal_mode")) && check.next());
            QCOMPARE(check.value(0).toString(), QStringLiteral("wal"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }

    void olderSchemaIsMigratedKeepingItsTallies()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("sub")));
        RunSql(path(), {QStringLiteral("CREATE TABLE item_stats (learner TEXT NOT NULL, kind TEXT NOT NULL,"
                                       " item TEXT NOT NULL, attempts INTEGER NOT NULL DEFAULT 0,"
                                       " errors INTEGER NOT NULL DEFAULT 0, interval_ms INTEGER NOT NULL DEFAULT 0,"
                                       " timed INTEGER NOT NULL DEFAULT 0, last_seen TEXT,"
                                       " PRIMARY KEY (learner, kind, item))"),
                        QStringLiteral("INSERT INTO item_stats VALUES ('王', 'line', '的', 10, 4, 3000, 9, NULL)"),
                        QStringLiteral("PRAGMA user_version=1")});
        ProgressStore store;
        QVERIFY2(store.open(path()), qPrintable(store.error()));
        QCOMPARE(TallyOf(store, QStringLiteral("王"), QStringLiteral("的")).errors, 4);

        KeystrokeCollector c;
        c.record(exercise::kLine, QStringLiteral("的"), false, At(0));
        c.endRun();
        QVERIFY(store.write(c.take(QStringLiteral("王"))));
        const ItemTally t = TallyOf(store, QStringLiteral("王"), QStringLiteral("的"));
        QCOMPARE(t.attempts, 11);
        QCOMPARE(t.errors, 5);
        QCOMPARE(store.runs(QStringLiteral("王")).size(), 1);
    }

    // A database the previous release wrote (schema 2, no composer keys):
    // its tallies and runs stay, old runs count no composer keys, new runs
    // keep theirs.
    void previousReleaseFileGainsComposerKeys()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("sub")));
        QVERIFY(QFile::copy(TestEnv::sourceDir() + QStringLiteral("/tests/progress/data/progress-v2.sqlite"), path()));
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        ProgressStore store;
        QVERIFY2(store.open(path()), qPrintable(store.error()));
        QCOMPARE(TallyOf(store, QStringLiteral("王"), QStringLiteral("F")).errors, 6);
        const QVector<RunSummary> old = store.runs(QStringLiteral("王"));
        QCOMPARE(old.size(), 2);
        QCOMPARE(old[0].characters, 120);
        QCOMPARE(old[0].composerKeys, 0);

        KeystrokeCollector c;
        c.setComposerKeys(3); // a phrase commit
        c.record(exercise::kLine, QStringLiteral("我"), true, At(0));
        c.record(exercise::kLine, QStringLiteral("们"), true, At(1));
        c.endRun();
        QVERIFY(store.write(c.take(QStringLiteral("王"))));
        ProgressStore again;
        QVERIFY(again.open(path()));
        const QVector<RunSummary> runs = again.runs(QStringLiteral("王"));
        QCOMPARE(runs.size(), 3);
        QCOMPARE(runs[0].composerKeys + runs[1].composerKeys + runs[2].composerKeys, 3);
    }

    // Runs typed with Wubi, a pinyin scheme, a system input method and on
    // the keys stay apart; the figures add up over the runs that saw them.
    void methodTotalsKeepEachWayOfTypingApart()
    {
        ProgressStore store;
        QVERIFY2(store.open(path()), qPrintable(store.error()));
        const auto run = [](int minute, const QString &method, int characters, qint64 keys, qint64 phrase) {
            RunSummary r;
            r.kind = exercise::kText;
            r.start = QDateTime::fromMSecsSinceEpoch(At(minute * 60));
            r.durationMs = 60'000;
            r.characters = characters;
            r.typing.method = method;
            r.typing.keys = keys;
            r.typing.committedCharacters = keys >= 0 ? characters : 0;
            r.typing.phraseCharacters = phrase;
            r.typing.textCorrections = 1;
            r.typing.idealKeys = keys >= 0 ? characters * 2 : -1;
            r.typing.idealCharacters = keys >= 0 ? characters : 0;
            return r;
        };
        ProgressBatch batch;
        batch.learner = QStringLiteral("王");
        batch.runs = {run(0, QStringLiteral("wubi86"), 60, 150, 30), run(2, QStringLiteral("wubi86"), 40, 90, 10),
                      run(4, QStringLiteral("xiaohe"), 50, 120, 20), run(6, input_method::kSystem, 70, -1, 0),
                      run(8, input_method::kKeys, 200, 200, 0)};
        QVERIFY(store.write(batch));

        const QVector<MethodTotals> totals = store.methodTotals(QStringLiteral("王"));
        QCOMPARE(totals.size(), 4);
        QCOMPARE(totals[0].method, input_method::kSystem);
        QCOMPARE(totals[0].typing.keys, -1);
        QCOMPARE(totals[0].typing.textCorrections, 1);
        QCOMPARE(totals[0].characters, 70);
        QCOMPARE(totals[2].method, QStringLiteral("wubi86"));
        QCOMPARE(totals[2].runs, 2);
        QCOMPARE(totals[2].characters, 100);
        QCOMPARE(totals[2].typing.keys, 240);
        QCOMPARE(totals[2].typing.keysPerCharacter(totals[2].keyedCharacters), 2.4);
        QCOMPARE(totals[2].typing.keysPerSecond(totals[2].keyedDurationMs), 2.0);
        QCOMPARE(totals[2].typing.phraseShare(), 0.4);
        QCOMPARE(totals[2].typing.idealKeysPerCharacter(), 2.0);
        QCOMPARE(totals[3].method, QStringLiteral("xiaohe"));
        QCOMPARE(input_method::Caption(totals[3].method), QStringLiteral("小鹤双拼"));
        QCOMPARE(totals[3].characters, 50);
        QCOMPARE(store.runs(QStringLiteral("王"))[4].typing, batch.runs[4].typing);
    }

    // The first try of a day at a passage is its record try; tries rank by
    // speed, then accuracy, then time; other learners and passages apart.
    void passageTriesRankBySpeedThenAccuracy()
    {
        ProgressStore store;
        QVERIFY2(store.open(path()), qPrintable(store.error()));
        const QString passage = PassageKey(QStringLiteral("春天来了。\r\n公园里开满了花。\r\n"));
        QCOMPARE(passage, PassageKey(QStringLiteral("春天来了。公园里开满了花。")));
        const auto attempt = [](int day, int hour, double speed, double accuracy) {
            PassageTry t;
            t.at = QDateTime(QDate(2026, 3, day), QTime(hour, 0));
            t.speed = speed;
            t.accuracy = accuracy;
            t.characters = 12;
            return t;
        };
        PassageTry tries[] = {attempt(1, 9, 80, 95), attempt(1, 10, 100, 90), attempt(1, 11, 100, 97),
                              attempt(2, 8, 100, 90)};
        for (PassageTry &t : tries)
            QVERIFY2(store.addPassageTry(QStringLiteral("王"), passage, QStringLiteral("春天"), t), qPrintable(store.error()));
        QVERIFY(tries[0].record && !tries[1].record && !tries[2].record && tries[3].record);
        PassageTry elsewhere = attempt(1, 12, 300, 100);
        QVERIFY(store.addPassageTry(QStringLiteral("李"), passage, QStringLiteral("春天"), elsewhere));
        QVERIFY(elsewhere.record); // another learner's first try
        PassageTry other = attempt(1, 12, 300, 100);
        QVERIFY(store.addPassageTry(QStringLiteral("王"), PassageKey(QStringLiteral("别的文章")), QString(), other));

        const QVector<PassageTry> ranked = store.passageTries(QStringLiteral("王"), passage);
        QCOMPARE(ranked, (QVector<PassageTry>{tries[2], tries[1], tries[3], tries[0]}));
        QCOMPARE(RankOf(ranked, tries[3].id), 3);
        QCOMPARE(RankOf(ranked, other.id), 0);
    }

    void unusableFilesStopRecordingWithAReason_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("not a database") << QByteArray(4096, 'x') << QStringList();
        QTest::newRow("newer schema") << QByteArray() << QStringList{QStringLiteral("PRAGMA user_version=99")};
    }
    void unusableFilesStopRecordingWithAReason()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, statements);
        QDir().mkpath(dir.filePath(QStringLiteral("sub")));
        if (!content.isEmpty()) {
            QFile f(path());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        } else {
            RunSql(path(), statements);
        }
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        ProgressStore store;
        QVERIFY(!store.open(path()));
        QVERIFY(store.error().contains(QStringLiteral("学习进度数据库")));
        QVERIFY(!store.write(ProgressBatch{QStringLiteral("王"), {}, {RunSummary{}}}));
        // The learner's file is left byte for byte as it was.
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    // Another program holds the database longer than a write waits: the
    // batch is kept, and once the file is free the next write stores it,
    // before the batch of its own.
    void aBatchThatFindsTheDatabaseLockedIsWrittenWithTheNextOne()
    {
        ProgressStore store;
        QVERIFY(store.open(path()));
        KeystrokeCollector c;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            other.setDatabaseName(path());
            QVERIFY(other.open());
            QSqlQuery hold(other);
            QVERIFY(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));

            c.record(exercise::kKeys, QStringLiteral("F"), false, At(0));
            c.record(exercise::kKeys, QStringLiteral("F"), true, At(1));
            c.endRun();
            QVERIFY(!store.write(c.take(QStringLiteral("王"))));
            QVERIFY2(store.error().contains(QStringLiteral("另一个程序")), qPrintable(store.error()));
            QCOMPARE(store.failedWrites(), 1);
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));

        c.record(exercise::kKeys, QStringLiteral("F"), true, At(2));
        c.endRun();
        QVERIFY2(store.write(c.take(QStringLiteral("王"))), qPrintable(store.error()));
        QCOMPARE(store.failedWrites(), 0);
        QVERIFY(!store.holdsUnwritten());
        ProgressStore reader;
        QVERIFY(reader.open(path()));
        QCOMPARE(reader.runs(QStringLiteral("王")).size(), 2);
        const ItemTally f = TallyOf(reader, QStringLiteral("王"), QStringLiteral("F"));
        QCOMPARE(f.attempts, 3);
        QCOMPARE(f.errors, 1);
    }

    // Runs end on a change of kind, a long gap or endRun(); pauses do not count
    // as slowness. Composer keys go to the run that judges their commit.
    void collectorSplitsRunsAndTimesKeystrokes()
    {
        KeystrokeCollector c;
        c.setComposerKeys(2);
        c.record(exercise::kLine, QStringLiteral("的"), true, At(0));   // first: untimed
        c.record(exercise::kLine, QStringLiteral("的"), false, At(2));  // 2 s
        c.record(exercise::kLine, QStringLiteral("是"), true, At(60));  // a pause: untimed
        c.setComposerKeys(4);
        c.record(exercise::kLine, QStringLiteral("是"), true, At(61));  // 1 s
        c.setComposerKeys(3); // a commit no exercise judged
        c.setComposerKeys(0);
        c.record(exercise::kKeys, QStringLiteral("F"), true, At(62));   // new kind: new run
        c.record(exercise::kKeys, QStringLiteral("F"), false, At(1000)); // long gap: new run
        c.endRun();
        QVERIFY(c.batchDue());
        const ProgressBatch b = c.take(QStringLiteral("李"));
        const ItemTally de = b.items[exercise::kLine][QStringLiteral("的")];
        QCOMPARE(de.attempts, 2);
        QCOMPARE(de.errors, 1);
        QCOMPARE(de.timed, 1);
        QCOMPARE(de.intervalMs, 2000);
        QCOMPARE(b.items[exercise::kLine][QStringLiteral("是")].intervalMs, 1000);
        QCOMPARE(b.runs.size(), 3);
        QCOMPARE(b.runs[0].characters, 4);
        QCOMPARE(b.runs[0].errors, 1);
        QCOMPARE(b.runs[0].durationMs, 61000);
        QCOMPARE(b.runs[0].learner, QStringLiteral("李"));
        QCOMPARE(b.runs[0].composerKeys, 6);
        QCOMPARE(b.runs[1].composerKeys, 0);
        QCOMPARE(b.runs[2].kind, exercise::kKeys);
        QVERIFY(c.take(QString()).isEmpty());
    }

    // Pinyin confusions add up per learner, kind, syllables and characters,
    // come most frequent first, and go with the unnamed learner's practice.
    void pinyinConfusionsAddUpAndFollowTheLearner()
    {
        ProgressStore store;
        QVERIFY(store.open(path()));
        const QDateTime early(QDate(2026, 3, 1), QTime(9, 0)), late(QDate(2026, 3, 2), QTime(9, 0));
        const ConfusionStat zh{QStringLiteral("z-zh"), QStringLiteral("zhōng"), QStringLiteral("zōng"),
                               QStringLiteral("中"), QStringLiteral("宗"), 1, early};
        ConfusionStat ng{QStringLiteral("n-ng"), QStringLiteral("yīng"), QStringLiteral("yīn"),
                         QStringLiteral("英"), QStringLiteral("因"), 2, early};
        QVERIFY(store.addConfusions(QString(), {zh, ng}));
        ng.lastSeen = late;
        QVERIFY(store.addConfusions(QString(), {ng}));
        QVERIFY(store.addConfusions(QStringLiteral("小明"), {zh}));
        QVERIFY(store.mergeLearner(QString(), QStringLiteral("小明")));
        QVERIFY(store.confusions(QString()).isEmpty());
        const QVector<ConfusionStat> mine = store.confusions(QStringLiteral("小明"));
        QCOMPARE(mine.size(), 2);
        QCOMPARE(mine[0].kind, QStringLiteral("n-ng"));
        QCOMPARE(mine[0].count, 4);
        QCOMPARE(mine[0].lastSeen, late);
        QCOMPARE(mine[1].typedChar, QStringLiteral("宗"));
        QCOMPARE(mine[1].count, 2);
    }
};

QTEST_GUILESS_MAIN(ProgressStoreTest)
#include "progress_store.moc"
