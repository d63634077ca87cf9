#pragma once
// What the progress window shows, summed up from the statistics: practice
// per day and exercise kind, totals per kind, per-key tallies on the main
// keyboard block and the weakest characters.
#include "keyboard/KeyboardPicture.h"
#include "progress/ProgressData.h"
#include "progress/WeakSpots.h"

#include <QDate>
#include <QHash>

// The runs of one exercise kind on one day, summed.
struct DayProgress {
    QString kind;
    QDate day;
    qint64 durationMs = 0;
    qint64 characters = 0;
    qint64 errors = 0;

    // Characters a minute over the day's runs; 0 when untimed.
    double speed() const { return durationMs > 0 ? characters * 60000.0 / double(durationMs) : 0.0; }
    // Per cent of the characters typed right.
    double accuracy() const { return characters > 0 ? 100.0 * double(characters - errors) / double(characters) : 0.0; }
    // The characters as a count (of items, where a day holds items).
    double itemCount() const { return double(characters); }
};

struct KindTotals {
    QString kind;
    qint64 durationMs = 0;
    qint64 characters = 0;
    double bestSpeed = 0; // of one run long enough to time (kMinimumTimedRunMs)
};

// The runs typed one way (input_method::...), summed. The typing figures
// add up over the runs that saw them: keys over the time and characters of
// the runs that saw keys, the ideal over the characters it was worked out for.
struct MethodTotals {
    QString method;
    qint64 runs = 0;
    qint64 durationMs = 0;
    qint64 characters = 0;
    TypingFigures typing;      // sums; keys and idealKeys -1 when no run saw them
    qint64 keyedDurationMs = 0; // of the runs that saw keys
    qint64 keyedCharacters = 0;

    // Characters a minute over all its runs; 0 when untimed.
    double speed() const { return durationMs > 0 ? characters * 60000.0 / double(durationMs) : 0.0; }
};

// A run shorter than this says nothing about speed (a few keys in a second
// would be the best speed ever).
inline constexpr qint64 kMinimumTimedRunMs = 10'000;

// The exercise kinds whose items are characters typed in text.
const QStringList &TextKinds();

// Per-key tallies for the main keyboard block, by virtual-key code: the
// key-position drill's keys by legend, and the letters, digits, punctuation
// and spaces typed in text practice on the key that types them.
QHash<int, ItemTally> MainBlockKeyTallies(const QVector<ItemStat> &stats, const KeyboardPicture &mainBlock);

// The weights (WeakSpotWeights) of the Chinese characters of text practice,
// heaviest first; stats of other kinds are left out.
QVector<WeightedItem> CharacterWeights(const QVector<ItemStat> &stats);

// The `count` weakest of them, weakest first, each with its summed tally.
struct WeakCharacter {
    QString character;
    double weight = 0;
    ItemTally tally;
};
QVector<WeakCharacter> WeakestCharacters(const QVector<ItemStat> &stats, int count);
