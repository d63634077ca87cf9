#include "progress/WeakSpots.h"

#include "data/Random.h"

#include <QMap>
#include <algorithm>

QVector<WeightedItem> WeakSpotWeights(const QVector<ItemStat> &stats, bool (*keep)(const QString &item))
{
    QMap<QString, ItemTally> byItem;
    ItemTally all;
    for (const ItemStat &s : stats) {
        if (keep && !keep(s.item))
            continue;
        byItem[s.item].add(s.tally);
        all.add(s.tally);
    }
    // weight = 2 * errorRatio + slownessRatio, where
    //   p             = (allErrors + 1) / (allAttempts + 2), the learner's error
    //                   rate (smoothed, never 0);
    //   errorRatio    = ((errors + 2p) / (attempts + 2)) / p, the item's error
    //                   rate against the learner's, as if each item had two
    //                   more attempts at the learner's rate, so that a single
    //                   slip on a rare item is not decisive;
    //   slownessRatio = the item's mean time from the previous keystroke / the
    //                   learner's mean time (1 when either is untimed).
    // An average item weighs 3; one missed twice as often weighs about 5.
    const double baseError = double(all.errors + 1) / double(all.attempts + 2);
    const double baseInterval = all.meanIntervalMs();
    QVector<WeightedItem> weighted;
    for (auto it = byItem.cbegin(); it != byItem.cend(); ++it) {
        const ItemTally &t = it.value();
        const double errorRatio = ((double(t.errors) + 2 * baseError) / double(t.attempts + 2)) / baseError;
        const double slowness = baseInterval > 0 && t.timed > 0 ? t.meanIntervalMs() / baseInterval : 1.0;
        weighted.append({it.key(), 2 * errorRatio + slowness});
    }
    std::stable_sort(weighted.begin(), weighted.end(),
                     [](const WeightedItem &a, const WeightedItem &b) { return a.weight > b.weight; });
    return weighted;
}

namespace {

// An index drawn with probability proportional to its weight.
int DrawByWeight(const QVector<WeightedItem> &items, double total, RandomSource &random)
{
    constexpr int kSteps = 1'000'000;
    double left = total * random.uniform(0, kSteps - 1) / kSteps;
    for (int i = 0; i < items.size(); ++i) {
        left -= items[i].weight;
        if (left < 0)
            return i;
    }
    return items.size() - 1;
}

} // namespace

QStringList DrawWeakSpots(const QVector<WeightedItem> &items, int count, RandomSource &random)
{
    QStringList drawn;
    if (items.isEmpty())
        return drawn;
    double total = 0;
    for (const WeightedItem &w : items)
        total += w.weight;
    for (int i = 1; i <= count; ++i) {
        const int index = i % 5 == 0 ? random.uniform(0, items.size() - 1) : DrawByWeight(items, total, random);
        drawn.append(items[index].item);
    }
    return drawn;
}

bool IsChineseCharacter(const QString &item)
{
    if (item.size() != 1)
        return false;
    const ushort u = item.at(0).unicode();
    return u >= 0x4E00 && u <= 0x9FFF;
}
