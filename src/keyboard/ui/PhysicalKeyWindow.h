#pragma once
// Key handling shared by the keyboard drill windows.
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QKeyEvent;

// Virtual-key code of a key event (0 when the drills do not know the key).
int VirtualKeyOf(const QKeyEvent *event);
// Makes `widget` take keys as physical keys: no input method, focus by Tab
// and click.
void TakeRawKeys(QWidget *widget);

// Turns the key events of one widget into the key-downs and key-ups a drill
// judges: every physical key goes down once and comes up once.
// - A held key is one keystroke. X repeats a held key as release-press
//   pairs that Qt marks as auto-repeat only when both have reached it
//   together, so a release is judged only once no press of the same key
//   follows it within a moment; presses of a key that is down already
//   (repeats without releases) are dropped too.
// - A key that went down elsewhere (the Enter that chose the drill in a
//   menu) is not judged when it comes up here.
class KeyStrokes : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(int code)>;
    KeyStrokes(QObject *parent, Handler down, Handler up);

    // Takes key presses and releases (true: it was one) and forgets the keys
    // held when the widget loses the focus, for their releases go elsewhere.
    bool take(QEvent *event);
    // Judges a release still held back, now.
    void settle();
    bool releasePending() const { return m_pending.has_value(); }

    // How long a release waits for the press of an auto-repeat pair.
    static constexpr int kRepeatGapMs = 30;

private:
    struct Release {
        quint64 key;
        int code;
    };
    void press(const QKeyEvent *event);
    void release(const QKeyEvent *event);

    Handler m_down, m_up;
    QSet<quint64> m_keysDown; // physical keys pressed while the widget had them
    std::optional<Release> m_pending;
    QTimer m_gap;
};

// A drill window that sees every key while its key preview is on (Tab and
// shortcut keys included) as key-down and key-up of virtual-key codes, one
// of each per keystroke (KeyStrokes).
class PhysicalKeyWindow : public QWidget {
    Q_OBJECT
public:
    explicit PhysicalKeyWindow(QWidget *parent);

    // Event handlers (virtual-key codes), public so they can be driven directly.
    virtual void keyDown(int code) = 0;
    virtual void keyUp(int code) = 0;

    KeyStrokes &keyStrokes() { return m_strokes; }

protected:
    void setKeyPreview(bool on) { m_keyPreview = on; }

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    bool m_keyPreview = true;
    KeyStrokes m_strokes;
};
