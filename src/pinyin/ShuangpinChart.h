#pragma once
// A 双拼 scheme's key chart, read from the engine's own table of the scheme:
// which initials and finals each key stands for, and the two keys of every
// syllable. Syllables without an initial (a, ai, ang, ...) have keys of
// their own in each scheme and are listed apart.
#include "pinyin/PinyinScheme.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

struct ShuangpinTable;

struct ShuangpinKeyLabels {
    QStringList initials; // "zh", "b", ... as pinyin spells them
    QStringList finals;   // "iang", "ü", ...
};

struct SyllableKeys {
    QString syllable; // "zhuang", "lü"
    QString keys;     // the two keys, e.g. "vl"
};

class ShuangpinChart {
public:
    explicit ShuangpinChart(PinyinScheme scheme);

    PinyinScheme scheme() const { return m_scheme; }
    // By key ('a'..'z', ';'), only keys that stand for something.
    const QMap<QChar, ShuangpinKeyLabels> &keys() const { return m_keys; }
    // Syllables without an initial and their keys, in pinyin order.
    const QVector<SyllableKeys> &zeroInitialSyllables() const { return m_zeroInitial; }
    // Every syllable the scheme types in two keys, each once, in pinyin order.
    const QVector<SyllableKeys> &syllables() const { return m_syllables; }
    // Whether the two keys type the syllable exactly (no fuzzy reading).
    bool typesSyllable(const QString &keys, const QString &syllable) const;
    // "拼音练习不可用：…" when the engine's table cannot be had; the chart is then empty.
    const QString &unavailableMessage() const { return m_error; }

private:
    PinyinScheme m_scheme;
    std::shared_ptr<const ShuangpinTable> m_table;
    QString m_error;
    QMap<QChar, ShuangpinKeyLabels> m_keys;
    QVector<SyllableKeys> m_zeroInitial;
    QVector<SyllableKeys> m_syllables;
};

namespace pinyin {
// Pinyin as the learner reads it: v for ü written ü ("lv" -> "lü").
QString DisplayPinyin(const QString &pinyin);
} // namespace pinyin
