#pragma once
// The on-screen keyboards as data: where each key cap sits (in pixels), what
// it is labelled, and how it is drawn right now (state and pressed look).
// Keys are named by their Windows virtual-key codes; Shift, Ctrl and Alt have
// two caps on the main block that share one code and are always painted
// together.
#include <QHash>
#include <QRect>
#include <QString>
#include <vector>

enum class KeyState { Normal, Target, Wrong };

// How a drill judged a released key. Ignored: a key the drill lets pass.
enum class KeyVerdict { Right, Wrong, NotOnPicture, Ignored };

struct KeyCap {
    int code;
    QRect rect;        // position and size on the window
    QString legend;    // main legend ("Q", "1", "Enter", "7")
    QString secondary; // upper legend ("!") or keypad function ("Home"); may be empty
};

struct KeyLook {
    KeyState state = KeyState::Normal;
    bool pressed = false;
};

class KeyboardPicture {
public:
    // The main keyboard block of the key-position and fingering drills.
    static KeyboardPicture mainBlock();
    // The numeric keypad of the keypad drill.
    static KeyboardPicture keypad();

    const std::vector<KeyCap> &caps() const { return m_caps; }
    bool contains(int code) const { return m_looks.contains(code); }
    // Every code on the picture, once each, in the order of the caps.
    std::vector<int> codes() const;
    // The main legend of the key (of its first cap), empty when not on the picture.
    QString legend(int code) const;
    // The code of the key whose main legend is `legend`; 0 when none is.
    int codeOf(const QString &legend) const;

    // Draws the key in `state`, up or pressed. Returns whether the key is on
    // the picture; a key that is not changes nothing.
    bool paint(int code, KeyState state, bool pressed = false);
    KeyLook look(int code) const { return m_looks.value(code); }
    // The union of the caps.
    QRect bounds() const;

private:
    explicit KeyboardPicture(std::vector<KeyCap> caps);
    std::vector<KeyCap> m_caps;
    QHash<int, KeyLook> m_looks;
};
