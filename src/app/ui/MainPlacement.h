#pragma once
// The placement rules applied to the main window where it stands: docked
// panels in its practice area, dialogs centred on it, and points counted
// from its edges.
#include "shell/Placement.h"

class QWidget;

class MainPlacement {
public:
    MainPlacement(const QWidget &mainWindow, const PracticeState &state);

    // The main window as the rules see it, at the origin (the panels are its
    // children and move with it).
    MainGeometry atOrigin() const;
    void placeDocked(QWidget *panel, ManagedWindow which) const;
    void centreDialog(QWidget *dialog) const;
    QPoint mainToGlobal(const QPoint &fromMainEdges) const;
    QPoint mainOrigin() const;

private:
    const QWidget &m_main;
    const PracticeState &m_state;
};
