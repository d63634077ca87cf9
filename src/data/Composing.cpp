#include "data/Composing.h"

QString ChinesePunctuation::of(QChar c)
{
    switch (c.unicode()) {
    case ',': return QStringLiteral("，");
    case '.': return QStringLiteral("。");
    case ';': return QStringLiteral("；");
    case ':': return QStringLiteral("：");
    case '?': return QStringLiteral("？");
    case '!': return QStringLiteral("！");
    case '\\': return QStringLiteral("、");
    case '(': return QStringLiteral("（");
    case ')': return QStringLiteral("）");
    case '"':
        m_doubleQuoteOpen = !m_doubleQuoteOpen;
        return m_doubleQuoteOpen ? QStringLiteral("“") : QStringLiteral("”");
    case '\'':
        m_singleQuoteOpen = !m_singleQuoteOpen;
        return m_singleQuoteOpen ? QStringLiteral("‘") : QStringLiteral("’");
    default: return {};
    }
}

void ChinesePunctuation::reset()
{
    m_doubleQuoteOpen = false;
    m_singleQuoteOpen = false;
}

ComposerResult Composer::press(const ComposerKey &key)
{
    if (!ready())
        return {};
    if (key.kind != ComposerKey::Text && !composing())
        return {}; // Backspace, Escape and Enter do what they do without a composer
    switch (key.kind) {
    case ComposerKey::Backspace:
        takeBackKey();
        return {true, {}, {}};
    case ComposerKey::Escape:
        clear();
        return {true, {}, {}};
    case ComposerKey::Enter:
        return commitLetters();
    case ComposerKey::Text:
        break;
    }

    const QChar c = key.text;
    if (takesKey(c))
        return typeKey(c);
    if (std::optional<ComposerResult> candidateKey = pressCandidateKey(c))
        return *candidateKey;
    const QString punctuation = m_punctuation.of(c);
    ComposerResult result = endInput();
    result.consumed = !punctuation.isEmpty(); // otherwise the key types itself after the commit
    result.commit += punctuation;
    return result;
}

std::optional<ComposerResult> Composer::pressCandidateKey(QChar c)
{
    if (!composing())
        return std::nullopt;
    if (c.isDigit())
        return pick(c == QLatin1Char('0') ? kPageSize - 1 : c.digitValue() - 1);
    if (c == QLatin1Char(' '))
        return pick(0);
    if (c == QLatin1Char('-') || c == QLatin1Char('=')) {
        const int next = page() + (c == QLatin1Char('=') ? 1 : -1);
        if (next >= 0 && (next < page() || hasNextPage()))
            showPage(next);
        return ComposerResult{true, {}, {}};
    }
    return std::nullopt;
}
