#include "practice/TypingFigures.h"

#include <QHash>

namespace {
qint64 CharacterCount(QStringView text)
{
    qint64 count = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!text[i].isLowSurrogate())
            ++count;
    return count;
}
} // namespace

QString input_method::Caption(const QString &method)
{
    static const QHash<QString, QString> captions{
        {kWubi86, QStringLiteral("五笔86")},
        {kWubi98, QStringLiteral("五笔98")},
        {kSystem, QStringLiteral("系统输入法")},
        {kKeys, QStringLiteral("键盘练习")},
        {QStringLiteral("full"), QStringLiteral("全拼")},
        {QStringLiteral("xiaohe"), QStringLiteral("小鹤双拼")},
        {QStringLiteral("ziranma"), QStringLiteral("自然码双拼")},
        {QStringLiteral("ms"), QStringLiteral("微软双拼")},
        {QStringLiteral("abc"), QStringLiteral("智能ABC双拼")},
        {QStringLiteral("ziguang"), QStringLiteral("紫光双拼")},
        {QStringLiteral("pinyinjiajia"), QStringLiteral("拼音加加双拼")},
        {QStringLiteral("zhongwenzhixing"), QStringLiteral("中文之星双拼")},
    };
    if (method.isEmpty())
        return QStringLiteral("未记录");
    // Pinyin schemes may come as "pinyin-xiaohe".
    QString key = method;
    if (key.startsWith(QLatin1String("pinyin-")))
        key = key.mid(7);
    return captions.value(key, method);
}

bool input_method::SeesKeys(const QString &method)
{
    return !method.isEmpty() && method != kSystem;
}

double TypingFigures::keysPerSecond(qint64 runningMs) const
{
    return keys > 0 && runningMs > 0 ? double(keys) * 1000.0 / double(runningMs) : 0.0;
}

double TypingFigures::keysPerCharacter(qint64 characters) const
{
    return keys > 0 && characters > 0 ? double(keys) / double(characters) : 0.0;
}

double TypingFigures::idealKeysPerCharacter() const
{
    return idealKeys > 0 && idealCharacters > 0 ? double(idealKeys) / double(idealCharacters) : 0.0;
}

double TypingFigures::phraseShare() const
{
    return committedCharacters > 0 ? double(phraseCharacters) / double(committedCharacters) : 0.0;
}

bool TypingFigures::operator==(const TypingFigures &o) const
{
    return method == o.method && keys == o.keys && committedCharacters == o.committedCharacters
           && phraseCharacters == o.phraseCharacters && candidatePicks == o.candidatePicks
           && textCorrections == o.textCorrections && codeCorrections == o.codeCorrections
           && idealKeys == o.idealKeys && idealCharacters == o.idealCharacters;
}

void TypingFigureCounter::start(const QString &method)
{
    m_figures = TypingFigures();
    m_figures.method = method;
    m_figures.keys = input_method::SeesKeys(method) ? 0 : -1;
    m_figures.textCorrections = 0;
    m_standing.clear();
}

void TypingFigureCounter::countKey()
{
    if (m_figures.keysSeen())
        ++m_figures.keys;
}

void TypingFigureCounter::countCommit(const QString &text, const QString &word, int candidate)
{
    m_figures.committedCharacters += CharacterCount(text);
    const qint64 wordCharacters = CharacterCount(word);
    if (wordCharacters > 1)
        m_figures.phraseCharacters += wordCharacters;
    if (candidate > 0)
        ++m_figures.candidatePicks;
    m_standing += text;
}

void TypingFigureCounter::countCodeCorrection()
{
    ++m_figures.codeCorrections;
}

void TypingFigureCounter::countTextCorrection(int erased)
{
    if (erased <= 0)
        return;
    ++m_figures.textCorrections;
    for (int i = 0; i < erased && !m_standing.isEmpty(); ++i)
        m_standing.chop(m_standing.size() > 1 && m_standing.back().isLowSurrogate() ? 2 : 1);
}

TypingFigures TypingFigureCounter::figures(qint64 idealKeys) const
{
    TypingFigures f = m_figures;
    f.idealKeys = idealKeys;
    f.idealCharacters = idealKeys >= 0 ? CharacterCount(m_standing) : 0;
    return f;
}

TypingFigureTexts TextsOf(const TypingFigures &figures, qint64 runningMs, qint64 characters)
{
    TypingFigureTexts t;
    if (figures.textCorrections < 0)
        return t; // not a run that counted its typing
    t.corrections = QString::number(figures.textCorrections);
    if (!figures.keysSeen())
        return t;
    if (figures.codeCorrections > 0)
        t.corrections += QStringLiteral("（改码 %1）").arg(figures.codeCorrections);
    t.keysPerSecond = QString::number(figures.keysPerSecond(runningMs), 'f', 2);
    t.keysPerCharacter = QString::number(figures.keysPerCharacter(characters), 'f', 2);
    if (figures.idealKeys >= 0)
        t.idealKeysPerCharacter = QString::number(figures.idealKeysPerCharacter(), 'f', 2);
    t.phraseShare = QString::number(figures.phraseShare() * 100, 'f', 1) + QLatin1Char('%');
    t.candidatePicks = QString::number(figures.candidatePicks);
    return t;
}
