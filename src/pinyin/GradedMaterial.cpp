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

namespace {
QSet<QString> DistinctCharacters(const QString &text)
{
    QSet<QString> distinct;
    for (const char32_t c : text.toUcs4())
        if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF))
            distinct.insert(QString::fromUcs4(&c, 1));
    return distinct;
}
} // namespace

double UnknownCharacterShare(const QString &text, const QSet<QString> &known)
{
    const QSet<QString> distinct = DistinctCharacters(text);
    if (distinct.isEmpty())
        return 0;
    qsizetype unknown = 0;
    for (const QString &c : distinct)
        unknown += known.contains(c) ? 0 : 1;
    return double(unknown) / double(distinct.size());
}

QString UnknownShareText(const QString &text, const QSet<QString> &known)
{
    const qsizetype distinct = DistinctCharacters(text).size();
    if (distinct == 0)
        return QStringLiteral("没有汉字");
    return QStringLiteral("生字 %1%（共 %2 个不同的字）")
        .arg(qRound(100 * UnknownCharacterShare(text, known)))
        .arg(distinct);
}
