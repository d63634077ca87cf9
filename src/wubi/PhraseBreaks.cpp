#include "wubi/PhraseBreaks.h"

#include "practice/TextUnits.h"

namespace wubi {
namespace {
constexpr int kShortestLongPhrase = 5;

QVector<int> EveryNth(int count, int length)
{
    QVector<int> starts;
    for (int i = 0; i < count; i += length)
        starts.append(i);
    return starts;
}

// Splits `characters` into words of the table of at least five characters,
// longer words first where several splits are possible.
QVector<int> TableWordStarts(const CodeTable &table, const QStringList &characters)
{
    const int n = int(characters.size());
    QVector<int> wordAt(n + 1, 0); // length of the word starting at i that leads to a full split
    QVector<bool> splits(n + 1, false);
    splits[n] = true;
    for (int i = n - kShortestLongPhrase; i >= 0; --i) {
        for (int length = n - i; length >= kShortestLongPhrase; --length) {
            if (splits[i + length] && table.codeOf(characters.mid(i, length).join(QString()))) {
                wordAt[i] = length;
                splits[i] = true;
                break;
            }
        }
    }
    QVector<int> starts;
    if (n == 0 || !splits[0])
        return starts;
    for (int i = 0; i < n; i += wordAt[i])
        starts.append(i);
    return starts;
}
} // namespace

QVector<int> PhraseStarts(const PracticeState &state, const QString &line)
{
    if (state.phraseDrillKind[5])
        return TableWordStarts(CodeTablesOf(state).edition(state.phraseEdition86), Characters(line));
    for (int length = 2; length <= 4; ++length)
        if (state.phraseDrillKind[std::size_t(length)])
            return EveryNth(CharacterCount(line), length);
    return {};
}

} // namespace wubi
