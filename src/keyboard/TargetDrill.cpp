#include "keyboard/TargetDrill.h"

#include "data/Random.h"
#include "keyboard/KeyCodes.h"

#include <QTime>
#include <algorithm>

const std::vector<int> &TypingAreaPool()
{
    static const std::vector<int> pool = [] {
        std::vector<int> keys;
        for (int c = 'A'; c <= 'Z'; ++c)
            keys.push_back(c);
        for (int c = '0'; c <= '9'; ++c)
            keys.push_back(c);
        keys.insert(keys.end(), {vk::Enter, vk::Space, vk::Semicolon, vk::Comma, vk::Period, vk::Slash});
        return keys;
    }();
    return pool;
}

const std::vector<int> &KeypadPool(int option)
{
    using namespace vk;
    static const std::vector<std::vector<int>> pools{
        {Pad0, Pad0 + 1, Pad0 + 2, Pad0 + 3, Pad0 + 4, Pad0 + 5, Pad0 + 6, Pad0 + 7, Pad0 + 8, Pad0 + 9,
         PadMultiply, PadPlus, PadMinus, PadDecimal, PadDivide, Enter},
        {Pad0, Pad0 + 1, Pad0 + 4, Pad0 + 7},
        {Pad0 + 2, Pad0 + 5, Pad0 + 8, PadDivide},
        {Pad0 + 3, Pad0 + 6, Pad0 + 9, PadMultiply, PadDecimal},
        {Enter, PadPlus, PadMinus}};
    return pools[size_t(std::clamp(option, 0, int(pools.size()) - 1))];
}

TargetDrill::TargetDrill(KeyboardPicture &picture, int firstTarget) : m_picture(picture), m_target(firstTarget) {}

void TargetDrill::start()
{
    for (int code : m_picture.codes())
        m_picture.paint(code, KeyState::Normal);
    m_picture.paint(m_target, KeyState::Target);
}

void TargetDrill::setTarget(int code)
{
    m_target = code;
    m_picture.paint(code, KeyState::Target);
}

bool TargetDrill::isWrong(int code) const
{
    return std::find(m_wrongKeys.begin(), m_wrongKeys.end(), code) != m_wrongKeys.end();
}

void TargetDrill::keyDown(int code)
{
    const KeyState state = code == m_target ? KeyState::Target : isWrong(code) ? KeyState::Wrong : KeyState::Normal;
    m_picture.paint(code, state, true);
}

void TargetDrill::clearWrongMarks()
{
    if (m_wrongMarksShown)
        for (int code : m_wrongKeys)
            m_picture.paint(code, KeyState::Normal);
    m_wrongMarksShown = false;
    m_picture.paint(m_target, KeyState::Normal);
    m_wrongKeys.clear();
}

void TargetDrill::drawNextTarget(const std::vector<int> &pool, RandomSource &random)
{
    const std::vector<int> everyKey = pool.empty() ? m_picture.codes() : std::vector<int>();
    const std::vector<int> &from = pool.empty() ? everyKey : pool;
    setTarget(from[size_t(random.uniform(0, int(from.size()) - 1))]);
}

void TargetDrill::newTarget(const std::vector<int> &pool, RandomSource &random)
{
    clearWrongMarks();
    drawNextTarget(pool, random);
}

KeyVerdict TargetDrill::judge(int code, const std::vector<int> &pool, RandomSource &random,
                                   const QTime &t)
{
    m_stats.countKeystroke(t);
    m_stats.takeTime(t);
    if (code == m_target) {
        newTarget(pool, random);
        return KeyVerdict::Right;
    }
    if (!m_picture.paint(code, KeyState::Wrong))
        return KeyVerdict::NotOnPicture;
    m_wrongMarksShown = true;
    if (!isWrong(code))
        m_wrongKeys.push_back(code);
    m_stats.countError();
    return KeyVerdict::Wrong;
}
