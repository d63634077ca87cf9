#include "keyboard/FingeringDrill.h"

#include "data/Random.h"
#include "keyboard/KeyCodes.h"

QString FingerGroup(int number)
{
    static const char *const groups[] = {"1qaz",     "2wsx", "3edc", "4rfv5tgb", "0p;/", "9ol.", "8ik,",
                                         "6yhn7ujm", "12345qwertasdfgzxcvb",      "67890yuiophjkl;nm,./"};
    return number >= 201 && number <= 210 ? QString::fromLatin1(groups[number - 201]) : QString();
}

QString LeftHandGroup(int index)
{
    return FingerGroup(index == 0 ? 209 : 200 + index);
}

QString RightHandGroup(int index)
{
    return FingerGroup(index == 0 ? 210 : 204 + index);
}

QString BuildDrillLine(const QString &keySet, RandomSource &random)
{
    QString line;
    if (keySet.isEmpty())
        return line;
    const int n = int(keySet.size());
    while (line.size() < FingeringDrill::kLineLength) {
        const int i = std::max(1, random.uniform(0, n)); // 0 counts as 1
        line += keySet[i - 1];
    }
    return line;
}

bool KeyTypesCharacter(int code, QChar c)
{
    if (code >= 'A' && code <= 'Z')
        return c == QChar(code + 32);
    if (code >= '0' && code <= '9')
        return c == QChar(code);
    switch (code) {
    case vk::Comma: return c == QLatin1Char(',');
    case vk::Period: return c == QLatin1Char('.');
    case vk::Slash: return c == QLatin1Char('/');
    case vk::Semicolon: return c == QLatin1Char(';');
    default: return false;
    }
}

void FingeringDrill::newLine(const QString &keySet, RandomSource &random)
{
    m_keySet = keySet;
    m_line = BuildDrillLine(m_keySet, random);
    m_position = 0;
}

void FingeringDrill::enter(RandomSource &random)
{
    m_leftKeys = FingerGroup(209);
    m_rightKeys = FingerGroup(210);
    newLine(m_leftKeys + m_rightKeys, random);
}

void FingeringDrill::chooseLeft(int index, RandomSource &random)
{
    m_leftKeys = LeftHandGroup(index);
    newLine(m_leftKeys + m_rightKeys, random);
}

void FingeringDrill::chooseRight(int index, RandomSource &random)
{
    m_rightKeys = RightHandGroup(index);
    newLine(m_rightKeys + m_leftKeys, random);
}

void FingeringDrill::leave()
{
    m_picture.paint(m_lastPainted, KeyState::Normal);
    m_lastPainted = 0;
    m_lastWrong = 0;
    m_keySet.clear();
    m_line.clear();
    m_position = 0;
}

bool FingeringDrill::keyDown(int code)
{
    if (!m_picture.contains(code))
        return false;
    if (code != m_lastPainted)
        m_picture.paint(code, KeyState::Normal, true);
    else
        m_picture.paint(code, m_lastWrong != 0 ? KeyState::Wrong : KeyState::Target, true);
    return true;
}

void FingeringDrill::paintLastNormalUnless(int code)
{
    if (m_lastPainted != code)
        m_picture.paint(m_lastPainted, KeyState::Normal);
}

KeyVerdict FingeringDrill::keyUp(int code, RandomSource &random)
{
    if (code == vk::Shift) { // held for capitals; the line is judged by key, not case
        m_picture.paint(code, KeyState::Normal);
        return KeyVerdict::Ignored;
    }
    KeyVerdict verdict = KeyVerdict::NotOnPicture;
    const bool right = m_position < m_line.size() && KeyTypesCharacter(code, m_line[m_position]);
    if (right) {
        m_picture.paint(code, KeyState::Target);
        paintLastNormalUnless(code);
        ++m_position;
        m_lastWrong = 0;
        m_lastPainted = code;
        verdict = KeyVerdict::Right;
    } else if (m_picture.paint(code, KeyState::Wrong)) {
        paintLastNormalUnless(code);
        m_lastPainted = code;
        m_lastWrong = code;
        verdict = KeyVerdict::Wrong;
    }
    if (m_position >= kLineLength)
        newLine(m_leftKeys + m_rightKeys, random);
    return verdict;
}
