#include "progress/WeakKeys.h"

#include "keyboard/KeyboardPicture.h"
#include "keyboard/TargetDrill.h"
#include "progress/WeakSpots.h"

std::vector<int> WeakKeyTargets(const QVector<ItemStat> &keyStats, int count, RandomSource &random)
{
    // The statistics name a key by its legend.
    const KeyboardPicture keyboard = KeyboardPicture::mainBlock();
    QVector<ItemStat> stats;
    for (const ItemStat &s : keyStats)
        if (keyboard.codeOf(s.item) != 0 && s.tally.attempts > 0)
            stats.append(s);
    if (stats.isEmpty())
        return {};
    for (int code : TypingAreaPool())
        stats.append({QString(), keyboard.legend(code), ItemTally()});

    std::vector<int> targets;
    for (const QString &legend : DrawWeakSpots(WeakSpotWeights(stats), count, random))
        targets.push_back(keyboard.codeOf(legend));
    return targets;
}
