#include "wubi/WubiComposer.h"

namespace {
constexpr int kPhraseLookBack = 8; // characters typed one by one that may form a phrase

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

ComposerResult WubiComposer::typeKey(QChar letter)
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

void WubiComposer::takeBackKey()
{
    if (m_code.size() == 1)
        clear();
    else
        setCode(m_code.chopped(1));
}

ComposerResult WubiComposer::commitLetters()
{
    ComposerResult letters{true, m_code, {}};
    clear();
    m_singles.clear();
    return letters;
}

ComposerResult WubiComposer::endInput()
{
    ComposerResult result = composing() ? commitInProgress() : ComposerResult{};
    m_singles.clear(); // a phrase does not span a key outside the codes
    return result;
}

ComposerResult WubiComposer::commitInProgress()
{
    if (!m_candidates.isEmpty())
        return commitWord(m_candidates.first(), m_page * kPageSize);
    return commitLetters();
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
