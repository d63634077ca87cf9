#pragma once
// The learner's pinyin confusions as the statistics keep them: the mistakes
// of a run counted for the store, the lines 学习进度 shows, and the pairs
// the confusion drill contrasts.
#include "pinyin/PinyinDrills.h"
#include "pinyin/PinyinMistakes.h"
#include "progress/ProgressData.h"

#include <QDateTime>
#include <QStringList>
#include <QVector>

// One row per kind, syllables and characters, counted; all seen `when`.
QVector<ConfusionStat> TallyConfusions(const QVector<PinyinMistake> &mistakes, const QDateTime &when);

// "平翘舌 z/zh：5 次（四/是 sì/shì 3 次，…）": one line per kind, the most
// frequent kind first, with its most frequent pairs.
QStringList ConfusionLines(const QVector<ConfusionStat> &stored);

// The `most` most frequent pairs of syllables (stored most frequent first),
// each with the characters it was most often seen with.
QVector<pinyin::ConfusedPair> PairsToDrill(const QVector<ConfusionStat> &stored, int most);
