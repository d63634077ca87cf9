// The review notebook: items missed or slow enter it, come back at growing
// intervals and retire after the set number of right reviews in a row; a
// miss sends them back to the first box. Driven day by day over weeks, from
// the keystrokes as the collector gathers them; and the notebook seeded from
// the statistics of an older database on its first opening.
#include "progress/KeystrokeCollector.h"
#include "progress/ProgressStore.h"
#include "progress/ReviewSchedule.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kFirstDay(2026, 3, 2);

// One run on `day` typing `item` `times` times, `slowMs` apart, the first
// one wrong when `missFirst`; its tallies go through the notebook.
void TypeOn(ProgressStore &store, const QDate &day, const QString &kind, const QString &item, bool missFirst,
            qint64 gapMs = 800, int times = 3)
{
    KeystrokeCollector collector;
    qint64 now = QDateTime(day, QTime(10, 0)).toMSecsSinceEpoch();
    for (int i = 0; i < times; ++i, now += gapMs)
        collector.record(kind, item, !(missFirst && i == 0), now);
    collector.endRun();
    const ProgressBatch batch = collector.take(QStringLiteral("小林"));
    QVERIFY(store.recordReviews(batch.learner, ObserveTallies(batch.items), day));
}

ReviewItem ItemOf(const ProgressStore &store, const QString &item)
{
    for (const ReviewItem &r : store.reviewItems(QStringLiteral("小林")))
        if (r.item == item)
            return r;
    return {};
}

QStringList DueOn(const ProgressStore &store, const QDate &day)
{
    QStringList due;
    for (const ReviewItem &r : store.reviewItems(QStringLiteral("小林"), day))
        due.append(r.item);
    return due;
}

} // namespace

class ReviewNotebookTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void missedItemIsRetiredAfterRightReviewsAtGrowingIntervals()
    {
        ProgressStore store;
        QVERIFY2(store.open(dir.filePath(QStringLiteral("a.sqlite"))), qPrintable(store.error()));
        // Right and quick: nothing to learn, nothing enters.
        TypeOn(store, kFirstDay, exercise::kText, QStringLiteral("的"), false);
        TypeOn(store, kFirstDay, exercise::kText, QStringLiteral("戮"), true);
        TypeOn(store, kFirstDay, exercise::kText, QStringLiteral("曦"), false, 4500);   // slow
        TypeOn(store, kFirstDay, exercise::kKeys, QStringLiteral("Q"), true);
        QCOMPARE(ItemOf(store, QStringLiteral("的")).entered, QDate());
        QCOMPARE(ItemOf(store, QStringLiteral("曦")).entered, kFirstDay);
        QCOMPARE(ItemOf(store, QStringLiteral("Q")).kind, review::kKey);
        QVERIFY(DueOn(store, kFirstDay).isEmpty());
        QCOMPARE(DueOn(store, kFirstDay.addDays(1)).size(), 3);

        // Right at each due day: boxes 2..5, then retired; the intervals grow.
        QDate day = kFirstDay;
        QVector<int> intervals;
        for (int review = 1; review <= review::kBoxes; ++review) {
            const ReviewItem before = ItemOf(store, QStringLiteral("戮"));
            QVERIFY(!before.isRetired());
            intervals.append(int(day.daysTo(before.due)));
            // Typed right the day before it is due: it stays where it is.
            TypeOn(store, before.due.addDays(-1), exercise::kText, QStringLiteral("戮"), false);
            QCOMPARE(ItemOf(store, QStringLiteral("戮")).box, before.box);
            day = before.due;
            QVERIFY(DueOn(store, day).contains(QStringLiteral("戮")));
            TypeOn(store, day, exercise::kText, QStringLiteral("戮"), false);
        }
        QCOMPARE(intervals, (QVector<int>{1, 2, 4, 8, 16}));
        const ReviewItem retired = ItemOf(store, QStringLiteral("戮"));
        QCOMPARE(retired.retired, day);
        QVERIFY(day >= kFirstDay.addDays(28)); // weeks of reviews
        QVERIFY(!DueOn(store, day.addDays(100)).contains(QStringLiteral("戮")));
        const NotebookCounts counts = store.notebookCounts(QStringLiteral("小林"), day);
        QCOMPARE(counts.retired, 1);
        QCOMPARE(counts.learning, 2);
        QCOMPARE(counts.due, 2);
        const QVector<NotebookDay> growth = store.notebookGrowth(QStringLiteral("小林"));
        QCOMPARE(growth.last().entered, 3);
        QCOMPARE(growth.last().retired, 1);

        // Missed again, also once retired or in a high box: back to box 1.
        TypeOn(store, day.addDays(3), exercise::kText, QStringLiteral("戮"), true);
        const ReviewItem back = ItemOf(store, QStringLiteral("戮"));
        QVERIFY(!back.isRetired());
        QCOMPARE(back.box, 1);
        QCOMPARE(back.due, day.addDays(4));
        TypeOn(store, kFirstDay.addDays(1), exercise::kKeys, QStringLiteral("Q"), false);
        TypeOn(store, kFirstDay.addDays(3), exercise::kKeys, QStringLiteral("Q"), false);
        QCOMPARE(ItemOf(store, QStringLiteral("Q")).box, 3);
        TypeOn(store, kFirstDay.addDays(5), exercise::kKeys, QStringLiteral("Q"), false, 5000); // slow
        QCOMPARE(ItemOf(store, QStringLiteral("Q")).box, 1);
        QCOMPARE(ItemOf(store, QStringLiteral("Q")).due, kFirstDay.addDays(6));
    }

    void upgradeSeedsNotebookWithWeakItemsOfEachLearner()
    {
        const QString path = dir.filePath(QStringLiteral("old.sqlite"));
        {
            // A database of the first schema, with tallies only.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            for (const char *sql :
                 {"CREATE TABLE item_stats (learner TEXT NOT NULL, kind TEXT NOT NULL, item TEXT NOT NULL,"
                  " attempts INTEGER NOT NULL DEFAULT 0, errors INTEGER NOT NULL DEFAULT 0,"
                  " interval_ms INTEGER NOT NULL DEFAULT 0, timed INTEGER NOT NULL DEFAULT 0, last_seen TEXT,"
                  " PRIMARY KEY (learner, kind, item))",
                  "INSERT INTO item_stats VALUES ('小林', 'text', '戮', 10, 3, 9000, 9, NULL)",
                  "INSERT INTO item_stats VALUES ('小林', 'line', '的', 100, 1, 80000, 99, NULL)",
                  "INSERT INTO item_stats VALUES ('小林', 'text', '曦', 5, 0, 20000, 4, NULL)",
                  "INSERT INTO item_stats VALUES ('', 'keys', 'Q', 40, 6, 0, 0, NULL)",
                  "INSERT INTO item_stats VALUES ('', 'text', 'a', 40, 20, 0, 0, NULL)",
                  "PRAGMA user_version = 1"})
                QVERIFY2(q.exec(QString::fromUtf8(sql)), sql);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));
        ProgressStore store;
        QVERIFY2(store.open(path), qPrintable(store.error()));
        QStringList seeded;
        for (const QString &learner : {QStringLiteral("小林"), QString()})
            for (const ReviewItem &r : store.reviewItems(learner, QDate::currentDate()))
                seeded.append(r.kind + QLatin1Char(':') + r.item);
        seeded.sort();
        QCOMPARE(seeded, (QStringList{QStringLiteral("char:戮"), QStringLiteral("char:曦"), QStringLiteral("key:Q")}));
    }
};

QTEST_GUILESS_MAIN(ReviewNotebookTest)
#include "review_notebook.moc"
