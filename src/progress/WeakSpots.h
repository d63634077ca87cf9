#pragma once
// Weak-spot drills: the items (characters or keys) a learner misses or
// hesitates on, weighted against the learner's own average, and drill
// material drawn from them.
#include "progress/ProgressData.h"

#include <QStringList>

class RandomSource;

struct WeightedItem {
    QString item;
    double weight = 0;
};

// One weight per item, the stats of several kinds summed per item; heaviest
// first. Items for which `keep` is false are left out.
QVector<WeightedItem> WeakSpotWeights(const QVector<ItemStat> &stats, bool (*keep)(const QString &item) = nullptr);

// `count` items: four of every five drawn by weight, every fifth uniformly
// from all items so that learned ones are reviewed too.
QStringList DrawWeakSpots(const QVector<WeightedItem> &items, int count, RandomSource &random);

bool IsChineseCharacter(const QString &item);
