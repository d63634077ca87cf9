#pragma once
// 理想码长: the fewest keys one edition's code table allows for a text, the
// way Chinese typing clubs reckon it.
//
// The text is split into words of the table (single characters or phrases)
// so that the keys add up to the least. A word costs the keys of its code,
// plus one key that commits it: the space for the first candidate, the digit
// for another on the first page. A four-key code whose word is the first
// candidate needs no such key (the first key of what follows commits it, or
// the code commits itself when it is the only one). A word's cheapest entry
// counts, short codes included; words past the first page of their code are
// left out. Every character the table does not cover as part of a cheaper
// word (punctuation, digits, letters, spaces) costs one key; line breaks cost
// nothing and are no characters. A character of the table is always typed
// by a code of it, never counted as one key.
#include "data/CodeTable.h"

#include <QHash>
#include <QString>
#include <vector>

class IdealCodeLength {
public:
    explicit IdealCodeLength(const CodeTable &table);

    // The fewest keys for `text`.
    qint64 keys(QStringView text) const;
    // The same, for a text that grows (the text typed so far): what was
    // worked out for the part it shares with the text of the last call
    // stays, so a commit costs the work of its own characters.
    struct Memo {
        QString text;
        std::vector<qint64> fewest; // for each prefix of text
    };
    qint64 keys(QStringView text, Memo &memo) const;
    // Keys per character of `text` (line breaks left out); 0 for no characters.
    double keysPerCharacter(QStringView text) const;

private:
    CodeTable m_table;              // the words below are views into its text
    QHash<QStringView, int> m_cost; // word -> fewest keys
    QHash<char16_t, int> m_longestFrom; // first unit -> longest word starting with it, in units
    int m_longestWord = 1;
};
