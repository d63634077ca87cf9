#include "pinyin/PinyinData.h"

const HanziReadings *PinyinData::readings()
{
    std::lock_guard lock(m_mutex);
    if (!m_readingsTried) {
        m_readingsTried = true;
        m_readings = HanziReadings::load(m_folder + QLatin1Char('/') + readingsFile(), &m_error);
    }
    return m_readings.get();
}

const PinyinLexicon *PinyinData::lexicon()
{
    std::lock_guard lock(m_mutex);
    if (!m_lexiconTried) {
        m_lexiconTried = true;
        m_lexicon = PinyinLexicon::load(m_folder + QLatin1Char('/') + lexiconFile(), &m_error);
    }
    return m_lexicon.get();
}

QString PinyinData::error() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}
