#include "pinyin/PinyinComposer.h"

#include "pinyin/PinyinModule.h"

namespace {
bool isLowerLetter(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

QString fromUtf8(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
} // namespace

PinyinComposer::PinyinComposer() = default;
PinyinComposer::~PinyinComposer() = default;

void PinyinComposer::setEngine(PinyinDecoder *decoder, PinyinScheme scheme)
{
    m_context.reset();
    m_scheme = scheme;
    m_profile.reset();
    m_punctuation.reset();
    clear();
    if (!decoder)
        return;
    m_context = decoder->newInput(scheme);
    m_profile = m_context->shuangpinTable();
}

void PinyinComposer::clear()
{
    if (m_context)
        m_context->clear();
    m_page = 0;
    m_candidates.clear();
    m_hasNextPage = false;
}

bool PinyinComposer::composing() const
{
    return m_context && !m_context->empty();
}

QString PinyinComposer::preedit() const
{
    return composing() ? fromUtf8(m_context->preedit()) : QString();
}

QString PinyinComposer::typedKeys() const
{
    return composing() ? fromUtf8(m_context->userInput()) : QString();
}

void PinyinComposer::showPage(int page)
{
    m_page = page;
    m_candidates.clear();
    const std::size_t count = m_context->candidateCount();
    const std::size_t first = std::size_t(page) * kPageSize;
    for (std::size_t i = first; i < count && i < first + kPageSize; ++i)
        m_candidates.append({fromUtf8(m_context->candidate(i)), QString()});
    m_hasNextPage = count > first + kPageSize;
}

bool PinyinComposer::takesKey(QChar c) const
{
    if (c.unicode() > 0x7f)
        return false;
    if (!m_profile) // full pinyin: a separator only between syllables
        return isLowerLetter(c) || (c == QLatin1Char('\'') && composing());
    const char k = char(c.unicode());
    return composing() ? m_profile->inputKeys.count(k) > 0
                       : isLowerLetter(c) && m_profile->initialKeys.count(k) > 0;
}

ComposerResult PinyinComposer::typeKey(QChar c)
{
    m_context->type(char(c.unicode()));
    showPage(0);
    return {true, {}, {}};
}

void PinyinComposer::takeBackKey()
{
    // The keys after the chosen part go first; with none, the last choice.
    if (m_context->size() > m_context->selectedLength())
        m_context->backspace();
    else
        m_context->cancel();
    if (m_context->empty())
        clear();
    else
        showPage(0);
}

ComposerResult PinyinComposer::pick(int onPage)
{
    if (onPage < 0 || onPage >= m_candidates.size())
        return {true, {}, {}};
    m_context->select(std::size_t(m_page) * kPageSize + std::size_t(onPage));
    if (!m_context->selected()) {
        showPage(0);
        return {true, {}, {}};
    }
    ComposerResult chosen{true, fromUtf8(m_context->selectedSentence()), {}};
    clear();
    return chosen;
}

ComposerResult PinyinComposer::endInput()
{
    if (!composing())
        return {};
    ComposerResult best{true, fromUtf8(m_context->sentence()), {}};
    if (best.commit.isEmpty())
        return commitLetters();
    clear();
    return best;
}

ComposerResult PinyinComposer::commitLetters()
{
    const std::string input = m_context->userInput();
    ComposerResult letters{true, fromUtf8(m_context->selectedSentence() + input.substr(m_context->selectedLength())), {}};
    clear();
    return letters;
}
