#include "wubi/IdealCodeLength.h"

#include "wubi/WubiCodeIndex.h"
#include "wubi/WubiComposer.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {
bool IsLineBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
} // namespace

IdealCodeLength::IdealCodeLength(const CodeTable &table) : m_table(table)
{
    // A code's exact candidates come first and in table order: an entry's
    // place is the number of entries of the same code before it.
    QHash<QStringView, int> entriesOfCode;
    WubiCodeIndex::forEachEntry(m_table, [this, &entriesOfCode](qsizetype, QStringView word, QStringView code) {
        if (code.contains(WubiCodeIndex::kWildcard))
            return;
        const int place = entriesOfCode[code]++;
        if (place >= WubiComposer::kPageSize)
            return;
        const bool commitsItself = code.size() == WubiCodeIndex::kMaxCodeLength && place == 0;
        const int cost = int(code.size()) + (commitsItself ? 0 : 1);
        const auto known = m_cost.constFind(word);
        if (known == m_cost.cend() || *known > cost)
            m_cost.insert(word, cost);
        int &longest = m_longestFrom[word.front().unicode()];
        longest = std::max(longest, int(word.size()));
        m_longestWord = std::max(m_longestWord, longest);
    });
}

qint64 IdealCodeLength::keys(QStringView text) const
{
    Memo memo;
    return keys(text, memo);
}

qint64 IdealCodeLength::keys(QStringView text, Memo &memo) const
{
    // fewest[i]: the fewest keys for the first i units of the text. It
    // depends on those units only: what the text shares with the memo's
    // stays, and the steps start far enough back to reach past it.
    constexpr qint64 kUnreached = std::numeric_limits<qint64>::max();
    const qsizetype n = text.size();
    qsizetype shared = 0;
    const qsizetype most = std::min<qsizetype>(n, memo.text.size());
    while (shared < most && text[shared] == memo.text[shared])
        ++shared;
    std::vector<qint64> &fewest = memo.fewest;
    fewest.resize(size_t(shared) + 1);
    fewest.resize(size_t(n) + 1, kUnreached);
    fewest[0] = 0;
    memo.text = text.toString();
    const auto reach = [&fewest](qsizetype end, qint64 keys) {
        fewest[size_t(end)] = std::min(fewest[size_t(end)], keys);
    };
    for (qsizetype i = std::max<qsizetype>(0, shared - m_longestWord); i < n; ++i) {
        const qint64 before = fewest[size_t(i)];
        if (before == kUnreached)
            continue; // the middle of a surrogate pair
        const qsizetype one = text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate() ? 2 : 1;
        // A character of the table is typed by its code; any other by its key.
        if (IsLineBreak(text[i]))
            reach(i + one, before);
        else if (!m_cost.contains(text.sliced(i, one)))
            reach(i + one, before + 1);
        const int longest = m_longestFrom.value(text[i].unicode());
        for (qsizetype length = 1; length <= longest && i + length <= n; ++length) {
            const auto cost = m_cost.constFind(text.sliced(i, length));
            if (cost != m_cost.cend())
                reach(i + length, before + *cost);
        }
    }
    return fewest[size_t(n)];
}

double IdealCodeLength::keysPerCharacter(QStringView text) const
{
    qint64 characters = 0;
    for (QChar c : text)
        if (!c.isLowSurrogate() && !IsLineBreak(c))
            ++characters;
    return characters > 0 ? double(keys(text)) / double(characters) : 0.0;
}
