#pragma once
// The target drills of the key-position drill and the keypad drill: one key
// of the picture is the target; a hit moves it to a random key of the pool,
// a miss is marked wrong until the next hit.
#include "keyboard/DrillStatistics.h"
#include "keyboard/KeyboardPicture.h"

#include <vector>

class QTime;
class RandomSource;

// Target pools.
// The typing area: letters, digits, Enter, Space, ; , . / (42 keys).
const std::vector<int> &TypingAreaPool();
// The keypad range options 0 ("全部") to 4 ("仅Enter,+,-"); never Num Lock.
const std::vector<int> &KeypadPool(int option);

class TargetDrill {
public:
    TargetDrill(KeyboardPicture &picture, int firstTarget);

    // Paints every key normal and the first target as target.
    void start();
    // Key down: the pressed look of the key's current state.
    void keyDown(int code);
    // Key up: counts the keystroke at `t` and judges it; a hit draws the next
    // target from `pool` (every key of the picture when empty).
    KeyVerdict judge(int code, const std::vector<int> &pool, RandomSource &random, const QTime &t);
    // Paints the wrong keys and the current target normal and forgets them.
    void clearWrongMarks();
    // Clears the marks and draws the next target from `pool` (as a hit does).
    void newTarget(const std::vector<int> &pool, RandomSource &random);

    int target() const { return m_target; }
    void setTarget(int code); // paints it as target
    const std::vector<int> &wrongKeys() const { return m_wrongKeys; }
    bool wrongMarksShown() const { return m_wrongMarksShown; }
    DrillStatistics &statistics() { return m_stats; }
    const DrillStatistics &statistics() const { return m_stats; }

private:
    void drawNextTarget(const std::vector<int> &pool, RandomSource &random);
    bool isWrong(int code) const;

    KeyboardPicture &m_picture;
    int m_target;
    std::vector<int> m_wrongKeys;
    bool m_wrongMarksShown = false;
    DrillStatistics m_stats;
};
