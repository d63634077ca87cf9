#pragma once
// The 双拼 key drill: a syllable is shown and taken as its two keys in the
// chosen scheme. Any two keys the engine's table reads as exactly that
// syllable are right; a wrong pair keeps the syllable until it is typed
// right. No widgets.
#include "pinyin/ShuangpinChart.h"

class RandomSource;

class ShuangpinDrill {
public:
    enum class Verdict {
        Ignored, // not a key of the scheme
        Pending, // the first key, waiting for the second
        Right,   // a new syllable is drawn
        Wrong,   // the same syllable again
    };

    ShuangpinDrill(PinyinScheme scheme, RandomSource &random);

    const ShuangpinChart &chart() const { return m_chart; }
    // The syllable to type, with the keys the chart gives it.
    const SyllableKeys &current() const { return m_current; }
    // The first key while the second is awaited.
    const QString &typed() const { return m_typed; }

    Verdict press(QChar key);
    // Takes back the first key.
    void erase() { m_typed.clear(); }

private:
    void draw();

    ShuangpinChart m_chart;
    RandomSource &m_random;
    QString m_keysOfScheme;
    SyllableKeys m_current;
    QString m_typed;
};
