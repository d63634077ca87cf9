#pragma once
// The pinyin data the drills, hints and lookups share: character readings
// and the word lexicon, each read from the data folder on first use and kept.
#include "pinyin/HanziReadings.h"
#include "pinyin/PinyinLexicon.h"

#include <QString>
#include <memory>
#include <mutex>

class PinyinData {
public:
    // `dataFolder` holds hanzi_readings.txt and pinyin_words.txt.
    explicit PinyinData(QString dataFolder) : m_folder(std::move(dataFolder)) {}

    // Null when the file cannot be read; `error()` then says why, for the learner.
    const HanziReadings *readings();
    const PinyinLexicon *lexicon();
    // Both, or null with `error()` set.
    bool available() { return readings() && lexicon(); }
    QString error() const;

    static QString readingsFile() { return QStringLiteral("hanzi_readings.txt"); }
    static QString lexiconFile() { return QStringLiteral("pinyin_words.txt"); }

private:
    QString m_folder;
    mutable std::mutex m_mutex;
    bool m_readingsTried = false;
    bool m_lexiconTried = false;
    std::unique_ptr<HanziReadings> m_readings;
    std::unique_ptr<PinyinLexicon> m_lexicon;
    QString m_error;
};
