#include "app/ui/Artwork.h"

#include "shell/ui/PictureScale.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
const QColor kInk(0x1f, 0x3b, 0x5c);
const QColor kDeep(0x14, 0x4e, 0x7a);
const QColor kSky(0x4f, 0x9b, 0xd1);
const QColor kMist(0xe8, 0xf2, 0xfa);
const QColor kCinnabar(0xc0, 0x39, 0x2b);

QPixmap canvas(const QSize &size, qreal dpr)
{
    return SharpCanvas(size, dpr);
}

QFont song(int pixelSize)
{
    QFont f(artwork::songFamily());
    f.setPixelSize(pixelSize);
    return f;
}

// Bold Chinese drawn from the regular face, struck a few times a fraction of
// a pixel apart: the bold CJK face is a second large font file to load for
// three short titles, and thickening the outline as a path costs more than
// the rest of the picture.
void drawBoldText(QPainter &p, const QRect &box, int pixelSize, const QString &text)
{
    p.save();
    p.setFont(song(pixelSize));
    const double spread = pixelSize / 44.0;
    for (const QPointF offset : {QPointF(-spread, 0), QPointF(spread, 0), QPointF(0, -spread), QPointF(0, spread),
                                 QPointF(0, 0)})
        p.drawText(QRectF(box).translated(offset), Qt::AlignCenter, text);
    p.restore();
}

// Faint rows of keys: the motif shared by the larger pictures.
void drawKeyRows(QPainter &p, const QRectF &area, QColor colour, double key)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double gap = key * 0.22;
    int row = 0;
    for (double y = area.top(); y < area.bottom(); y += key + gap, ++row) {
        for (double x = area.left() + (row % 3) * key * 0.4; x < area.right(); x += key + gap)
            p.drawRoundedRect(QRectF(x, y, key, key), key * 0.18, key * 0.18);
    }
    p.restore();
}
// The program's blue sky: light at the top, deep at `deepAt`, `foot` below.
void fillSky(QPainter &p, const QSize &size, double deepAt, const QColor &foot)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x2c, 0x6f, 0xa8));
    sky.setColorAt(deepAt, kDeep);
    sky.setColorAt(1, foot);
    p.fillRect(QRect(QPoint(0, 0), size), sky);
}
} // namespace

namespace artwork {

QString songFamily()
{
    return QStringLiteral("宋体");
}

QPixmap menuButton(const QSize &size, bool hover, qreal dpr)
{
    QPixmap pix = canvas(size, dpr);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    // The shape of the button's window region: (1, 0)-(81, 32), corners 29 x 23.
    const QRectF r(1.5, 0.5, size.width() - 2.5, size.height() - 1.5);
    QPainterPath shape;
    shape.addRoundedRect(r, 14.5, 11.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (hover) {
        fill.setColorAt(0, QColor(0xff, 0xf4, 0xd6));
        fill.setColorAt(0.5, QColor(0xff, 0xd8, 0x7a));
        fill.setColorAt(1, QColor(0xf0, 0xa8, 0x30));
    } else {
        fill.setColorAt(0, QColor(0xfb, 0xfd, 0xff));
        fill.setColorAt(0.5, QColor(0xd6, 0xe8, 0xf7));
        fill.setColorAt(1, QColor(0xa9, 0xcb, 0xea));
    }
    p.fillPath(shape, fill);
    // A soft gloss on the upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(r.adjusted(3, 2, -3, -r.height() / 2), 10, 7);
    QLinearGradient shine(r.topLeft(), QPointF(r.left(), r.center().y()));
    shine.setColorAt(0, QColor(255, 255, 255, 170));
    shine.setColorAt(1, QColor(255, 255, 255, 20));
    p.fillPath(gloss, shine);
    p.setPen(QPen(hover ? QColor(0xb8, 0x6e, 0x10) : QColor(0x5b, 0x8d, 0xbf), 1.2));
    p.drawPath(shape);
    return pix;
}

QPixmap stripBackground(const QSize &size, qreal dpr)
{
    QPixmap pix = canvas(size, dpr);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    fillSky(p, size, 0.45, QColor(0x0e, 0x33, 0x55));
    drawKeyRows(p, QRectF(size.width() * 0.55, -4, size.width() * 0.45, 36), QColor(255, 255, 255, 16), 10);
    // A thin light line under the title row and a border around the strip.
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.drawLine(QPointF(8, 31.5), QPointF(size.width() - 8, 31.5));
    p.setPen(QPen(QColor(0x0a, 0x25, 0x40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    return pix;
}

QPixmap statusBackground(const QSize &size, qreal dpr)
{
    QPixmap pix = canvas(size, dpr);
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0xf4, 0xf8, 0xfc));
    g.setColorAt(1, QColor(0xd5, 0xe3, 0xf0));
    p.fillRect(QRect(QPoint(0, 0), size), g);
    p.setPen(QColor(0x9d, 0xb6, 0xcf));
    p.drawLine(0, 0, size.width(), 0);
    p.setPen(QColor(0x0e, 0x33, 0x55));
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return pix;
}

namespace {
// The emblem's shapes: a key cap with a cinnabar seal character on it.
struct EmblemShapes {
    QRectF cap;
    double capRadius;
    double stroke;
    QRectF seal;
    double sealRadius;
    QPainterPath glyph;  // from the regular face, thickened by a stroke of:
    double glyphStroke;
};

EmblemShapes emblemShapes(double side)
{
    EmblemShapes e;
    e.cap = QRectF(side * 0.06, side * 0.06, side * 0.88, side * 0.88);
    e.capRadius = side * 0.16;
    e.stroke = side / 40.0;
    e.seal = e.cap.adjusted(side * 0.14, side * 0.12, -side * 0.14, -side * 0.16);
    e.sealRadius = side * 0.08;
    e.glyphStroke = side / 40.0;
    e.glyph.addText(0, 0, song(int(e.seal.height() * 0.78)), QStringLiteral("打"));
    e.glyph.translate(e.seal.center() - e.glyph.boundingRect().center());
    return e;
}

const QColor kCapTop(0xff, 0xff, 0xff), kCapBottom(0xdd, 0xe6, 0xee), kCapEdge(0x8a, 0x9b, 0xab);

QString svgPathData(const QPainterPath &path)
{
    QString d;
    auto point = [](const QPainterPath::Element &e) { return QStringLiteral("%1 %2 ").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += QStringLiteral("M") + point(e);
        } else if (e.isLineTo()) {
            d += QStringLiteral("L") + point(e);
        } else if (e.isCurveTo()) {
            d += QStringLiteral("C") + point(e) + point(path.elementAt(i + 1)) + point(path.elementAt(i + 2));
            i += 2;
        }
    }
    return d.trimmed();
}
} // namespace

QPixmap emblem(int side, qreal dpr)
{
    QPixmap pix = canvas(QSize(side, side), dpr);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const EmblemShapes e = emblemShapes(side);
    QLinearGradient cap(e.cap.topLeft(), e.cap.bottomLeft());
    cap.setColorAt(0, kCapTop);
    cap.setColorAt(1, kCapBottom);
    p.setPen(QPen(kCapEdge, e.stroke));
    p.setBrush(cap);
    p.drawRoundedRect(e.cap, e.capRadius, e.capRadius);
    p.setPen(Qt::NoPen);
    p.setBrush(kCinnabar);
    p.drawRoundedRect(e.seal, e.sealRadius, e.sealRadius);
    p.setPen(QPen(Qt::white, e.glyphStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(e.glyph);
    return pix;
}

QByteArray emblemSvg(int side)
{
    const EmblemShapes e = emblemShapes(side);
    auto rect = [](const QRectF &r, double radius, const QString &paint) {
        return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>\n")
            .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(radius).arg(paint);
    };
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
                                 "<defs><linearGradient id=\"cap\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                                 "<stop offset=\"0\" stop-color=\"%2\"/><stop offset=\"1\" stop-color=\"%3\"/>"
                                 "</linearGradient></defs>\n")
                      .arg(side).arg(kCapTop.name(), kCapBottom.name());
    svg += rect(e.cap, e.capRadius,
                QStringLiteral("fill=\"url(#cap)\" stroke=\"%1\" stroke-width=\"%2\" ").arg(kCapEdge.name()).arg(e.stroke));
    svg += rect(e.seal, e.sealRadius, QStringLiteral("fill=\"%1\" ").arg(kCinnabar.name()));
    svg += QStringLiteral("<path fill=\"#ffffff\" stroke=\"#ffffff\" stroke-width=\"%1\" stroke-linejoin=\"round\" "
                          "fill-rule=\"%2\" d=\"%3\"/>\n</svg>\n")
               .arg(e.glyphStroke)
               .arg(e.glyph.fillRule() == Qt::WindingFill ? QStringLiteral("nonzero") : QStringLiteral("evenodd"),
                    svgPathData(e.glyph));
    return svg.toUtf8();
}

QPixmap splash(const QSize &size, qreal dpr)
{
    QPixmap pix = canvas(size, dpr);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    fillSky(p, size, 0.6, QColor(0x0b, 0x2a, 0x47));
    drawKeyRows(p, QRectF(-10, size.height() * 0.66, size.width() + 20, size.height() * 0.4),
                QColor(255, 255, 255, 22), 26);
    const int w = size.width();
    p.drawPixmap(QRect((w - 96) / 2, 42, 96, 96), emblem(96, dpr));
    p.setPen(Qt::white);
    drawBoldText(p, QRect(0, 150, w, 54), 40, QStringLiteral("中文打字练习"));
    p.setPen(QColor(0xcf, 0xe4, 0xf5));
    p.setFont(song(16));
    p.drawText(QRect(0, 206, w, 26), Qt::AlignCenter, QStringLiteral("指法 · 英文 · 五笔 · 文章练习"));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    p.drawText(QRect(0, 232, w, 22), Qt::AlignCenter, QStringLiteral("Quorvel 1.41"));
    p.setPen(QColor(255, 255, 255, 150));
    p.setFont(song(13));
    p.drawText(QRect(0, size.height() - 34, w, 22), Qt::AlignCenter, QStringLiteral("正在启动……"));
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, size.height() - 1));
    return pix;
}

void paintIdleBackground(QPainter &p, const QSize &size, qreal dpr)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRadialGradient g(QPointF(size.width() * 0.5, size.height() * 0.35), size.width() * 0.75);
    g.setColorAt(0, QColor(0xfd, 0xfe, 0xff));
    g.setColorAt(1, kMist.darker(104));
    p.fillRect(QRect(QPoint(0, 0), size), g);
    drawKeyRows(p, QRectF(-20, size.height() * 0.62, size.width() + 40, size.height() * 0.4),
                QColor(0x4f, 0x9b, 0xd1, 26), 34);
    const int w = size.width();
    p.drawPixmap(QRect((w - 88) / 2, 60, 88, 88), emblem(88, dpr));
    p.setPen(kInk);
    drawBoldText(p, QRect(0, 160, w, 50), 34, QStringLiteral("中文打字练习"));
    p.setPen(kSky.darker(130));
    p.setFont(song(16));
    p.drawText(QRect(0, 214, w, 26), Qt::AlignCenter, QStringLiteral("请从上方的菜单中选择练习项目"));
}

} // namespace artwork
