#include "shell/Placement.h"

#include <algorithm>
#include <cmath>

using namespace geometry;

std::optional<TwipRect> DockedRect(ManagedWindow which, const MainGeometry &main)
{
    const double L = main.left;
    const double W = main.width;
    const double P = main.practiceTop();
    switch (which) {
    case ManagedWindow::RunPanel:
        return TwipRect{L + kLeftMargin, P, kStateWidth, kPracticeHeight};
    case ManagedWindow::LinePracticeWindow:
    case ManagedWindow::TextPracticeWindow:
    case ManagedWindow::FreeInputWindow:
        return TwipRect{L + W - kPracticeWidth - kRightMargin, P, kPracticeWidth, kPracticeHeight};
    case ManagedWindow::RadicalChartDrillWindow:
    case ManagedWindow::IdleBackground:
    case ManagedWindow::KeyDrillWindow:
    case ManagedWindow::KeypadDrillWindow:
    case ManagedWindow::RaceWindow:
    case ManagedWindow::RecordViewer:
    case ManagedWindow::ProgressWindow:
    case ManagedWindow::RadicalDrillWindow:
        return TwipRect{L + kLeftMargin, P, kFullWidth, kPracticeHeight};
    case ManagedWindow::StatusStrip:
        return TwipRect{L + kLeftMargin, P + kPracticeHeight, kFullWidth, kStatusHeight};
    }
    return std::nullopt;
}

std::optional<QRect> DockedStripRect(ManagedWindow which, const MainGeometry &main)
{
    const std::optional<TwipRect> rect = DockedRect(which, main);
    if (!rect)
        return std::nullopt;
    const QSize size(int(std::lround(rect->width / kTwipsPerPixel)), int(std::lround(rect->height / kTwipsPerPixel)));
    return QRect(TwipsToStripPixels(rect->left, rect->top), size);
}

QPointF RadicalChartPosition(const MainGeometry &main)
{
    return {main.left + 4485, main.top + main.dockOffset + kPracticeHeight / 2};
}

QPointF CentredDialogPosition(const MainGeometry &main, double widthTwips, double heightTwips)
{
    return {main.left + 4485 + kStateWidth - widthTwips / 2,
            main.top + main.dockOffset + kPracticeHeight / 2 - heightTwips / 2};
}

QPoint TwipsToStripPixels(double xTwips, double yTwips)
{
    return {int(std::lround(xTwips / kTwipsPerPixel)) - kStripRect.left(),
            int(std::lround(yTwips / kTwipsPerPixel)) - kStripRect.top()};
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
