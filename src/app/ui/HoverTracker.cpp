#include "app/ui/HoverTracker.h"

#include "app/ui/GraphicButton.h"
#include "shell/Shell.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QToolButton>

HoverTracker::HoverTracker(Shell &shell, QObject *parent) : QObject(parent), m_shell(shell) {}

void HoverTracker::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool HoverTracker::eventFilter(QObject *watched, QEvent *event)
{
    // Entering a button, or leaving one for the bare strip, another button or
    // another window: the pointer has already moved, so it is asked where it is.
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave)
        followPointer();
    return QObject::eventFilter(watched, event);
}

void HoverTracker::followPointer()
{
    hoverOver(QApplication::widgetAt(QCursor::pos()));
}

void HoverTracker::hoverOver(QWidget *h)
{
    // Which "window" the pointer is over: a button (its caption included),
    // the main strip, or something else that leaves the pictures alone.
    QWidget *main = m_shell.mainWindow();
    QObject *target = nullptr;
    for (QWidget *w = h; w; w = w->parentWidget()) {
        if (auto *button = qobject_cast<GraphicButton *>(w)) {
            target = button;
            break;
        }
        if (w == main) {
            target = main;
            break;
        }
        if (w == m_shell.practiceArea() || w->isWindow() || qobject_cast<QToolButton *>(w) ||
            w == m_shell.window(ManagedWindow::StatusStrip))
            break;
    }
    if (!target || target == m_lastHover)
        return;
    if (auto *last = qobject_cast<GraphicButton *>(m_lastHover))
        last->setHoverPicture(false);
    if (auto *button = qobject_cast<GraphicButton *>(target))
        button->setHoverPicture(true);
    m_lastHover = target;
}
