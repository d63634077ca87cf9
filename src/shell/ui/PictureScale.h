#pragma once
// Pictures for screens of any density: the program's own pictures are painted,
// or stored, with more device pixels than logical ones.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>

// Pictures drawn for a dense screen carry their resolution: 192 dots per inch
// is two device pixels per logical pixel. Gives the image that ratio (1 for a
// picture without a resolution or of 96 dots per inch or less), so that it
// shows at its logical size and full sharpness; on a screen less dense than
// the picture, it is scaled down to the screen's ratio.
QImage WithPictureScale(QImage image);

// A blank picture of `logicalSize` for a screen of `dpr` device pixels per
// logical pixel: painted in logical units, it has full-resolution pixels.
QPixmap SharpCanvas(const QSize &logicalSize, qreal dpr, const QColor &fill = Qt::transparent);
// Whether `picture` was painted for `logicalSize` at `dpr`.
bool PaintedFor(const QPixmap &picture, const QSize &logicalSize, qreal dpr);
