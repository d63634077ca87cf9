#pragma once
// Reverse lookup: from pinyin to the characters and words read so, each with
// its Wubi 86 and 98 codes.
#include "data/CodeTable.h"

#include <QString>
#include <QStringList>
#include <QVector>

class HanziReadings;
class PinyinLexicon;

struct PinyinMatch {
    QString word;
    QString reading; // toned, syllables separated by spaces
    QString code86;  // empty when the edition's table has no entry
    QString code98;
};

// True when `text` is spelled as pinyin: one or more syllables ("zhong1",
// "zhōng", "lü", "zhong guo", "xi'an") of letters, toned vowels and a tone
// digit. Chinese characters never are; the spelling alone decides, so that
// no data is read for a character.
bool LooksLikePinyin(const QString &text);

// One syllable: the characters read so (tone as given, any tone without),
// those of the standard table first in its order. Several syllables: the
// words read so, most common first. At most `limit` of them: "yi" alone
// reads over five hundred characters, the rare ones last.
QVector<PinyinMatch> LookUpPinyin(const QString &query, const HanziReadings &readings, const PinyinLexicon &lexicon,
                                  const CodeTables &tables, int limit = 100);

// "中 zhōng  86:k  98:k", one line a match.
QString PinyinMatchLine(const PinyinMatch &match);
