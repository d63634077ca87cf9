#pragma once
// The words of the pinyin dictionary with their readings and how common
// they are, read from data/pinyin_words.txt ("word<TAB>pin'yin<TAB>score",
// sorted by the word's bytes; built from the pinyin engine's dictionary and
// language model). Serves word readings, frequency ranks, reverse lookup and
// the reading of characters in context, without the engine itself.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <mutex>

class HanziReadings;

class PinyinLexicon {
public:
    // Null, with `error` set to a message for the learner, when the file is
    // missing or damaged.
    static std::unique_ptr<PinyinLexicon> load(const QString &path, QString *error);

    // The toneless syllables of a word ("银行" -> yin, hang), its most common
    // reading when it has several; empty for a word the dictionary lacks.
    QStringList reading(const QString &word) const;
    // log10 of the word's probability on its own; lower than any real score
    // for an unknown word.
    float score(const QString &word) const;
    static constexpr float kUnknownScore = -100.0f;

    // The `count` most common entries of `length` characters (0: two or more),
    // most common first.
    QStringList mostCommon(int count, int length) const;
    // Words read exactly as the toneless syllables ("zhong", "guo"), most
    // common first.
    QStringList wordsReadAs(const QStringList &syllables) const;

    // The toneless reading of each character of `text` in context: the text
    // is split into the most likely words of the dictionary. One entry per
    // character (code point); empty for what has no reading.
    QStringList contextReading(const QString &text) const;

    int size() const { return int(m_lines.size()); }

private:
    struct Line {
        quint32 offset;
        float score;
    };
    QByteArray field(const Line &line, int index) const;
    // The lines of one word (several when it has several readings).
    std::pair<const Line *, const Line *> linesOf(const QByteArray &word) const;
    const Line *mostCommonLineOf(const QByteArray &word) const;
    const QVector<Line> &byReading() const;

    QByteArray m_text;
    QVector<Line> m_lines; // in the file's order, by word
    mutable std::once_flag m_byReadingBuilt;
    mutable QVector<Line> m_byReading; // by reading, then most common first
};

// Toned pinyin of each character of `text` (one entry per code point): the
// reading in context from the lexicon, toned by the character's readings;
// a character the lexicon cannot place gets its usual reading; empty for
// what is no Chinese character.
QStringList TonedContextReading(const QString &text, const PinyinLexicon &lexicon, const HanziReadings &readings);
