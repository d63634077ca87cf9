#include "wubi/WubiCodeIndex.h"

#include <algorithm>

namespace {
constexpr int kBitsPerKey = 5;

int keyValue(QChar letter)
{
    return letter.unicode() - 'a' + 1;
}

// The bits of key positions `from` to the last: all set.
quint32 fillFrom(int from)
{
    return (quint32(1) << (kBitsPerKey * (WubiCodeIndex::kMaxCodeLength - from))) - 1;
}

quint32 withKey(quint32 key, int position, QChar letter)
{
    return key | quint32(keyValue(letter)) << (kBitsPerKey * (WubiCodeIndex::kMaxCodeLength - 1 - position));
}

quint32 packCode(QStringView code)
{
    quint32 key = 0;
    for (int i = 0; i < code.size(); ++i)
        key = withKey(key, i, code[i]);
    return key;
}

bool hasWildcard(QStringView code)
{
    return code.contains(WubiCodeIndex::kWildcard);
}

bool isSingleCharacter(QStringView word)
{
    return word.size() == 1 || (word.size() == 2 && word[0].isHighSurrogate() && word[1].isLowSurrogate());
}
} // namespace

bool WubiCodeIndex::isTypedCode(QStringView code)
{
    return !code.isEmpty() && code.size() <= kMaxCodeLength &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); });
}

void WubiCodeIndex::forEachEntry(const CodeTable &table,
                                 const std::function<void(qsizetype wordStart, QStringView word, QStringView code)> &visit)
{
    const QString &text = table.text();
    qsizetype open = text.indexOf(QLatin1Char('#'));
    while (open >= 0) {
        qsizetype next = text.indexOf(QLatin1Char('#'), open + 1);
        const qsizetype end = next < 0 ? text.size() : next;
        const QStringView segment = QStringView(text).sliced(open + 1, end - open - 1);
        const qsizetype percent = segment.indexOf(QLatin1Char('%'));
        if (percent > 0 && isTypedCode(segment.sliced(percent + 1)))
            visit(open + 1, segment.first(percent), segment.sliced(percent + 1));
        open = next;
    }
}

WubiCodeIndex::WubiCodeIndex(const CodeTable &table) : m_table(table)
{
    const QString &text = m_table.text();
    forEachEntry(m_table, [this](qsizetype wordStart, QStringView word, QStringView code) {
        m_entries.push_back({quint32(wordStart), quint16(qMin<qsizetype>(word.size(), 0xFFFF)), quint8(code.size()),
                             packCode(code)});
    });

    for (quint32 n = 0; n < m_entries.size(); ++n) {
        const Entry &e = m_entries[n];
        m_byLength[e.codeLength].push_back(quint64(e.key) << 32 | n);
        for (int prefix = 1; prefix < e.codeLength; ++prefix)
            m_longerThan[prefix].push_back(quint64(e.key & ~fillFrom(prefix)) << 32 | n);
        const QString word = text.mid(e.wordStart, e.wordLength);
        if (isSingleCharacter(word)) {
            const auto known = m_shortestOfCharacter.constFind(word);
            if (known == m_shortestOfCharacter.cend() || m_entries[*known].codeLength > e.codeLength)
                m_shortestOfCharacter.insert(word, n);
        }
    }
    for (Sorted &sorted : m_byLength)
        std::sort(sorted.begin(), sorted.end());
    for (Sorted &sorted : m_longerThan)
        std::sort(sorted.begin(), sorted.end());
}

WubiCodeIndex::Range WubiCodeIndex::keyRange(const Sorted &sorted, quint32 low, quint32 high)
{
    const auto begin = std::lower_bound(sorted.begin(), sorted.end(), quint64(low) << 32);
    const auto end = std::lower_bound(begin, sorted.end(), (quint64(high) + 1) << 32);
    return {begin, end};
}

WubiCodeIndex::Range WubiCodeIndex::exact(QStringView code) const
{
    const quint32 key = packCode(code);
    return keyRange(m_byLength[code.size()], key, key);
}

WubiCodeIndex::Range WubiCodeIndex::longer(QStringView code) const
{
    if (code.size() >= kMaxCodeLength)
        return {m_byLength[0].end(), m_byLength[0].end()};
    const quint32 key = packCode(code);
    return keyRange(m_longerThan[code.size()], key, key);
}

bool WubiCodeIndex::forEachWildcardMatch(const Sorted &sorted, QStringView pattern, quint32 prefixKey, int depth,
                                         const std::function<bool(quint32)> &visit) const
{
    if (depth == pattern.size()) {
        const Range range = keyRange(sorted, prefixKey, prefixKey | fillFrom(depth));
        for (auto it = range.begin; it != range.end; ++it) {
            if (!visit(quint32(*it)))
                return false;
        }
        return true;
    }
    const QChar wanted = pattern[depth];
    for (char16_t letter = 'a'; letter <= 'z'; ++letter) {
        if (wanted != kWildcard && wanted != QChar(letter))
            continue;
        const quint32 key = withKey(prefixKey, depth, QChar(letter));
        // Skip letters no code continues with: each level costs two searches.
        if (keyRange(sorted, key, key | fillFrom(depth + 1)).size() == 0)
            continue;
        if (!forEachWildcardMatch(sorted, pattern, key, depth + 1, visit))
            return false;
    }
    return true;
}

void WubiCodeIndex::forEachCandidate(QStringView code, const std::function<bool(quint32)> &visit) const
{
    if (!isTypedCode(code))
        return;
    if (hasWildcard(code)) {
        for (int length = int(code.size()); length <= kMaxCodeLength; ++length) {
            if (!forEachWildcardMatch(m_byLength[length], code, 0, 0, visit))
                return;
        }
        return;
    }
    for (const Range range : {exact(code), longer(code)}) {
        for (auto it = range.begin; it != range.end; ++it) {
            if (!visit(quint32(*it)))
                return;
        }
    }
}

QVector<CodeEntry> WubiCodeIndex::candidates(QStringView code, int first, int count) const
{
    QVector<CodeEntry> found;
    if (!isTypedCode(code) || first < 0 || count <= 0)
        return found;
    if (!hasWildcard(code)) {
        // Both groups are arrays: go straight to the page.
        const Range groups[] = {exact(code), longer(code)};
        qsizetype skip = first;
        for (const Range &range : groups) {
            for (auto it = range.begin + qMin(skip, range.size()); it != range.end && found.size() < count; ++it)
                found.append(entryAt(quint32(*it)));
            skip = qMax<qsizetype>(0, skip - range.size());
        }
        return found;
    }
    int seen = 0;
    forEachCandidate(code, [&](quint32 n) {
        if (seen++ >= first)
            found.append(entryAt(n));
        return found.size() < count;
    });
    return found;
}

int WubiCodeIndex::candidateCount(QStringView code, int limit) const
{
    if (!isTypedCode(code))
        return 0;
    if (!hasWildcard(code))
        return int(qMin<qsizetype>(limit, exact(code).size() + longer(code).size()));
    int counted = 0;
    forEachCandidate(code, [&](quint32) { return ++counted < limit; });
    return counted;
}

QString WubiCodeIndex::shortestCode(QStringView character) const
{
    const auto it = m_shortestOfCharacter.constFind(character.toString());
    return it == m_shortestOfCharacter.cend() ? QString() : entryAt(*it).code;
}

CodeEntry WubiCodeIndex::entryAt(quint32 number) const
{
    const Entry &e = m_entries[number];
    const QString &text = m_table.text();
    return {text.mid(e.wordStart, e.wordLength), text.mid(e.wordStart + e.wordLength + 1, e.codeLength)};
}
