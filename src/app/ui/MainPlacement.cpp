#include "app/ui/MainPlacement.h"

#include <QWidget>

MainPlacement::MainPlacement(const QWidget &mainWindow, const PracticeState &state) : m_main(mainWindow), m_state(state)
{
}

MainGeometry MainPlacement::atOrigin() const
{
    MainGeometry g;
    g.dockOffset = m_state.dockOffset;
    g.dockCorrection = m_state.dockCorrection;
    return g;
}

void MainPlacement::placeDocked(QWidget *panel, ManagedWindow which) const
{
    const std::optional<QRect> rect = DockedStripRect(which, atOrigin());
    if (!panel || !rect)
        return;
    QWidget *parent = panel->parentWidget();
    QPoint pos = m_main.mapToGlobal(rect->topLeft());
    if (parent && !panel->isWindow())
        pos = parent->mapFromGlobal(pos);
    panel->setGeometry(QRect(pos, rect->size()));
}

void MainPlacement::centreDialog(QWidget *dialog) const
{
    if (!dialog)
        return;
    const QSize size = dialog->isVisible() ? dialog->frameGeometry().size()
                       : dialog->testAttribute(Qt::WA_Resized) ? dialog->size()
                                                               : dialog->sizeHint();
    const QPoint origin = mainOrigin();
    MainGeometry g = atOrigin();
    g.left = origin.x();
    g.top = origin.y();
    dialog->move(CentredDialogPosition(g, size));
}

QPoint MainPlacement::mainToGlobal(const QPoint &fromMainEdges) const
{
    return m_main.mapToGlobal(ToStripPoint(fromMainEdges));
}

QPoint MainPlacement::mainOrigin() const
{
    return m_main.mapToGlobal(QPoint(0, 0)) - geometry::kStripRect.topLeft();
}
