#include "data/CodeTable.h"

#include "data/Gbk.h"
#include "data/Scramble.h"

#include <QFileInfo>
#include <algorithm>
#include <string_view>

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
// can only match at a segment start, so the hash (first segment wins) and the
// sorted segments answer exactly what a scan of the whole string answers.
struct CodeTable::Index {
    QString text; // keeps the viewed buffer alive
    struct Span {
        qsizetype start;
        qsizetype length;
    };
    QHash<QStringView, Span> codes;
    std::vector<std::u16string_view> segments; // sorted
};

CodeTable::CodeTable(QString text) : m_text(std::move(text))
{
    auto index = std::make_shared<Index>();
    index->text = m_text;
    const QStringView all(index->text);

    std::vector<qsizetype> openings;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] == QLatin1Char('#'))
            openings.push_back(i);
    }
    index->segments.reserve(openings.size());
    index->codes.reserve(static_cast<qsizetype>(openings.size()));
    for (size_t k = 0; k < openings.size(); ++k) {
        const qsizetype begin = openings[k] + 1;
        const qsizetype end = k + 1 < openings.size() ? openings[k + 1] : all.size();
        const QStringView segment = all.sliced(begin, end - begin);
        index->segments.push_back(units(segment));
        const qsizetype percent = segment.indexOf(QLatin1Char('%'));
        if (percent < 0)
            continue;
        const QStringView word = segment.first(percent);
        if (!index->codes.contains(word))
            index->codes.insert(word, {begin + percent + 1, segment.size() - percent - 1});
    }
    std::sort(index->segments.begin(), index->segments.end());
    m_index = std::move(index);
}

std::optional<QString> CodeTable::codeOf(QStringView word) const
{
    if (!m_index)
        return std::nullopt;
    if (holdsMarker(word))
        return codeOfLinear(word);
    const auto it = m_index->codes.constFind(word);
    if (it == m_index->codes.constEnd())
        return std::nullopt;
    return m_text.mid(it->start, it->length);
}

bool CodeTable::isEntryPrefix(QStringView text) const
{
    if (!m_index)
        return false;
    if (text.contains(QLatin1Char('#')))
        return isEntryPrefixLinear(text);
    const std::u16string_view wanted = units(text);
    const auto &segments = m_index->segments;
    const auto it = std::lower_bound(segments.begin(), segments.end(), wanted);
    return it != segments.end() && it->substr(0, wanted.size()) == wanted;
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
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    if (ok)
        *ok = clean;
    return text;
}

namespace {
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
