#pragma once
// The Wubi drill generator: pools drawn from the code tables and drill text of
// random characters or phrases under the run's character budget
// (state.charBudget, state.charsGenerated). Drill text is lines ended by CR LF.
#include "practice/PracticeState.h"

class RandomSource;

struct ShortCodeSelectors {
    bool firstLevel = false;   // 86 table, entry length 4
    bool second86 = false;     // 86 table, entry length 5
    bool second98 = false;     // 98 table, entry length 5
    bool third86 = false;      // 86 table, entry length 6
    bool third98 = false;      // 98 table, entry length 6
};

namespace wubi {
// Page shapes of the generated drills: four lines of 30 characters, or of
// 60 letters in the letters drill.
inline constexpr int kDrillPageLines = 4;
inline constexpr int kDrillCharsPerLine = 30;
inline constexpr int kLetterDrillPerLine = 60;

// The last pool built among the selected ones; empty when none is selected.
QString ShortCodePool(const CodeTables &tables, ShortCodeSelectors which);
// Every word of exactly `length` (2, 3 or 4) characters, in table order, joined.
QString PhrasePool(const CodeTables &tables, int length, bool edition86);
// `lines` lines of `perLine` random characters of `pool`.
QString CharacterDrillText(PracticeState &state, const QString &pool, int perLine, int lines,
                           RandomSource &random);
// Four lines of random phrases of `length` characters from `pool`.
QString PhraseDrillText(PracticeState &state, const QString &pool, int length, RandomSource &random);
// Four lines of words of 5 or more characters, at most 30 characters a line.
QString LongPhraseDrillText(PracticeState &state, bool edition86, RandomSource &random);
} // namespace wubi
