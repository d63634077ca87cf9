#pragma once
// The graphic menu's hover pictures: the button under the pointer is lit,
// until the pointer reaches another button or the bare strip; anything else
// (panels, other windows, the caption buttons) leaves the pictures alone. The
// pointer is looked at when it enters or leaves the strip or a button, so an
// idle window does no work at all.
#include <QObject>

class Shell;
class QWidget;

class HoverTracker : public QObject {
public:
    HoverTracker(Shell &shell, QObject *parent);

    // Follows the pointer over `widget` (the strip, a button) from now on.
    void watch(QWidget *widget);
    // What is under the pointer now decides the pictures.
    void followPointer();
    void hoverOver(QWidget *widgetUnderPointer);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Shell &m_shell;
    QObject *m_lastHover = nullptr;
};
