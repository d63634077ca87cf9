#pragma once
// The Mandarin readings of Chinese characters and their level in the Table
// of General Standard Chinese Characters (通用规范汉字表, 2013: level 1 holds
// the 3,500 common characters, level 2 the next 3,000, level 3 1,605 more),
// read from data/hanzi_readings.txt (built from the Unihan database).
#include "pinyin/Syllables.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class HanziReadings {
public:
    // Null, with `error` set to a message for the learner, when the file is
    // missing or holds no readings.
    static std::unique_ptr<HanziReadings> load(const QString &path, QString *error);

    // Toned readings, the usual one first; empty for an unknown character.
    QStringList readings(char32_t character) const;
    // 1..3, or 0 when the character is not in the table.
    int level(char32_t character) const;
    // The characters of one level, in the table's order.
    QVector<char32_t> charactersOfLevel(int level) const;
    // Characters with a reading the query matches: the table's characters
    // first, in its order, then the others by code point.
    QVector<char32_t> charactersOf(const SyllableQuery &query) const;

    int size() const { return int(m_entries.size()); }

private:
    struct Entry {
        quint8 level = 0;
        quint16 rank = 0;
        QString readings; // space separated
    };
    // Toneless syllable -> its characters in lookup order, each with the
    // tones it is read in (bit n: tone n, 0 = neutral).
    struct Reader {
        char32_t character;
        quint8 tones;
    };
    void buildSyllableIndex();

    QHash<char32_t, Entry> m_entries;
    QHash<QString, QVector<Reader>> m_bySyllable;
};
