#pragma once
// The fingering drill: a line of 43 random characters from the keys of the
// chosen fingers; the character to type moves on at each right key, a wrong
// key stays marked on the picture until the next keystroke.
#include "keyboard/KeyboardPicture.h"

#include <QString>

class RandomSource;

// The finger key groups 201 to 210 (left little … right index, then both
// whole hands); empty for any other number.
QString FingerGroup(int number);
// The group of finger option `index` (0 "全部", 1 little … 4 index).
QString LeftHandGroup(int index);
QString RightHandGroup(int index);

// 43 characters from `keySet`; its first character comes twice as often as
// each other one.
QString BuildDrillLine(const QString &keySet, RandomSource &random);
// Whether key `code` types `c` (letters in either case, digits, ; , . /).
bool KeyTypesCharacter(int code, QChar c);

class FingeringDrill {
public:
    static constexpr int kLineLength = 43;

    explicit FingeringDrill(KeyboardPicture &picture) : m_picture(picture) {}

    // Entering the drill: both whole hands.
    void enter(RandomSource &random);
    void chooseLeft(int index, RandomSource &random);
    void chooseRight(int index, RandomSource &random);
    // Leaving it: the key it marked is painted normal, the key set emptied.
    void leave();

    // Key down; false when the key is not on the picture.
    bool keyDown(int code);
    // Key up: a right key moves the position on; after the last character a
    // new line starts. Shift is ignored.
    KeyVerdict keyUp(int code, RandomSource &random);

    const QString &line() const { return m_line; }
    int position() const { return m_position; }
    const QString &keySet() const { return m_keySet; }
    int lastPaintedKey() const { return m_lastPainted; }

private:
    void newLine(const QString &keySet, RandomSource &random);
    void paintLastNormalUnless(int code);

    KeyboardPicture &m_picture;
    QString m_leftKeys, m_rightKeys, m_keySet, m_line;
    int m_position = 0;
    int m_lastPainted = 0;
    int m_lastWrong = 0;
};
