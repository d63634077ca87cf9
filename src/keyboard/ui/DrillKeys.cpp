#include "keyboard/ui/DrillKeys.h"

#include "keyboard/KeyMapping.h"

#include <QKeyEvent>
#include <QWidget>

int VirtualKeyOf(const QKeyEvent *event)
{
    return VirtualKeyOf(event->key(), event->modifiers(), event->nativeScanCode());
}

void TakeRawKeys(QWidget *widget)
{
    widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    widget->setFocusPolicy(Qt::StrongFocus);
}

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
