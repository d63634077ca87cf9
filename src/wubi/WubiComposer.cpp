#include "wubi/WubiComposer.h"

namespace {
constexpr int kPhraseLookBack = 8; // characters typed one by one that may form a phrase

bool isCodeLetter(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

bool isSingleCharacter(const QString &word)
{
    return word.size() == 1 || (word.size() == 2 && word[0].isHighSurrogate());
}
} // namespace

void WubiComposer::setIndex(const WubiCodeIndex *index)
{
    m_index = index;
    clear();
    m_punctuation.reset();
    m_singles.clear();
}

void WubiComposer::clear()
{
    m_code.clear();
    m_page = 0;
    m_candidates.clear();
    m_hasNextPage = false;
}

void WubiComposer::setCode(const QString &code, int page)
{
    m_code = code;
    m_page = page;
    // One more than a page tells whether another page follows.
    m_candidates = m_index->candidates(code, page * kPageSize, kPageSize + 1);
    m_hasNextPage = m_candidates.size() > kPageSize;
    if (m_hasNextPage)
        m_candidates.removeLast();
}

ComposerResult WubiComposer::press(const ComposerKey &key)
{
    if (!m_index)
        return {};
    switch (key.kind) {
    case ComposerKey::Backspace:
        if (!composing())
            return {};
        if (m_code.size() == 1)
            clear();
        else
            setCode(m_code.chopped(1));
        return {true, {}, {}};
    case ComposerKey::Escape:
        if (!composing())
            return {};
        clear();
        return {true, {}, {}};
    case ComposerKey::Enter: {
        if (!composing())
            return {};
        ComposerResult letters{true, m_code, {}};
        clear();
        m_singles.clear();
        return letters;
    }
    case ComposerKey::Text:
        break;
    }

    const QChar c = key.text;
    if (isCodeLetter(c))
        return pressLetter(c);
    if (composing()) {
        if (c.isDigit())
            return pick(c == QLatin1Char('0') ? kPageSize - 1 : c.digitValue() - 1);
        if (c == QLatin1Char(' '))
            return pick(0);
        if (c == QLatin1Char('-') || c == QLatin1Char('=')) {
            const int page = m_page + (c == QLatin1Char('=') ? 1 : -1);
            if (page >= 0 && (page < m_page || m_hasNextPage))
                setCode(m_code, page);
            return {true, {}, {}};
        }
    }
    const QString punctuation = m_punctuation.of(c);
    ComposerResult result = composing() ? commitInProgress() : ComposerResult{};
    m_singles.clear();
    if (punctuation.isEmpty()) {
        result.consumed = false; // the key types itself after the commit
        return result;
    }
    result.consumed = true;
    result.commit += punctuation;
    return result;
}

ComposerResult WubiComposer::pressLetter(QChar letter)
{
    if (!composing()) {
        setCode(QString(letter));
        return {true, {}, {}};
    }
    const QString next = m_code + letter;
    if (m_code.size() >= WubiCodeIndex::kMaxCodeLength || m_index->candidateCount(next, 1) == 0) {
        ComposerResult result = commitInProgress();
        setCode(QString(letter));
        result.consumed = true;
        return result;
    }
    setCode(next);
    if (next.size() == WubiCodeIndex::kMaxCodeLength && m_candidates.size() == 1 && !m_hasNextPage)
        return commitWord(m_candidates.first(), 0);
    return {true, {}, {}};
}

ComposerResult WubiComposer::pick(int onPage)
{
    if (onPage < 0 || onPage >= m_candidates.size())
        return {true, {}, {}};
    return commitWord(m_candidates.at(onPage), m_page * kPageSize + onPage);
}

ComposerResult WubiComposer::commitInProgress()
{
    if (!m_candidates.isEmpty())
        return commitWord(m_candidates.first(), m_page * kPageSize);
    ComposerResult letters{true, m_code, {}};
    clear();
    m_singles.clear();
    return letters;
}

ComposerResult WubiComposer::commitWord(CodeEntry entry, int candidate)
{
    const int lettersTyped = int(m_code.size());
    clear();
    ComposerResult result{true, entry.word, {}, {}, entry.word, candidate};
    result.note = shorterCodeNote(entry.word, lettersTyped, &result.noteWord);
    return result;
}

QString WubiComposer::shorterCodeNote(const QString &word, int lettersTyped, QString *noteWord)
{
    if (!isSingleCharacter(word)) {
        m_singles.clear();
        return {};
    }
    m_singles.append({word, lettersTyped});
    if (m_singles.size() > kPhraseLookBack)
        m_singles.removeFirst();

    // The longest phrase among the characters just typed one by one whose
    // code takes fewer letters than they did.
    QString phrase = word;
    int letters = lettersTyped;
    QString phraseNote;
    for (qsizetype k = m_singles.size() - 2; k >= 0; --k) {
        phrase.prepend(m_singles[k].character);
        letters += m_singles[k].letters;
        const std::optional<QString> code = m_index->codeOf(phrase);
        if (code && code->size() < letters) {
            phraseNote = QStringLiteral("词组：") + *code;
            *noteWord = phrase;
        }
    }
    if (!phraseNote.isEmpty())
        return phraseNote;
    const QString shortest = m_index->shortestCode(word);
    if (!shortest.isEmpty() && shortest.size() < lettersTyped) {
        *noteWord = word;
        return QStringLiteral("简码：") + shortest;
    }
    return {};
}
