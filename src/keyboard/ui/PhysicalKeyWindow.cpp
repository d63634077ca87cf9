#include "keyboard/ui/PhysicalKeyWindow.h"

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

// ---- KeyStrokes ----

KeyStrokes::KeyStrokes(QObject *parent, Handler down, Handler up)
    : QObject(parent), m_down(std::move(down)), m_up(std::move(up))
{
    m_gap.setSingleShot(true);
    m_gap.setInterval(kRepeatGapMs);
    connect(&m_gap, &QTimer::timeout, this, &KeyStrokes::settle);
}

bool KeyStrokes::take(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: press(static_cast<QKeyEvent *>(event)); return true;
    case QEvent::KeyRelease: release(static_cast<QKeyEvent *>(event)); return true;
    case QEvent::FocusOut:
        settle();
        m_keysDown.clear();
        return false;
    default: return false;
    }
}

void KeyStrokes::press(const QKeyEvent *event)
{
    const quint64 key = PhysicalKeyOf(event);
    if (m_pending && m_pending->key == key) { // the second half of a repeat pair
        m_pending.reset();
        m_gap.stop();
        return;
    }
    settle(); // another key's release comes first
    if (event->isAutoRepeat() || m_keysDown.contains(key))
        return;
    m_keysDown.insert(key);
    m_down(VirtualKeyOf(event));
}

void KeyStrokes::release(const QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    settle();
    const quint64 key = PhysicalKeyOf(event);
    if (!m_keysDown.contains(key))
        return;
    m_pending = Release{key, VirtualKeyOf(event)};
    m_gap.start();
}

void KeyStrokes::settle()
{
    if (!m_pending)
        return;
    const Release release = *m_pending;
    m_pending.reset();
    m_gap.stop();
    m_keysDown.remove(release.key);
    m_up(release.code);
}

// ---- PhysicalKeyWindow ----

PhysicalKeyWindow::PhysicalKeyWindow(QWidget *parent)
    : QWidget(parent)
    , m_strokes(this, [this](int code) { keyDown(code); }, [this](int code) { keyUp(code); })
{
    TakeRawKeys(this);
}

bool PhysicalKeyWindow::event(QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        m_strokes.take(event);
    if (m_keyPreview && ClaimsKey(event)) {
        m_strokes.take(event);
        return true;
    }
    return QWidget::event(event);
}

void PhysicalKeyWindow::keyPressEvent(QKeyEvent *event)
{
    if (m_keyPreview)
        m_strokes.take(event);
    event->accept();
}

void PhysicalKeyWindow::keyReleaseEvent(QKeyEvent *event)
{
    if (m_keyPreview)
        m_strokes.take(event);
    event->accept();
}
