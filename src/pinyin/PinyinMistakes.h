#pragma once
// What a wrong character says about the learner's pinyin: the expected
// syllable (its reading in context) against the readings of what was typed,
// sorted into the confusions that dialect speakers are known for: flat and
// retroflex initials (z/zh, c/ch, s/sh), front and back nasals (-n/-ng), n/l,
// f/h, r/l, ü/u; otherwise a wrong tone, a homophone, or another syllable.
#include <QString>
#include <QStringList>
#include <QVector>

class HanziReadings;

enum class PinyinConfusion {
    ZZh,
    CCh,
    SSh,
    NasalNNg,
    NL,
    FH,
    RL,
    UUmlaut,
    ToneOnly,
    Homophone, // the same syllable and tone: another character of the same sound
    Other,
};

// "平翘舌 z/zh", "前后鼻音 -n/-ng", ...: what the learner reads.
QString ConfusionCaption(PinyinConfusion kind);
// A stable name for storing: "z-zh", "n-ng", "tone", ...; and back (Other when unknown).
QString ConfusionKey(PinyinConfusion kind);
PinyinConfusion ConfusionFromKey(const QString &key);

// The confusions between two syllables, toned or toneless ("zhōng", "zong1",
// "zong"): one for the initial and one for the final when both are confused
// (zhang -> zan), the tone when only it differs, Other for syllables that
// differ otherwise. Empty when they are the same syllable; the tone counts
// only when both carry one.
QVector<PinyinConfusion> ClassifySyllables(const QString &expected, const QString &typed);

struct PinyinMistake {
    PinyinConfusion kind = PinyinConfusion::Other;
    QString expectedSyllable; // toned, as read in context
    QString typedSyllable;    // toned: the reading of the typed character nearest to the expected one
    QString expectedChar;
    QString typedChar;        // empty when only syllables were seen (a composer's keys)
};

// The mistakes of typing `typedChar` for `expectedChar` read `expectedSyllable`
// (toned). Of the typed character's readings the one that makes a named
// confusion is taken, else the nearest. Empty when the typed character has
// no reading (a letter, punctuation) or the expected syllable is unknown.
QVector<PinyinMistake> DiagnoseCharacter(const QString &expectedChar, const QString &expectedSyllable,
                                         const QString &typedChar, const HanziReadings &readings);

// The mistakes of one run, in the order they were made.
class PinyinMistakeLog {
public:
    // A wrong character, as the judge saw it.
    void noteCharacter(const QString &expectedChar, const QString &expectedSyllable, const QString &typedChar,
                       const HanziReadings &readings);
    // The hook for a pinyin composer that sees the keys: the syllable the
    // learner spelt (`typedSyllable`, toneless as typed, "zong") where the
    // text asked for `expectedSyllable` ("zhōng" or "zhong"). Characters of
    // the text may be given when known.
    void noteSyllables(const QString &expectedSyllable, const QString &typedSyllable,
                       const QString &expectedChar = QString());
    void clear() { m_mistakes.clear(); }

    const QVector<PinyinMistake> &mistakes() const { return m_mistakes; }
    // "平翘舌 z/zh：2 处", one line per kind, in the order of the kinds.
    QStringList summary() const;

private:
    QVector<PinyinMistake> m_mistakes;
};
