#pragma once
// What the store holds for one item of a learner, in `kind` or summed over
// every kind.
#include "progress/ProgressStore.h"

inline ItemTally TallyOf(const ProgressStore &store, const QString &learner, const QString &item,
                         const QString &kind = QString())
{
    ItemTally tally;
    for (const ItemStat &s : store.itemStats(learner, kind))
        if (s.item == item)
            tally.add(s.tally);
    return tally;
}
