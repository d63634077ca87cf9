#pragma once
// What every built-in composer shares: a key as a composer sees it, what a
// press answers, a candidate with its code, the Chinese punctuation keys give
// while a composer is on, and the interface the typing boxes drive with the
// keys common to all composers.
#include <QString>
#include <QVector>
#include <optional>

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

// The keys every composer shares: Space or 1..9, 0 pick a candidate of the
// page, `-` and `=` turn pages, Backspace takes back the last key, Escape
// drops the input and Enter commits it as typed. A key outside the input
// commits what is in progress first; punctuation then gives Chinese
// punctuation and other keys pass through. Which keys build the input, and
// what it makes, is each composer's own.
class Composer {
public:
    static constexpr int kPageSize = 10;

    virtual ~Composer() = default;
    ComposerResult press(const ComposerKey &key);
    // Drops the input in progress.
    virtual void clear() = 0;
    virtual bool composing() const = 0;
    // What the box shows as pre-edit while composing.
    virtual QString preedit() const = 0;
    virtual int page() const = 0;
    // The candidates of the current page and whether more pages follow.
    virtual const QVector<CodeEntry> &pageCandidates() const = 0;
    virtual bool hasNextPage() const = 0;

protected:
    // Without its data a composer passes every key through.
    virtual bool ready() const = 0;
    // Whether a key goes into the input, and putting it there.
    virtual bool takesKey(QChar c) const = 0;
    virtual ComposerResult typeKey(QChar c) = 0;
    // Backspace while composing.
    virtual void takeBackKey() = 0;
    // Takes the candidate at `onPage` of the current page; a place past the
    // page takes the key and does nothing.
    virtual ComposerResult pick(int onPage) = 0;
    virtual void showPage(int page) = 0;
    // Enter while composing: the input as typed.
    virtual ComposerResult commitLetters() = 0;
    // A key outside the input: what is in progress, committed (nothing when
    // not composing).
    virtual ComposerResult endInput() = 0;

    ChinesePunctuation m_punctuation;

private:
    std::optional<ComposerResult> pressCandidateKey(QChar c);
};
