#include "pinyin/ShuangpinDrill.h"

#include "data/Random.h"

ShuangpinDrill::ShuangpinDrill(PinyinScheme scheme, RandomSource &random) : m_chart(scheme), m_random(random)
{
    for (const SyllableKeys &s : m_chart.syllables())
        for (QChar key : s.keys)
            if (!m_keysOfScheme.contains(key))
                m_keysOfScheme += key;
    draw();
}

void ShuangpinDrill::draw()
{
    const QVector<SyllableKeys> &all = m_chart.syllables();
    if (all.isEmpty())
        return;
    // Never the same syllable twice in a row.
    SyllableKeys next;
    do
        next = all.at(m_random.uniform(0, int(all.size()) - 1));
    while (all.size() > 1 && next.syllable == m_current.syllable);
    m_current = next;
}

ShuangpinDrill::Verdict ShuangpinDrill::press(QChar key)
{
    if (m_current.syllable.isEmpty() || !m_keysOfScheme.contains(key))
        return Verdict::Ignored;
    if (m_typed.isEmpty()) {
        m_typed = key;
        return Verdict::Pending;
    }
    const QString keys = m_typed + key;
    m_typed.clear();
    if (!m_chart.typesSyllable(keys, m_current.syllable))
        return Verdict::Wrong;
    draw();
    return Verdict::Right;
}
