#include "pinyin/PinyinDrills.h"

#include "data/Random.h"
#include "pinyin/GradedMaterial.h"
#include "pinyin/HanziReadings.h"
#include "pinyin/PinyinLexicon.h"
#include "pinyin/Syllables.h"

#include <QHash>
#include <QSet>

namespace pinyin {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The syllable of a character as usually read, cut into its parts.
SyllableParts UsualParts(const HanziReadings &readings, const QString &character)
{
    return SplitSyllable(TonelessSyllable(readings.readings(character.toUcs4().value(0)).value(0)));
}

// The common characters sorted into the groups `order` names, by `soundOf`.
template <typename SoundOf>
QVector<SoundGroup> GroupCommonCharacters(const PinyinLexicon &lexicon, const HanziReadings &readings,
                                          const QStringList &order, SoundOf soundOf)
{
    QHash<QString, QString> bySound;
    const QString common = CommonCharacters(lexicon, readings, 0, kCommonPool);
    for (char32_t c : common.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        bySound[soundOf(UsualParts(readings, character))] += character;
    }
    QVector<SoundGroup> groups;
    for (const QString &sound : order)
        if (!bySound.value(sound).isEmpty())
            groups.append({sound, bySound.value(sound)});
    return groups;
}

QString Draw(const QString &pool, RandomSource &random)
{
    const QVector<uint> chars = pool.toUcs4();
    const uint c = chars.at(random.uniform(0, int(chars.size()) - 1));
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
}

} // namespace

QVector<SoundGroup> InitialGroups(const PinyinLexicon &lexicon, const HanziReadings &readings)
{
    const QStringList order{QStringLiteral("b"), QStringLiteral("p"), QStringLiteral("m"),  QStringLiteral("f"),
                            QStringLiteral("d"), QStringLiteral("t"), QStringLiteral("n"),  QStringLiteral("l"),
                            QStringLiteral("g"), QStringLiteral("k"), QStringLiteral("h"),  QStringLiteral("j"),
                            QStringLiteral("q"), QStringLiteral("x"), QStringLiteral("zh"), QStringLiteral("ch"),
                            QStringLiteral("sh"), QStringLiteral("r"), QStringLiteral("z"), QStringLiteral("c"),
                            QStringLiteral("s"), QStringLiteral("y"), QStringLiteral("w")};
    return GroupCommonCharacters(lexicon, readings, order, [](const SyllableParts &p) { return p.initial; });
}

QVector<SoundGroup> FinalGroups(const PinyinLexicon &lexicon, const HanziReadings &readings)
{
    const QStringList order = QStringLiteral("a o e i u v ai ei ui ao ou iu ie ve er an en in un vn ang eng ing ong "
                                             "ia iao ian iang iong ua uo uai uan uang")
                                  .split(QLatin1Char(' '));
    // Syllables spelt with y or w, and the i of zhi, ci ..., are the whole
    // syllables' drill; they would teach a final wrongly here.
    return GroupCommonCharacters(lexicon, readings, order, [](const SyllableParts &p) {
        if (p.initial == QLatin1String("y") || p.initial == QLatin1String("w"))
            return QString();
        if (p.final == QLatin1String("i") && QStringLiteral("zh ch sh r z c s").split(QLatin1Char(' ')).contains(p.initial))
            return QString();
        return p.final;
    });
}

QStringList WholeSyllables()
{
    return QStringLiteral("zhi chi shi ri zi ci si yi wu yu ye yue yuan yin yun ying").split(QLatin1Char(' '));
}

QVector<SoundGroup> WholeSyllableGroups(const PinyinLexicon &lexicon, const HanziReadings &readings)
{
    QSet<char32_t> common;
    for (char32_t c : CommonCharacters(lexicon, readings, 0, kCommonPool).toUcs4())
        common.insert(c);
    QVector<SoundGroup> groups;
    for (const QString &syllable : WholeSyllables()) {
        QString characters;
        for (char32_t c : readings.charactersOf(ParseSyllableQuery(syllable)))
            if (common.contains(c))
                characters += QString::fromUcs4(&c, 1);
        if (!characters.isEmpty())
            groups.append({syllable, characters});
    }
    return groups;
}

QString SoundDrillText(const QVector<SoundGroup> &groups, int characterCount, RandomSource &random)
{
    QString text;
    for (int made = 0, line = 0; made < characterCount && !groups.isEmpty(); ++line) {
        const SoundGroup &group = groups.at(line % groups.size());
        for (int i = 0; i < kCharsPerLine && made < characterCount; ++i, ++made)
            text += Draw(group.characters, random);
        text += kLineEnd;
    }
    return text;
}

QString CharacterDrillText(const QString &pool, int characterCount, RandomSource &random)
{
    return SoundDrillText({{QString(), pool}}, pool.isEmpty() ? 0 : characterCount, random);
}

QString WordDrillText(const QStringList &words, int characterCount, RandomSource &random)
{
    QString text, line;
    for (int made = 0; made < characterCount && !words.isEmpty();) {
        const QString word = words.at(random.uniform(0, int(words.size()) - 1));
        if (!line.isEmpty() && line.size() + word.size() > kCharsPerLine) {
            text += line + kLineEnd;
            line.clear();
        }
        line += word;
        made += int(word.toUcs4().size());
    }
    if (!line.isEmpty())
        text += line + kLineEnd;
    return text;
}

QString ConfusedPairsText(const QVector<ConfusedPair> &pairs, int characterCount, const PinyinLexicon &lexicon,
                          const HanziReadings &readings)
{
    constexpr int kPerSyllable = 3; // characters of each syllable a contrast line shows
    const QStringList commonWords = CommonWords(lexicon, 20000);
    QStringList lines;
    for (const ConfusedPair &pair : pairs) {
        // The confused characters first, then other common ones of the same sound.
        QStringList sides[2];
        const QString syllables[2] = {pair.expectedSyllable, pair.typedSyllable};
        const QString seen[2] = {pair.expectedChar, pair.typedChar};
        QSet<QString> contrast;
        for (int side = 0; side < 2; ++side) {
            if (!seen[side].isEmpty())
                sides[side] << seen[side];
            for (char32_t c : readings.charactersOf(ParseSyllableQuery(syllables[side]))) {
                if (sides[side].size() >= kPerSyllable)
                    break;
                const QString character = QString::fromUcs4(&c, 1);
                if (readings.level(c) == 1 && !sides[side].contains(character))
                    sides[side] << character;
            }
            for (const QString &c : sides[side])
                contrast.insert(c);
        }
        QString chars;
        for (int i = 0; i < kPerSyllable; ++i)
            for (const QStringList &side : sides)
                if (i < side.size())
                    chars += side.at(i) + side.at(i);
        if (!chars.isEmpty())
            lines << chars;
        // Words that hold one of the contrasted characters.
        QString words;
        for (const QString &word : commonWords) {
            if (words.size() + word.size() > kCharsPerLine)
                break;
            for (const QString &c : std::as_const(contrast))
                if (word.contains(c)) {
                    words += word;
                    break;
                }
        }
        if (!words.isEmpty())
            lines << words;
    }
    QString text;
    // The pairs in their order (most often confused first), over and over.
    for (int made = 0, i = 0; made < characterCount && !lines.isEmpty(); ++i) {
        const QString &line = lines.at(i % lines.size());
        text += line + kLineEnd;
        made += int(line.toUcs4().size());
    }
    return text;
}

} // namespace pinyin
