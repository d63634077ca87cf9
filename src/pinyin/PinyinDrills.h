#pragma once
// The texts of the pinyin drills: common characters grouped by their initial,
// their final or as the sixteen whole syllables, characters of one level of
// the standard table, common words of a frequency band, and pairs of syllables
// the learner confused. Lines end in CR LF, as the line practice reads them.
#include <QString>
#include <QStringList>
#include <QVector>

class HanziReadings;
class PinyinLexicon;
class RandomSource;

namespace pinyin {

inline constexpr int kCharsPerLine = 12;
// The common characters the sound drills draw from.
inline constexpr int kCommonPool = 2000;

// A named pool of characters: one line of a sound drill draws from one pool.
struct SoundGroup {
    QString sound; // "zh", "ang", "yuan"
    QString characters;
};

// Common characters by the initial / final of their usual reading, in the
// order the sounds are taught; each group holds at least a few characters.
QVector<SoundGroup> InitialGroups(const PinyinLexicon &lexicon, const HanziReadings &readings);
QVector<SoundGroup> FinalGroups(const PinyinLexicon &lexicon, const HanziReadings &readings);
// The sixteen whole syllables read as they are spelt (zhi chi shi ri zi ci si
// yi wu yu ye yue yuan yin yun ying) with their common characters.
QStringList WholeSyllables();
QVector<SoundGroup> WholeSyllableGroups(const PinyinLexicon &lexicon, const HanziReadings &readings);

// `characterCount` characters, a line from each group in turn.
QString SoundDrillText(const QVector<SoundGroup> &groups, int characterCount, RandomSource &random);
// Characters drawn from `pool`, kCharsPerLine a line.
QString CharacterDrillText(const QString &pool, int characterCount, RandomSource &random);
// Words drawn from `words`, about kCharsPerLine characters a line; a word
// never breaks over two lines.
QString WordDrillText(const QStringList &words, int characterCount, RandomSource &random);

// A pair of syllables the learner confused, with the characters seen.
struct ConfusedPair {
    QString expectedSyllable; // toned
    QString typedSyllable;    // toned
    QString expectedChar;
    QString typedChar;
};
// Lines that contrast each pair: characters of the two syllables in turn
// (the confused ones first, each twice), then common words holding them;
// the pairs in their order, over again until `characterCount` is reached.
QString ConfusedPairsText(const QVector<ConfusedPair> &pairs, int characterCount, const PinyinLexicon &lexicon,
                          const HanziReadings &readings);

} // namespace pinyin
