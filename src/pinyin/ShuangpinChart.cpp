#include "pinyin/ShuangpinChart.h"

#include "pinyin/PinyinModule.h"

#include <QSet>

namespace {
QString fromUtf8(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

void addOnce(QStringList &list, const QString &item)
{
    if (!list.contains(item))
        list.append(item);
}
} // namespace

QString pinyin::DisplayPinyin(const QString &pinyin)
{
    QString shown = pinyin;
    return shown.replace(QLatin1Char('v'), QChar(0x00fc));
}

ShuangpinChart::ShuangpinChart(PinyinScheme scheme) : m_scheme(scheme)
{
    m_table = pinyin::ShuangpinTableOf(scheme, &m_error);
    if (!m_table)
        return;
    // std::map orders the keys; syllables are collected in pinyin order below.
    QMap<QString, QString> syllableKeys;
    QSet<QString> zeroInitial;
    for (const auto &entry : m_table->readings) {
        if (entry.first.size() != 2)
            continue;
        const QString typed = fromUtf8(entry.first);
        for (const ShuangpinReading &reading : entry.second) {
            const QString spelled = pinyin::DisplayPinyin(fromUtf8(reading.syllable));
            if (!syllableKeys.contains(spelled))
                syllableKeys.insert(spelled, typed);
            if (reading.initial.empty()) {
                zeroInitial.insert(spelled);
                continue;
            }
            addOnce(m_keys[typed[0]].initials, fromUtf8(reading.initial));
            addOnce(m_keys[typed[1]].finals, pinyin::DisplayPinyin(fromUtf8(reading.final)));
        }
    }
    for (auto it = syllableKeys.cbegin(); it != syllableKeys.cend(); ++it) {
        m_syllables.append({it.key(), it.value()});
        if (zeroInitial.contains(it.key()))
            m_zeroInitial.append({it.key(), it.value()});
    }
}

bool ShuangpinChart::typesSyllable(const QString &keys, const QString &syllable) const
{
    if (!m_table)
        return false;
    const auto entry = m_table->readings.find(keys.toStdString());
    if (entry == m_table->readings.end())
        return false;
    for (const ShuangpinReading &reading : entry->second)
        if (pinyin::DisplayPinyin(fromUtf8(reading.syllable)) == syllable)
            return true;
    return false;
}
