#pragma once
// One edition's code table seen from the keyboard: which words a typed code
// reaches. The table's own index finds codes by word; this one finds words by
// code. Built once from the table (about 4 × 8 bytes per entry), on demand.
#include "data/CodeTable.h"
#include "data/Composing.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <functional>
#include <vector>

class WubiCodeIndex {
public:
    static constexpr int kMaxCodeLength = 4;
    static constexpr QChar kWildcard = QLatin1Char('z');

    explicit WubiCodeIndex(const CodeTable &table);

    // True for 1 to 4 letters a..z: something the keyboard can type as a code.
    static bool isTypedCode(QStringView code);
    // Every entry of `table` with a typed code, in table order; `wordStart`
    // is where its word begins in the table's text.
    static void forEachEntry(const CodeTable &table,
                             const std::function<void(qsizetype wordStart, QStringView word, QStringView code)> &visit);

    // The candidates of a typed code: first the entries whose code is exactly
    // `code` (table order), then those whose code begins with it (table
    // order). A `z` stands for any key; then the matches come by code length,
    // then by code, then in table order. `first` counts from 0.
    QVector<CodeEntry> candidates(QStringView code, int first, int count) const;
    // How many candidates there are, counted up to `limit`.
    int candidateCount(QStringView code, int limit) const;

    // The shortest code of a single character (the first such entry), empty
    // when it has none.
    QString shortestCode(QStringView character) const;
    // Code of the first entry of exactly `word`.
    std::optional<QString> codeOf(QStringView word) const { return m_table.codeOf(word); }

private:
    struct Entry {
        quint32 wordStart = 0;
        quint16 wordLength = 0;
        quint8 codeLength = 0;
        quint32 key = 0; // the code, five bits a key, first key highest
    };
    // (key or key prefix) << 32 | entry number: sorted, a code's entries lie
    // together in table order.
    using Sorted = std::vector<quint64>;
    struct Range {
        Sorted::const_iterator begin, end;
        qsizetype size() const { return end - begin; }
    };

    static Range keyRange(const Sorted &sorted, quint32 low, quint32 high);
    Range exact(QStringView code) const;
    Range longer(QStringView code) const;
    // Calls `visit` with each candidate's entry number in order until it
    // returns false.
    void forEachCandidate(QStringView code, const std::function<bool(quint32)> &visit) const;
    bool forEachWildcardMatch(const Sorted &sorted, QStringView pattern, quint32 prefixKey, int depth,
                              const std::function<bool(quint32)> &visit) const;
    CodeEntry entryAt(quint32 number) const;

    CodeTable m_table;
    std::vector<Entry> m_entries;
    Sorted m_byLength[kMaxCodeLength + 1];      // [n]: codes of n keys, by code
    Sorted m_longerThan[kMaxCodeLength];        // [n]: codes of more than n keys, by their first n keys
    QHash<QString, quint32> m_shortestOfCharacter; // entry number
};
