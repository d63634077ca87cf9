#pragma once
// The graphic menu's hover pictures: the button under the pointer is lit,
// until the pointer reaches another button or the bare strip; anything else
// (panels, other windows, the caption buttons) leaves the pictures alone. A
// timer asks the platform what is under the pointer.
#include <QObject>
#include <QTimer>

class Shell;
class QWidget;

class HoverTracker : public QObject {
public:
    HoverTracker(Shell &shell, QObject *parent);

    void start() { m_timGetPointer.start(); }
    void stop() { m_timGetPointer.stop(); }
    void timGetPointer_Timer();
    void hoverOver(QWidget *widgetUnderPointer);

private:
    Shell &m_shell;
    QTimer m_timGetPointer;
    QObject *m_lastHover = nullptr;
};
