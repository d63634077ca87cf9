#include "pinyin/PinyinComposer.h"

#include "pinyin/LibImeHeaders.h"

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

void PinyinComposer::setEngine(libime::PinyinIME *ime, PinyinScheme scheme)
{
    m_context.reset();
    m_scheme = scheme;
    m_profile = pinyin::ShuangpinProfileOf(scheme);
    m_punctuation.reset();
    clear();
    if (!ime)
        return;
    if (m_profile)
        ime->setShuangpinProfile(m_profile);
    ime->setPreeditMode(libime::PinyinPreeditMode::Pinyin);
    m_context = std::make_unique<libime::PinyinContext>(ime);
    m_context->setUseShuangpin(m_profile != nullptr);
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
    const auto &all = m_context->candidates();
    const std::size_t first = std::size_t(page) * kPageSize;
    for (std::size_t i = first; i < all.size() && i < first + kPageSize; ++i)
        m_candidates.append({fromUtf8(all[i].toString()), QString()});
    m_hasNextPage = all.size() > first + kPageSize;
}

bool PinyinComposer::takesKey(QChar c) const
{
    if (c.unicode() > 0x7f)
        return false;
    if (!m_profile) // full pinyin: a separator only between syllables
        return isLowerLetter(c) || (c == QLatin1Char('\'') && composing());
    const char k = char(c.unicode());
    return composing() ? m_profile->validInput().count(k) > 0
                       : isLowerLetter(c) && m_profile->validInitial().count(k) > 0;
}

ComposerResult PinyinComposer::typeKey(QChar c)
{
    const char k = char(c.unicode());
    m_context->type(std::string_view(&k, 1));
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
