#include "data/CodeTable.h"

#include "data/Gbk.h"
#include "data/Scramble.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

namespace {
std::u16string_view units(QStringView v)
{
    return {reinterpret_cast<const char16_t *>(v.utf16()), static_cast<size_t>(v.size())};
}

bool holdsMarker(QStringView v)
{
    return v.contains(QLatin1Char('#')) || v.contains(QLatin1Char('%'));
}
} // namespace

// Every "#" opens a segment that runs to the next "#". The segment's text up
// to its first "%" is a word, the rest its code. A query without "#" and "%"
// can only match at a segment start, so the word hash (first segment wins) and
// the sorted segments answer exactly what a scan of the whole string answers.
// Both are flat arrays of positions: building them for a 100 000-entry table
// takes about ten milliseconds.
struct CodeTable::Index {
    struct Span {
        quint32 start = 0;
        quint32 length = 0;
    };
    // A word's slot holds the position of its first character; the word runs
    // up to the "%" there. Position 0 (never a word start) marks a free slot.
    struct Slot {
        quint32 hash = 0;
        quint32 wordStart = 0;
    };

    QString text; // keeps the viewed buffer alive
    std::vector<Slot> buckets; // open addressing, size a power of two, at most half full
    std::vector<Span> segments; // sorted by their text

    std::u16string_view view(Span s) const
    {
        return {reinterpret_cast<const char16_t *>(text.utf16()) + s.start, s.length};
    }

    static quint32 hashOf(std::u16string_view units)
    {
        quint64 h = 1469598103934665603ULL; // FNV-1a
        for (char16_t u : units) {
            h ^= u;
            h *= 1099511628211ULL;
        }
        return static_cast<quint32>(h ^ (h >> 32));
    }

    // `word` holds no "%", so a match is the same units followed by "%".
    bool holdsWord(quint32 start, std::u16string_view word) const
    {
        const qsizetype end = qsizetype(start) + qsizetype(word.size());
        return end < text.size() && text[end] == QLatin1Char('%') && view({start, quint32(word.size())}) == word;
    }

    // Position of the word's first entry (just past its "#"), or 0.
    quint32 find(std::u16string_view word) const
    {
        const quint32 h = hashOf(word);
        const size_t mask = buckets.size() - 1;
        for (size_t i = h & mask;; i = (i + 1) & mask) {
            const Slot &slot = buckets[i];
            if (slot.wordStart == 0)
                return 0;
            if (slot.hash == h && holdsWord(slot.wordStart, word))
                return slot.wordStart;
        }
    }

    // Keeps the first entry of a word: a later one with the same word is dropped.
    void insertFirst(Span word)
    {
        const std::u16string_view units = view(word);
        const quint32 h = hashOf(units);
        const size_t mask = buckets.size() - 1;
        for (size_t i = h & mask;; i = (i + 1) & mask) {
            Slot &slot = buckets[i];
            if (slot.wordStart == 0) {
                slot = {h, word.start};
                return;
            }
            if (slot.hash == h && holdsWord(slot.wordStart, units))
                return;
        }
    }

    struct Keyed {
        quint64 key;
        Span span;
    };

    // Stable LSD radix sort on the key, one 16-bit code unit per pass.
    static void radixSort(std::vector<Keyed> &items)
    {
        std::vector<Keyed> buffer(items.size());
        std::vector<quint32> starts(1 << 16);
        for (int shift = 0; shift < 64; shift += 16) {
            std::fill(starts.begin(), starts.end(), 0);
            for (const Keyed &k : items)
                ++starts[(k.key >> shift) & 0xFFFF];
            quint32 total = 0;
            for (quint32 &s : starts)
                total += std::exchange(s, total);
            for (const Keyed &k : items)
                buffer[starts[(k.key >> shift) & 0xFFFF]++] = k;
            items.swap(buffer);
        }
    }

    void sortSegments()
    {
        // The radix passes walk 65 536 counters each: a small table sorts
        // faster directly. Both give the order of the segments' texts.
        auto byView = [this](Span a, Span b) { return view(a) < view(b); };
        if (segments.size() < 4096) {
            std::sort(segments.begin(), segments.end(), byView);
            return;
        }
        // Sort on the first four code units packed into one number, then
        // settle ties by the full text.
        std::vector<Keyed> keyed;
        keyed.reserve(segments.size());
        for (Span s : segments) {
            const std::u16string_view v = view(s);
            quint64 key = 0;
            for (size_t i = 0; i < 4; ++i)
                key = (key << 16) | (i < v.size() ? v[i] : 0);
            keyed.push_back({key, s});
        }
        radixSort(keyed);
        auto byText = [this](const Keyed &a, const Keyed &b) { return view(a.span) < view(b.span); };
        for (size_t i = 0; i < keyed.size();) {
            size_t j = i + 1;
            while (j < keyed.size() && keyed[j].key == keyed[i].key)
                ++j;
            if (j - i > 1)
                std::sort(keyed.begin() + i, keyed.begin() + j, byText);
            i = j;
        }
        for (size_t i = 0; i < keyed.size(); ++i)
            segments[i] = keyed[i].span;
    }
};

CodeTable::CodeTable(QString text) : m_text(std::move(text))
{
    // Positions are held in 32 bits; a larger text is only scanned.
    if (m_text.size() > qsizetype(std::numeric_limits<quint32>::max()))
        return;
    auto index = std::make_shared<Index>();
    index->text = m_text;
    const QStringView all(index->text);

    std::vector<quint32> openings;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] == QLatin1Char('#'))
            openings.push_back(quint32(i));
    }
    size_t capacity = 16;
    while (capacity < 2 * openings.size())
        capacity *= 2;
    index->buckets.resize(capacity);
    index->segments.reserve(openings.size());
    for (size_t k = 0; k < openings.size(); ++k) {
        const quint32 begin = openings[k] + 1;
        const quint32 end = k + 1 < openings.size() ? openings[k + 1] : quint32(all.size());
        index->segments.push_back({begin, end - begin});
        const qsizetype percent = all.sliced(begin, end - begin).indexOf(QLatin1Char('%'));
        if (percent >= 0)
            index->insertFirst({begin, quint32(percent)});
    }
    index->sortSegments();
    m_index = std::move(index);
}

std::optional<QString> CodeTable::codeOf(QStringView word) const
{
    if (!m_index || holdsMarker(word))
        return codeOfLinear(word);
    const quint32 wordStart = m_index->find(units(word));
    if (wordStart == 0)
        return std::nullopt;
    const qsizetype codeStart = wordStart + word.size() + 1;
    qsizetype codeEnd = m_text.indexOf(QLatin1Char('#'), codeStart);
    if (codeEnd < 0)
        codeEnd = m_text.size();
    return m_text.mid(codeStart, codeEnd - codeStart);
}

bool CodeTable::isEntryPrefix(QStringView text) const
{
    if (!m_index || text.contains(QLatin1Char('#')))
        return isEntryPrefixLinear(text);
    const std::u16string_view wanted = units(text);
    const auto &segments = m_index->segments;
    const auto it = std::lower_bound(segments.begin(), segments.end(), wanted,
                                     [this](Index::Span s, std::u16string_view w) { return m_index->view(s) < w; });
    return it != segments.end() && m_index->view(*it).substr(0, wanted.size()) == wanted;
}

std::optional<QString> CodeTable::codeOfLinear(QStringView word) const
{
    QString key = QStringLiteral("#");
    key += word;
    key += QLatin1Char('%');
    const qsizetype p = m_text.indexOf(key);
    if (p < 0)
        return std::nullopt;
    // The code starts after the key and runs to the next "#" (or the end of
    // the last entry when the closing "#" is missing).
    const qsizetype start = p + key.size();
    qsizetype next = m_text.indexOf(QLatin1Char('#'), start);
    if (next < 0)
        next = m_text.size();
    return m_text.mid(start, next - start);
}

bool CodeTable::isEntryPrefixLinear(QStringView text) const
{
    QString key = QStringLiteral("#");
    key += text;
    return m_text.contains(key);
}

QString DecodeTableText(const QByteArray &plain, bool *ok)
{
    bool clean = false;
    QString text = DecodeGbk(plain, &clean);
    text.removeIf([](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); });
    if (ok)
        *ok = clean;
    return text;
}

namespace {
// True when the plain bytes end with a line break after an entry whose code
// is 1 to 4 letters.
bool endsWithWholeEntry(const QByteArray &plain)
{
    QByteArrayView rest(plain);
    if (!rest.endsWith('\n') && !rest.endsWith('\r'))
        return false;
    while (rest.endsWith('\n') || rest.endsWith('\r'))
        rest.chop(1);
    const qsizetype percent = rest.lastIndexOf('%');
    if (percent < 0 || rest.lastIndexOf('#') > percent)
        return false;
    const QByteArrayView code = rest.sliced(percent + 1);
    return !code.isEmpty() && code.size() <= 4
        && std::all_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Reads one edition's table; returns an empty string when it loaded.
QString loadTable(const QString &path, const QString &edition, CodeTable &table)
{
    table = CodeTable();
    if (!QFileInfo(path).isFile())
        return QStringLiteral("找不到五笔%1编码表文件：%2").arg(edition, path);
    const QByteArray plain = ReadScrambledFile(path);
    if (plain.isEmpty())
        return QStringLiteral("五笔%1编码表文件是空的或无法读取：%2").arg(edition, path);
    bool ok = false;
    QString text = DecodeTableText(plain, &ok);
    if (!ok)
        return QStringLiteral("五笔%1编码表文件已损坏（不是有效的GBK文本）：%2").arg(edition, path);
    if (!text.startsWith(QLatin1Char('#')) || !text.contains(QLatin1Char('%')))
        return QStringLiteral("五笔%1编码表文件已损坏（不是编码表）：%2").arg(edition, path);
    // A complete table closes its last entry with "#". Without it, a last line
    // that is whole (an entry and its line break) lacks only that "#", which
    // is supplied; a file that stops inside a line was cut off, and its last
    // code may be cut.
    if (!text.endsWith(QLatin1Char('#'))) {
        if (!endsWithWholeEntry(plain))
            return QStringLiteral("五笔%1编码表文件不完整（文件末尾缺失）：%2").arg(edition, path);
        text += QLatin1Char('#');
    }
    table = CodeTable(std::move(text));
    return {};
}
} // namespace

QStringList LoadCodeTables(const QString &dataRoot, bool load86, bool load98, CodeTables &tables)
{
    QStringList messages;
    const QString dir = dataRoot + QStringLiteral("/data/");
    if (load86) {
        const QString m = loadTable(dir + QStringLiteral("zb86.dz"), QStringLiteral("86"), tables.t86);
        if (!m.isEmpty())
            messages << m;
    }
    if (load98) {
        const QString m = loadTable(dir + QStringLiteral("zb98.dz"), QStringLiteral("98"), tables.t98);
        if (!m.isEmpty())
            messages << m;
    }
    return messages;
}
