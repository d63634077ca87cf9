#include "wubi/PinyinLookup.h"

#include "pinyin/HanziReadings.h"
#include "pinyin/PinyinLexicon.h"
#include "pinyin/Syllables.h"

#include <QRegularExpression>

namespace {
QStringList SyllablesOf(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s']+"));
    return text.trimmed().split(separators, Qt::SkipEmptyParts);
}

QString CodeOf(const CodeTable &table, const QString &word) { return table.codeOf(word).value_or(QString()); }
} // namespace

bool LooksLikePinyin(const QString &text)
{
    const QStringList syllables = SyllablesOf(text);
    if (syllables.isEmpty())
        return false;
    for (const QString &s : syllables)
        if (ParseSyllableQuery(s).toneless.isEmpty())
            return false;
    return true;
}

QVector<PinyinMatch> LookUpPinyin(const QString &query, const HanziReadings &readings, const PinyinLexicon &lexicon,
                                  const CodeTables &tables, int limit)
{
    QVector<PinyinMatch> matches;
    const QStringList syllables = SyllablesOf(query);
    QVector<SyllableQuery> parsed;
    for (const QString &s : syllables) {
        parsed.append(ParseSyllableQuery(s));
        if (parsed.last().toneless.isEmpty())
            return matches;
    }
    if (parsed.size() == 1) {
        for (char32_t c : readings.charactersOf(parsed.first())) {
            const QString character = QString::fromUcs4(&c, 1);
            QStringList toned;
            for (const QString &r : readings.readings(c))
                if (parsed.first().matches(r))
                    toned.append(r);
            matches.append({character, toned.join(QLatin1Char('/')), CodeOf(tables.t86, character),
                            CodeOf(tables.t98, character)});
            if (matches.size() >= limit)
                break;
        }
        return matches;
    }
    QStringList toneless;
    for (const SyllableQuery &q : parsed)
        toneless.append(q.toneless);
    for (const QString &word : lexicon.wordsReadAs(toneless)) {
        const QStringList toned = TonedContextReading(word, lexicon, readings);
        bool tonesMatch = toned.size() == parsed.size();
        for (int i = 0; tonesMatch && i < parsed.size(); ++i)
            tonesMatch = parsed[i].matches(toned[i]);
        if (!tonesMatch)
            continue;
        matches.append({word, toned.join(QLatin1Char(' ')), CodeOf(tables.t86, word), CodeOf(tables.t98, word)});
        if (matches.size() >= limit)
            break;
    }
    return matches;
}

QString PinyinMatchLine(const PinyinMatch &match)
{
    const QString none = QStringLiteral("无");
    return QStringLiteral("%1 %2  86:%3  98:%4")
        .arg(match.word, match.reading, match.code86.isEmpty() ? none : match.code86,
             match.code98.isEmpty() ? none : match.code98);
}
