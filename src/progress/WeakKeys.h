#pragma once
// The weak-key drill: targets of the key-position drill drawn from the
// learner's key statistics.
#include "progress/ProgressData.h"

#include <vector>

class RandomSource;

// `count` key codes of the main block, drawn as DrawWeakSpots draws (four of
// every five by weight, every fifth uniformly). The drill's keys are the
// typing area and every other key of the main block the learner has
// statistics for; a key never tried weighs as an average one. Empty when no
// key of the main block has statistics.
std::vector<int> WeakKeyTargets(const QVector<ItemStat> &keyStats, int count, RandomSource &random);
