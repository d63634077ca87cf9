#pragma once
// The application shell as the exercises see it: the practice area where
// docked panels live, placement and centring, the status strip, the window
// registry with its factories, the close-others step and the menu commands.
#include "practice/PracticeState.h"
#include "shell/ExercisePanel.h"

#include <QPointF>
#include <QString>
#include <functional>
#include <initializer_list>

class QWidget;
class QDialog;

class Shell {
public:
    virtual ~Shell() = default;

    virtual QWidget *mainWindow() = 0;
    // Parent of every docked panel; panels are placed in its coordinates.
    virtual QWidget *practiceArea() = 0;

    // Placement rule of a docked window (size, then position).
    virtual void placeDocked(QWidget *panel, ManagedWindow which) = 0;
    // Dialog centring rule, for a top-level dialog about to be shown.
    virtual void centreDialog(QWidget *dialog) = 0;
    // Screen position of a point given from the main window's left and top
    // edges (4 px left of and 23 px above the strip).
    virtual QPoint mainToGlobal(const QPoint &fromMainEdges) const = 0;
    // The reverse: the main window's left and top edge on the screen.
    virtual QPoint mainOrigin() const = 0;

    // Status strip. Writable while hidden.
    virtual void setStatusMessage(const QString &text) = 0;
    virtual void setStatusReady(bool ready) = 0;

    // Window registry. A managed window is created by its registered factory
    // (parent: the practice area) and shown; the registry alone keeps its
    // shown and opening flags.
    using WindowFactory = std::function<QWidget *(QWidget *parent)>;
    virtual void registerWindow(ManagedWindow which, WindowFactory factory) = 0;
    virtual QWidget *showWindow(ManagedWindow which) = 0;  // creates when needed
    virtual QWidget *window(ManagedWindow which) const = 0; // nullptr when not loaded
    virtual void unloadWindow(ManagedWindow which) = 0;

    // Launching. Ends the run and closes every exercise window but those in
    // `keep` (each command names the windows it opens), which survive the
    // step emptied.
    virtual void closeOthers(std::initializer_list<ManagedWindow> keep) = 0;
    void closeOthers() { closeOthers({}); }
    // The status window and `practice` open together; everything else closes.
    virtual void openPair(ManagedWindow practice) = 0;
    void openLinePractice() { openPair(ManagedWindow::LinePracticeWindow); }
    void openTextPractice() { openPair(ManagedWindow::TextPracticeWindow); }
    virtual void selectDrillKind(int kind) = 0;

    // Menu commands by readable key ("chinese.line", "wubi.phrases2.86",
    // "other.records", ...; the menu table lists them all). An item without a
    // command is shown disabled.
    virtual void setCommand(const QString &key, std::function<void()> command) = 0;
    virtual bool runCommand(const QString &key) = 0;
};
