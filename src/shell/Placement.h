#pragma once
// Geometry of the one-window layout, in pixels: the main strip,
// the practice area under it where exercise panels dock, the status strip at
// the bottom, and where dialogs are centred. Pure functions of the main
// window's position, so every value can be checked without a screen.
#include "practice/PracticeState.h"

#include <QRect>
#include <optional>

namespace geometry {
inline constexpr int kMainWidth = 717;
inline constexpr int kPracticeHeight = 445;
inline constexpr int kFullWidth = 710;
inline constexpr int kStateWidth = 112;
inline constexpr int kPracticeWidth = 598;
inline constexpr int kLeftMargin = 4;
inline constexpr int kRightMargin = 3;
inline constexpr int kStatusHeight = 27;
// The visible strip of the main window, in pixels of the full main window
// (title bar included): everything outside it is cut away.
inline constexpr QRect kStripRect{QPoint(4, 23), QPoint(713, 98)}; // (4, 23)-(714, 99)
} // namespace geometry

// The main window as the placement rules see it: its left and top edges on
// the screen, its width, and the two offsets fixed at start-up.
struct MainGeometry {
    int left = 0;
    int top = 0;
    int width = geometry::kMainWidth;
    int dockOffset = 103;
    int dockCorrection = 4;

    // Top edge of the practice area: the bottom of the visible strip.
    int practiceTop() const { return top + dockOffset - dockCorrection; }
    // Height of the whole main window.
    int height() const { return dockOffset + geometry::kPracticeHeight - dockCorrection + geometry::kStatusHeight; }
};

// Size and position of a docked window on the screen; nullopt for a window
// that has no docking rule.
std::optional<QRect> DockedRect(ManagedWindow which, const MainGeometry &main);

// The same in pixels of the visible strip's coordinate system, as a window
// at the origin docks it.
std::optional<QRect> DockedStripRect(ManagedWindow which, const MainGeometry &main);

// Position of the radical chart window (size unchanged).
QPoint RadicalChartPosition(const MainGeometry &main);

// Top-left of a dialog of the given size, centred on the practice window.
QPoint CentredDialogPosition(const MainGeometry &main, const QSize &size);

// A point given from the main window's left and top edges, in the visible
// strip's coordinate system (the strip's top-left is 0, 0).
QPoint ToStripPoint(const QPoint &fromMainEdges);

// Where a companion window of `size` (frame included) goes beside the main
// window `main` on the screen area `screen`, in pixels: to its right when it
// fits there, else to its left, else as far right as the screen allows and
// moved down a step, so that it never covers the main window exactly.
QPoint BesideMainWindow(const QRect &main, const QSize &size, const QRect &screen);
