#pragma once
// Geometry of the one-window layout, in twips (15 per pixel): the main strip,
// the practice area under it where exercise panels dock, the status strip at
// the bottom, and where dialogs are centred. Pure functions of the main
// window's position, so every value can be checked without a screen.
#include "practice/PracticeState.h"

#include <QPointF>
#include <QRect>
#include <optional>

namespace geometry {
inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double kMainWidth = 10755;
inline constexpr double kPracticeHeight = 6675;
inline constexpr double kFullWidth = 10650;
inline constexpr double kStateWidth = 1680;
inline constexpr double kPracticeWidth = 8970;
inline constexpr double kLeftMargin = 55;
inline constexpr double kRightMargin = 50;
inline constexpr double kStatusHeight = 400;
// The visible strip of the main window, in pixels of the full main window
// (title bar included): everything outside it is cut away.
inline constexpr QRect kStripRect{QPoint(4, 23), QPoint(713, 98)}; // (4, 23)-(714, 99)
} // namespace geometry

struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const TwipRect &o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// The main window as the placement rules see it: Left, Top and Width in twips
// and the two offsets fixed at start-up.
struct MainGeometry {
    double left = 0;
    double top = 0;
    double width = geometry::kMainWidth;
    int dockOffset = 1545;
    int dockCorrection = 53;

    // Top edge of the practice area: the bottom of the visible strip.
    double practiceTop() const { return top + dockOffset - dockCorrection; }
    // Height of the whole main window.
    double height() const { return dockOffset + geometry::kPracticeHeight - dockCorrection + geometry::kStatusHeight; }
};

// Size and position of a docked window; nullopt for a window that has no
// docking rule.
std::optional<TwipRect> DockedRect(ManagedWindow which, const MainGeometry &main);

// The same in pixels of the visible strip's coordinate system, as a window
// at the origin docks it.
std::optional<QRect> DockedStripRect(ManagedWindow which, const MainGeometry &main);

// Position of the radical chart window (size unchanged).
QPointF RadicalChartPosition(const MainGeometry &main);

// Top-left of a dialog of the given size, centred on the practice window.
QPointF CentredDialogPosition(const MainGeometry &main, double widthTwips, double heightTwips);

// A point given in twips from the main window's left and top edges, as a pixel
// of the visible strip's coordinate system (the strip's top-left is 0, 0).
QPoint TwipsToStripPixels(double xTwips, double yTwips);

// Where a companion window of `size` (frame included) goes beside the main
// window `main` on the screen area `screen`, in pixels: to its right when it
// fits there, else to its left, else as far right as the screen allows and
// moved down a step, so that it never covers the main window exactly.
QPoint BesideMainWindow(const QRect &main, const QSize &size, const QRect &screen);
