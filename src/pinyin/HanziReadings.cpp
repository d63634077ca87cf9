#include "pinyin/HanziReadings.h"

#include <QFile>
#include <algorithm>

std::unique_ptr<HanziReadings> HanziReadings::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("无法读取汉字读音数据 %1：%2").arg(path, file.errorString());
        return nullptr;
    }
    auto readings = std::make_unique<HanziReadings>();
    const QList<QByteArray> lines = file.readAll().split('\n');
    readings->m_entries.reserve(lines.size());
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 4)
            continue;
        const QVector<uint> character = QString::fromUtf8(fields[0]).toUcs4();
        if (character.size() != 1)
            continue;
        Entry entry;
        entry.level = quint8(fields[1].toUInt());
        entry.rank = quint16(fields[2].toUInt());
        entry.readings = QString::fromUtf8(fields[3]);
        readings->m_entries.insert(character[0], entry);
    }
    if (readings->m_entries.isEmpty()) {
        if (error)
            *error = QStringLiteral("汉字读音数据 %1 已损坏：其中没有读音。").arg(path);
        return nullptr;
    }
    readings->buildSyllableIndex();
    return readings;
}

QStringList HanziReadings::readings(char32_t character) const
{
    const auto it = m_entries.constFind(character);
    return it == m_entries.cend() ? QStringList() : it->readings.split(QLatin1Char(' '));
}

int HanziReadings::level(char32_t character) const
{
    return m_entries.value(character).level;
}

QVector<char32_t> HanziReadings::charactersOfLevel(int level) const
{
    QVector<std::pair<int, char32_t>> ranked;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        if (level > 0 && it->level == level)
            ranked.append({it->rank, it.key()});
    std::sort(ranked.begin(), ranked.end());
    QVector<char32_t> out;
    out.reserve(ranked.size());
    for (const auto &r : ranked)
        out.append(r.second);
    return out;
}

QVector<char32_t> HanziReadings::charactersOf(const SyllableQuery &query) const
{
    QVector<char32_t> out;
    for (const Reader &reader : m_bySyllable.value(query.toneless))
        if (query.tone < 0 || (reader.tones & (1 << (query.tone % 5))))
            out.append(reader.character);
    return out;
}

void HanziReadings::buildSyllableIndex()
{
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        QHash<QString, quint8> tones;
        for (const QString &reading : it->readings.split(QLatin1Char(' ')))
            tones[TonelessSyllable(reading)] |= quint8(1 << ToneOfSyllable(reading));
        for (auto t = tones.cbegin(); t != tones.cend(); ++t)
            m_bySyllable[t.key()].append({it.key(), t.value()});
    }
    // The table's characters by rank, then the rest by code point.
    const auto order = [this](const Reader &r) {
        const Entry &e = *m_entries.constFind(r.character);
        return e.rank ? qint64(e.rank) : 0x10000 + qint64(r.character);
    };
    for (QVector<Reader> &readers : m_bySyllable)
        std::sort(readers.begin(), readers.end(),
                  [&](const Reader &a, const Reader &b) { return order(a) < order(b); });
}
