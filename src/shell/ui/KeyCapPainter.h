#pragma once
// Draws the caps of a KeyboardPicture: rounded, bevelled, lower when pressed.
// The target is blue with a heavy ring, a wrong key orange-red with
// diagonal stripes, so the states differ also without colour. Drawn as
// vectors, crisp at any scale.
#include "keyboard/KeyboardPicture.h"

#include <QColor>
#include <QRectF>

class QPainter;

struct CapColours {
    QColor face, skirt, edge, legend;
};

// The colours of a cap in `state`.
CapColours CapColoursOf(KeyState state);
// A cap whose top face is `face`, its sides and edge shaded from it.
CapColours TintedCapColours(const QColor &face);

void PaintKeyCap(QPainter &p, const QRectF &rect, const KeyCap &cap, const KeyLook &look);
void PaintKeyCap(QPainter &p, const QRectF &rect, const KeyCap &cap, const KeyLook &look, const CapColours &colours);
// The keyboard's case the caps sit on, filling `rect`.
void PaintKeyboardPlate(QPainter &p, const QRectF &rect);
