#include "shell/Placement.h"

#include <algorithm>
#include <cmath>

using namespace geometry;

std::optional<QRect> DockedRect(ManagedWindow which, const MainGeometry &main)
{
    const int L = main.left;
    const int W = main.width;
    const int P = main.practiceTop();
    switch (which) {
    case ManagedWindow::RunPanel:
        return QRect{L + kLeftMargin, P, kStateWidth, kPracticeHeight};
    case ManagedWindow::LinePracticeWindow:
    case ManagedWindow::TextPracticeWindow:
    case ManagedWindow::FreeInputWindow:
        return QRect{L + W - kPracticeWidth - kRightMargin, P, kPracticeWidth, kPracticeHeight};
    case ManagedWindow::RadicalChartDrillWindow:
    case ManagedWindow::IdleBackground:
    case ManagedWindow::KeyDrillWindow:
    case ManagedWindow::KeypadDrillWindow:
    case ManagedWindow::RaceWindow:
    case ManagedWindow::RecordViewer:
    case ManagedWindow::ProgressWindow:
    case ManagedWindow::RadicalDrillWindow:
    case ManagedWindow::ShuangpinChartWindow:
    case ManagedWindow::ShuangpinDrillWindow:
        return QRect{L + kLeftMargin, P, kFullWidth, kPracticeHeight};
    case ManagedWindow::StatusStrip:
        return QRect{L + kLeftMargin, P + kPracticeHeight, kFullWidth, kStatusHeight};
    }
    return std::nullopt;
}

std::optional<QRect> DockedStripRect(ManagedWindow which, const MainGeometry &main)
{
    const std::optional<QRect> rect = DockedRect(which, main);
    if (!rect)
        return std::nullopt;
    return QRect(ToStripPoint(rect->topLeft()), rect->size());
}

QPoint RadicalChartPosition(const MainGeometry &main)
{
    return {main.left + 299, int(std::lround(main.top + main.dockOffset + kPracticeHeight / 2.0))};
}

QPoint CentredDialogPosition(const MainGeometry &main, const QSize &size)
{
    return {int(std::lround(main.left + 299 + kStateWidth - size.width() / 2.0)),
            int(std::lround(main.top + main.dockOffset + kPracticeHeight / 2.0 - size.height() / 2.0))};
}

QPoint ToStripPoint(const QPoint &fromMainEdges)
{
    return fromMainEdges - kStripRect.topLeft();
}

QPoint BesideMainWindow(const QRect &main, const QSize &size, const QRect &screen)
{
    constexpr int kGap = 8;
    const int top = std::clamp(main.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    if (main.right() + kGap + size.width() <= screen.right() + 1)
        return {main.right() + 1 + kGap, top};
    if (main.left() - kGap - size.width() >= screen.left())
        return {main.left() - kGap - size.width(), top};
    // No room on either side: overlap, but offset, so both stay in sight.
    constexpr int kStep = 40;
    const int left = std::clamp(main.left() + kStep, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    const int down = std::clamp(main.top() + kStep, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {left, down};
}
