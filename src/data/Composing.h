#pragma once
// What every built-in composer shares: a key as a composer sees it, what a
// press answers, a candidate with its code, the interface the typing boxes
// drive, and the Chinese punctuation keys give while a composer is on.
#include <QString>
#include <QVector>

struct ComposerKey {
    enum Kind { Text, Backspace, Escape, Enter };
    Kind kind = Text;
    QChar text; // for Text: what the key types ('a', 'A' with Shift, '1', ' ', ',', ...)

    static ComposerKey typed(QChar c) { return {Text, c}; }
    static ComposerKey special(Kind kind) { return {kind, QChar()}; }
};

struct ComposerResult {
    // The composer took the key. When false, the key does what it does
    // without the composer, after `commit` is committed.
    bool consumed = false;
    QString commit;
    // A shorter way to type what was just committed ("简码：j", "词组：wqvb").
    QString note;
    // What the note is about: the committed character, or the phrase it ends.
    QString noteWord;
    // The candidate word within `commit` and its place among its code's
    // candidates (0 for the first); -1 when no candidate was committed.
    QString word;
    int candidate = -1;
};

// A word and the code that types it (empty when the typed keys are the code).
struct CodeEntry {
    QString word;
    QString code;
    bool operator==(const CodeEntry &o) const { return word == o.word && code == o.code; }
};

class Composer {
public:
    static constexpr int kPageSize = 10;

    virtual ~Composer() = default;
    virtual ComposerResult press(const ComposerKey &key) = 0;
    // Drops the input in progress.
    virtual void clear() = 0;
    virtual bool composing() const = 0;
    // What the box shows as pre-edit while composing.
    virtual QString preedit() const = 0;
    virtual int page() const = 0;
    // The candidates of the current page and whether more pages follow.
    virtual const QVector<CodeEntry> &pageCandidates() const = 0;
    virtual bool hasNextPage() const = 0;
};

// Punctuation keys as Chinese punctuation: quotes alternate between opening
// and closing.
class ChinesePunctuation {
public:
    // Empty for a key that is no punctuation.
    QString of(QChar c);
    void reset();

private:
    bool m_doubleQuoteOpen = false;
    bool m_singleQuoteOpen = false;
};
