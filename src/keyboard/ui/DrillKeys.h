#pragma once
// Key handling shared by the keyboard drill windows.
#include <QSet>
#include <QWidget>

class QKeyEvent;

// Virtual-key code of a key event (0 when the drills do not know the key).
int VirtualKeyOf(const QKeyEvent *event);
// Makes `widget` take keys as physical keys: no input method, focus by Tab
// and click.
void TakeRawKeys(QWidget *widget);

// A drill window that sees every key while its key preview is on (Tab and
// shortcut keys included) as key-down and key-up of virtual-key codes.
// Auto-repeat is ignored: a held key is one keystroke. A key that went down
// elsewhere (the Enter that chose the drill in a menu) is not judged when it
// comes up here.
class KeyDrillWindow : public QWidget {
    Q_OBJECT
public:
    explicit KeyDrillWindow(QWidget *parent);

    // Event handlers (virtual-key codes), public so they can be driven directly.
    virtual void Form_KeyDown(int code) = 0;
    virtual void Form_KeyUp(int code) = 0;

protected:
    void setKeyPreview(bool on) { m_keyPreview = on; }

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    bool m_keyPreview = true;
    QSet<quint64> m_keysDown; // physical keys pressed while this window had them
};
