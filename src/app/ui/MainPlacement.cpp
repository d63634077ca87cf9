#include "app/ui/MainPlacement.h"

#include <QWidget>
#include <cmath>

using geometry::kTwipsPerPixel;

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
    const QPointF origin = mainOriginTwips();
    MainGeometry g = atOrigin();
    g.left = origin.x();
    g.top = origin.y();
    const QPointF topLeft = CentredDialogPosition(g, size.width() * kTwipsPerPixel, size.height() * kTwipsPerPixel);
    dialog->move(int(std::lround(topLeft.x() / kTwipsPerPixel)), int(std::lround(topLeft.y() / kTwipsPerPixel)));
}

QPoint MainPlacement::mainTwipsToGlobal(double leftTwips, double topTwips) const
{
    return m_main.mapToGlobal(TwipsToStripPixels(leftTwips, topTwips));
}

QPointF MainPlacement::mainOriginTwips() const
{
    const QPoint origin = m_main.mapToGlobal(QPoint(0, 0)) - geometry::kStripRect.topLeft();
    return {origin.x() * kTwipsPerPixel, origin.y() * kTwipsPerPixel};
}
