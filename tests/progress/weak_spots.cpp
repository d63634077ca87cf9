// Weak-spot weights and the drill drawn from them, with a seeded random source.
#include "data/Random.h"
#include "progress/WeakSpots.h"

#include <QTest>

namespace {

ItemStat Stat(const QString &item, qint64 attempts, qint64 errors, qint64 meanMs = 300, const QString &kind = "line")
{
    ItemStat s;
    s.kind = kind;
    s.item = item;
    s.tally.attempts = attempts;
    s.tally.errors = errors;
    s.tally.timed = attempts;
    s.tally.intervalMs = attempts * meanMs;
    return s;
}

// Ten characters seen equally often, without errors, at the same pace.
QVector<ItemStat> EvenLearner()
{
    QVector<ItemStat> stats;
    for (const QChar c : QStringLiteral("的一是在不了有和人这"))
        stats.append(Stat(QString(c), 100, 0));
    return stats;
}

double WeightOf(const QVector<WeightedItem> &weights, const QString &item)
{
    for (const WeightedItem &w : weights)
        if (w.item == item)
            return w.weight;
    return -1;
}

} // namespace

class WeakSpotsTest : public QObject {
    Q_OBJECT

private slots:
    void aLearnerWhoMissesDeGetsMoreDe()
    {
        QVector<ItemStat> stats = EvenLearner();
        stats[0] = Stat(QStringLiteral("的"), 100, 30);
        const QVector<WeightedItem> weights = WeakSpotWeights(stats);
        QCOMPARE(weights.first().item, QStringLiteral("的"));

        SeededRandom random(7);
        const QStringList drill = DrawWeakSpots(weights, 1000, random);
        QCOMPARE(drill.size(), 1000);
        const int de = drill.count(QStringLiteral("的"));
        // Evenly drawn, each of the ten would come ~100 times.
        QVERIFY2(de > 250, qPrintable(QString::number(de)));
        for (const QString &other : {QStringLiteral("一"), QStringLiteral("这")})
            QVERIFY(drill.count(other) < de / 2);
    }

    void weightsFollowErrorsAndSlownessAgainstTheLearnersAverage()
    {
        QVector<ItemStat> stats = EvenLearner();
        stats[1] = Stat(QStringLiteral("一"), 100, 0, 900); // three times slower
        stats.append(Stat(QStringLiteral("的"), 100, 0, 300, "wubi")); // kinds add up per item
        const QVector<WeightedItem> weights = WeakSpotWeights(stats);
        QCOMPARE(weights.size(), 10);
        QCOMPARE(weights.first().item, QStringLiteral("一"));
        QVERIFY(WeightOf(weights, QStringLiteral("一")) > WeightOf(weights, QStringLiteral("是")) + 1.5);
        QVERIFY(qAbs(WeightOf(weights, QStringLiteral("的")) - WeightOf(weights, QStringLiteral("是"))) < 0.2);
    }

    void everyFifthItemIsDrawnFromAllItems()
    {
        QVector<ItemStat> stats{Stat(QStringLiteral("的"), 1000, 900), Stat(QStringLiteral("是"), 1000, 0)};
        SeededRandom random(3);
        const QStringList drill = DrawWeakSpots(WeakSpotWeights(stats), 5000, random);
        int shiAtFifth = 0, shiElsewhere = 0;
        for (int i = 0; i < drill.size(); ++i)
            (((i + 1) % 5 == 0) ? shiAtFifth : shiElsewhere) += drill[i] == QStringLiteral("是");
        // About half of the fifth items; elsewhere 是 weighs ~1 against ~5 for 的.
        QVERIFY2(shiAtFifth > 400, qPrintable(QString::number(shiAtFifth)));
        QVERIFY2(shiElsewhere < 4000 / 4, qPrintable(QString::number(shiElsewhere)));
    }

    void keepsOnlyChineseCharactersAndDrawsNothingFromNothing()
    {
        QVector<ItemStat> stats{Stat(QStringLiteral("的"), 10, 1), Stat(QStringLiteral("a"), 10, 5),
                                Stat(QStringLiteral("，"), 10, 5)};
        const QVector<WeightedItem> weights = WeakSpotWeights(stats, IsChineseCharacter);
        QCOMPARE(weights.size(), 1);
        SeededRandom random(1);
        QVERIFY(DrawWeakSpots({}, 10, random).isEmpty());
    }
};

QTEST_GUILESS_MAIN(WeakSpotsTest)
#include "weak_spots.moc"
