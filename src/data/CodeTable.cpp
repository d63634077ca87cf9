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

// Plain scans of the table string, for what the index does not cover: a
// table without one, and questions that hold the entry markers.
std::optional<QString> scanCodeOf(const QString &table, QStringView word)
{
    QString key = QStringLiteral("#");
    key += word;
    key += QLatin1Char('%');
    const qsizetype p = table.indexOf(key);
    if (p < 0)
        return std::nullopt;
    // The code starts after the key and runs to the next "#" (or the end of
    // the last entry when the closing "#" is missing).
    const qsizetype start = p + key.size();
    qsizetype next = table.indexOf(QLatin1Char('#'), start);
    if (next < 0)
        next = table.size();
    return table.mid(start, next - start);
}

bool scanEntryPrefix(const QString &table, QStringView text)
{
    QString key = QStringLiteral("#");
    key += text;
    return table.contains(key);
}
} // namespace

// Every "#" opens a segment that runs to the next "#". The segment's text up
// to its first "%" is a word, the rest its code. A query without "#" and "%"
// can only match at a segment start, so the segments in the order of their
// texts answer exactly what a scan of the whole string answers: an entry
// prefix is a binary search, a word the first in the file of the segments
// that begin with the word and "%". The index is one array of 32-bit
// positions into the table's one string, four bytes per entry.
struct CodeTable::Index {
    QString text; // keeps the viewed buffer alive
    std::vector<quint32> segments; // segment starts (just past their "#"), by text, then position

    std::u16string_view view(quint32 start) const
    {
        const qsizetype next = text.indexOf(QLatin1Char('#'), start);
        const qsizetype end = next < 0 ? text.size() : next;
        return {reinterpret_cast<const char16_t *>(text.utf16()) + start, size_t(end - qsizetype(start))};
    }

    using Iterator = std::vector<quint32>::const_iterator;

    // The first segment whose text is not before `prefix`.
    Iterator lowerBound(std::u16string_view prefix) const
    {
        return std::lower_bound(segments.begin(), segments.end(), prefix,
                                [this](quint32 s, std::u16string_view p) { return view(s) < p; });
    }

    bool begins(Iterator it, std::u16string_view prefix) const
    {
        return it != segments.end() && view(*it).substr(0, prefix.size()) == prefix;
    }

    // The segments whose text begins with `prefix`.
    std::pair<Iterator, Iterator> beginningWith(std::u16string_view prefix) const
    {
        const Iterator first = lowerBound(prefix);
        Iterator last = first;
        while (begins(last, prefix))
            ++last;
        return {first, last};
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
    index->segments.reserve(size_t(all.count(QLatin1Char('#'))));
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] == QLatin1Char('#'))
            index->segments.push_back(quint32(i + 1));
    }
    const Index &ix = *index;
    std::sort(index->segments.begin(), index->segments.end(), [&ix](quint32 a, quint32 b) {
        const std::u16string_view va = ix.view(a), vb = ix.view(b);
        return va != vb ? va < vb : a < b;
    });
    m_index = std::move(index);
}

std::optional<QString> CodeTable::codeOf(QStringView word) const
{
    if (!m_index || holdsMarker(word))
        return scanCodeOf(m_text, word);
    std::u16string key(units(word));
    key += u'%';
    const auto [first, last] = m_index->beginningWith(key);
    if (first == last)
        return std::nullopt;
    const quint32 entry = *std::min_element(first, last); // the first in the file wins
    const qsizetype codeStart = qsizetype(entry) + qsizetype(key.size());
    const std::u16string_view segment = m_index->view(entry);
    return m_text.mid(codeStart, qsizetype(entry) + qsizetype(segment.size()) - codeStart);
}

bool CodeTable::isEntryPrefix(QStringView text) const
{
    if (!m_index || text.contains(QLatin1Char('#')))
        return scanEntryPrefix(m_text, text);
    const std::u16string_view wanted = units(text);
    return m_index->begins(m_index->lowerBound(wanted), wanted);
}

QString DecodeTableText(const QByteArray &plain, bool *ok)
{
    bool clean = false;
    QString text = DecodeGbk(plain, &clean);
    text.removeIf([](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); });
    text.squeeze(); // the table is kept for the whole run: no room for the line breaks
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
