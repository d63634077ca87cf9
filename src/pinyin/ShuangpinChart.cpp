#include "pinyin/ShuangpinChart.h"

#include "pinyin/LibImeHeaders.h"

#include <QSet>

namespace {
QString fromUtf8(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The exact readings of a table entry: what its keys type without fuzziness.
template <typename Readings, typename Visit>
void forEachExactReading(const Readings &readings, Visit visit)
{
    for (const auto &[syllable, flags] : readings)
        if (flags == libime::PinyinFuzzyFlag::None)
            visit(syllable);
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
    const auto profile = pinyin::ShuangpinProfileOf(scheme);
    if (!profile)
        return;
    // std::map orders the keys; syllables are collected in pinyin order below.
    QMap<QString, QString> syllableKeys;
    QSet<QString> zeroInitial;
    for (const auto &entry : profile->table()) {
        if (entry.first.size() != 2)
            continue;
        const QString typed = fromUtf8(entry.first);
        forEachExactReading(entry.second, [&](const libime::PinyinSyllable &syllable) {
            const QString spelled = pinyin::DisplayPinyin(fromUtf8(syllable.toString()));
            if (!syllableKeys.contains(spelled))
                syllableKeys.insert(spelled, typed);
            if (syllable.initial() == libime::PinyinInitial::Zero) {
                zeroInitial.insert(spelled);
                return;
            }
            addOnce(m_keys[typed[0]].initials, fromUtf8(libime::PinyinEncoder::initialToString(syllable.initial())));
            addOnce(m_keys[typed[1]].finals,
                    pinyin::DisplayPinyin(fromUtf8(libime::PinyinEncoder::finalToString(syllable.final()))));
        });
    }
    for (auto it = syllableKeys.cbegin(); it != syllableKeys.cend(); ++it) {
        m_syllables.append({it.key(), it.value()});
        if (zeroInitial.contains(it.key()))
            m_zeroInitial.append({it.key(), it.value()});
    }
}

bool ShuangpinChart::typesSyllable(const QString &keys, const QString &syllable) const
{
    const auto profile = pinyin::ShuangpinProfileOf(m_scheme);
    if (!profile)
        return false;
    const auto entry = profile->table().find(keys.toStdString());
    if (entry == profile->table().end())
        return false;
    bool found = false;
    forEachExactReading(entry->second, [&](const libime::PinyinSyllable &s) {
        found = found || pinyin::DisplayPinyin(fromUtf8(s.toString())) == syllable;
    });
    return found;
}
