#pragma once
// The shell's pictures, painted at run time: graphic-menu buttons at rest and
// under the pointer, the strip and status-strip backgrounds, the splash, the
// idle background and the about-box icon.
#include <QByteArray>
#include <QPixmap>
#include <QSize>

namespace artwork {
QPixmap menuButton(const QSize &size, bool hover);
QPixmap stripBackground(const QSize &size);
QPixmap statusBackground(const QSize &size);
QPixmap splash(const QSize &size);
QPixmap idleBackground(const QSize &size);
QPixmap emblem(int side); // the program's seal: about box, strip, window icon
// The same seal as an SVG picture of `side` units, for the desktop's icon theme.
QByteArray emblemSvg(int side);
// The Song-style face for Chinese text (宋体 maps to a CJK serif).
QString songFamily();
} // namespace artwork
