#pragma once
// A Wubi composer: turns key presses into committed text the way common Wubi
// input methods do, over one edition's code index. No widgets: a key is a
// plain value, and each press answers what to commit; the code typed so far
// and its candidates are read from the composer.
//
// Letters a..y build a code of up to four keys, `z` stands for any key.
// Space or 1..9, 0 pick a candidate of the page, `-` and `=` turn pages,
// Backspace edits the code, Escape drops it and Enter commits its letters.
// A fourth key with exactly one candidate commits it at once; a letter no
// code continues with commits the first candidate and starts a new code.
// Punctuation gives Chinese punctuation (quotes alternate), committing any
// code in progress first. Digits and capital letters pass through.
#include "data/Composing.h"
#include "wubi/WubiCodeIndex.h"

class WubiComposer : public Composer {
public:
    // `index` may be null: the composer then passes every key through.
    explicit WubiComposer(const WubiCodeIndex *index = nullptr) : m_index(index) {}
    // Another edition: the code in progress and the quote state are dropped.
    void setIndex(const WubiCodeIndex *index);

    void clear() override;

    bool composing() const override { return !m_code.isEmpty(); }
    const QString &code() const { return m_code; }
    QString preedit() const override { return m_code; }
    int page() const override { return m_page; }
    const QVector<CodeEntry> &pageCandidates() const override { return m_candidates; }
    bool hasNextPage() const override { return m_hasNextPage; }

private:
    bool ready() const override { return m_index != nullptr; }
    bool takesKey(QChar c) const override { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); }
    ComposerResult typeKey(QChar letter) override;
    void takeBackKey() override;
    ComposerResult pick(int onPage) override;
    void showPage(int page) override { setCode(m_code, page); }
    ComposerResult commitLetters() override;
    ComposerResult endInput() override;
    ComposerResult commitInProgress(); // first candidate, or the letters when there is none
    // `entry` is a copy: the page it came from is cleared.
    ComposerResult commitWord(CodeEntry entry, int candidate);
    void setCode(const QString &code, int page = 0);
    QString shorterCodeNote(const QString &word, int lettersTyped, QString *noteWord);

    const WubiCodeIndex *m_index = nullptr;
    QString m_code;
    int m_page = 0;
    QVector<CodeEntry> m_candidates;
    bool m_hasNextPage = false;

    // Characters just committed one by one, with the letters typed for each:
    // a phrase code may have been shorter.
    struct Typed {
        QString character;
        int letters = 0;
    };
    QVector<Typed> m_singles;
};
