#include "keyboard/ui/DrillKeys.h"

#include "keyboard/KeyMapping.h"

#include <QKeyEvent>

int VirtualKeyOf(const QKeyEvent *event)
{
    return VirtualKeyOf(event->key(), event->modifiers(), event->nativeScanCode());
}

void TakeRawKeys(QWidget *widget)
{
    widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    widget->setFocusPolicy(Qt::StrongFocus);
}

namespace {
// The physical key of an event: its scan code where the platform gives one,
// else its Qt key (a key's Qt key can change with Shift between down and up).
quint64 PhysicalKeyOf(const QKeyEvent *event)
{
    return event->nativeScanCode() != 0 ? (quint64(1) << 32) | event->nativeScanCode() : quint64(uint(event->key()));
}

// Claims the keys that would otherwise be shortcuts or move the focus (Tab).
// True when `event` is such a key press or release.
bool ClaimsKey(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}
} // namespace

KeyDrillWindow::KeyDrillWindow(QWidget *parent) : QWidget(parent)
{
    TakeRawKeys(this);
}

bool KeyDrillWindow::event(QEvent *event)
{
    if (m_keyPreview && ClaimsKey(event)) {
        auto *key = static_cast<QKeyEvent *>(event);
        event->type() == QEvent::KeyPress ? keyPressEvent(key) : keyReleaseEvent(key);
        return true;
    }
    return QWidget::event(event);
}

void KeyDrillWindow::keyPressEvent(QKeyEvent *event)
{
    if (m_keyPreview && !event->isAutoRepeat()) {
        m_keysDown.insert(PhysicalKeyOf(event));
        Form_KeyDown(VirtualKeyOf(event));
    }
    event->accept();
}

void KeyDrillWindow::keyReleaseEvent(QKeyEvent *event)
{
    if (m_keyPreview && !event->isAutoRepeat() && m_keysDown.remove(PhysicalKeyOf(event)))
        Form_KeyUp(VirtualKeyOf(event));
    event->accept();
}
