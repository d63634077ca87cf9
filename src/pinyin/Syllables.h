#pragma once
// Pinyin syllables in their three spellings: toned ("zhōng", "lǜ"), toneless
// as typed on a keyboard ("zhong", "lv": ü is typed v) and numbered
// ("zhong1", "lv4"; 5 or 0 for the neutral tone).
#include <QString>

// "lǜ" -> "lv", "zhōng" -> "zhong", "Zhōng" -> "zhong".
QString TonelessSyllable(const QString &toned);
// 1..4, or 0 for the neutral tone.
int ToneOfSyllable(const QString &toned);
// ("zhong", 1) -> "zhōng", ("lv", 4) -> "lǜ", ("ma", 0) -> "ma".
QString TonedSyllable(const QString &toneless, int tone);

// What the learner asked for: "zhong1", "zhōng", "zhong", "lü", "lv3".
struct SyllableQuery {
    QString toneless;  // empty when the text is no syllable spelling
    int tone = -1;     // -1: any tone
    bool matches(const QString &toned) const;
};
SyllableQuery ParseSyllableQuery(const QString &text);

// A toneless syllable cut into its initial (empty for "an", "er") and final.
// ü is written v, also where the spelling writes it u (ju, qu, xu, yu), so
// that lü and lu differ and ju and jv are one syllable.
struct SyllableParts {
    QString initial;
    QString final;
};
SyllableParts SplitSyllable(const QString &toneless);
