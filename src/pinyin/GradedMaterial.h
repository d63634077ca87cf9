#pragma once
// Practice material graded by how common it is: the characters of one level
// of the standard table, the most common characters in bands (the first 500,
// the next 500, ...), and the most common words.
#include <QString>
#include <QSet>
#include <QStringList>

class HanziReadings;
class PinyinLexicon;

// The characters of the table's level 1, 2 or 3, in the table's order.
QString CharactersOfLevel(const HanziReadings &readings, int level);
// The characters ranked `first` .. `first + count - 1` (0-based) by how
// common they are; only characters of the standard table count.
QString CommonCharacters(const PinyinLexicon &lexicon, const HanziReadings &readings, int first, int count);
// The `count` most common words of two or more characters.
QStringList CommonWords(const PinyinLexicon &lexicon, int count);

// The share (0..1) of the distinct Chinese characters of `text` that are
// not in `known`; 0 for a text without Chinese characters.
double UnknownCharacterShare(const QString &text, const QSet<QString> &known);
// "生字 12%（共 80 个不同的字）", for the text chooser.
QString UnknownShareText(const QString &text, const QSet<QString> &known);
