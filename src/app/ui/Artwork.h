#pragma once
// The shell's pictures, painted at run time: graphic-menu buttons at rest and
// under the pointer, the strip and status-strip backgrounds, the splash, the
// idle background and the about-box icon. Each is painted for a screen of
// `dpr` device pixels per logical pixel, so that it stays sharp when scaled.
#include <QByteArray>
#include <QPixmap>
#include <QSize>

class QPainter;

namespace artwork {
QPixmap menuButton(const QSize &size, bool hover, qreal dpr = 1);
QPixmap stripBackground(const QSize &size, qreal dpr = 1);
QPixmap statusBackground(const QSize &size, qreal dpr = 1);
QPixmap splash(const QSize &size, qreal dpr = 1);
// Painted straight onto the widget: kept as a picture it would hold a second
// copy, beside the window's own backing store, of the largest image shown.
void paintIdleBackground(QPainter &p, const QSize &size, qreal dpr = 1);
QPixmap emblem(int side, qreal dpr = 1); // the program's seal: about box, strip, window icon
// The same seal as an SVG picture of `side` units, for the desktop's icon theme.
QByteArray emblemSvg(int side);
// The Song-style face for Chinese text (宋体 maps to a CJK serif).
QString songFamily();
} // namespace artwork
