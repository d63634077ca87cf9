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
