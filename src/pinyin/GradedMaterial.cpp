#include "pinyin/GradedMaterial.h"

#include "pinyin/HanziReadings.h"
#include "pinyin/PinyinLexicon.h"

QString CharactersOfLevel(const HanziReadings &readings, int level)
{
    QString out;
    for (char32_t c : readings.charactersOfLevel(level))
        out += QString::fromUcs4(&c, 1);
    return out;
}

QString CommonCharacters(const PinyinLexicon &lexicon, const HanziReadings &readings, int first, int count)
{
    // Every character of the table is in the lexicon; the rare ones outside
    // the table are skipped, so ask for all and keep the table's.
    QString out;
    int rank = 0;
    for (const QString &character : lexicon.mostCommon(lexicon.size(), 1)) {
        if (readings.level(character.toUcs4().value(0)) == 0)
            continue;
        if (rank++ >= first)
            out += character;
        if (rank >= first + count)
            break;
    }
    return out;
}

QStringList CommonWords(const PinyinLexicon &lexicon, int count)
{
    return lexicon.mostCommon(count, 0);
}
