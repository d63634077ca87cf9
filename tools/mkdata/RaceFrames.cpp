// Race animation frames: a running hare in eight frames of one gallop cycle,
// data/gdata/gt1.gt .. gt8.gt, and a walking tortoise in two frames, gg1.gg
// and gg2.gg. Drawn here at twice the pixels, transparent around the animal,
// stored scrambled as PNG.
#include "Output.h"
#include "Radicals.h"
#include "Steps.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int kHareWidth = 76, kHareHeight = 60;
constexpr int kTortoiseWidth = 72, kTortoiseHeight = 46;
constexpr int kHareFrames = 8;

const QColor kFur(0xd8, 0xa8, 0x72);
const QColor kFurShade(0xb9, 0x86, 0x52);
const QColor kBelly(0xf8, 0xea, 0xd3);
const QColor kHareLine(0x6e, 0x48, 0x26);
const QColor kPink(0xf2, 0x9c, 0xae);
const QColor kShell(0x4f, 0x9a, 0x4a);
const QColor kShellLight(0x86, 0xc4, 0x6a);
const QColor kShellRim(0x8a, 0x6a, 0x2e);
const QColor kSkin(0xa6, 0xd4, 0x79);
const QColor kTortoiseLine(0x2f, 0x5a, 0x2a);

QImage transparentCanvas(int width, int height)
{
    QImage image = DenseImage(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void drawEye(QPainter &p, QPointF centre, double radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x1a, 0x14));
    p.drawEllipse(centre, radius, radius * 1.15);
    p.setBrush(Qt::white);
    p.drawEllipse(centre + QPointF(radius * 0.35, -radius * 0.4), radius * 0.38, radius * 0.38);
}

// A leg from `hip`: thigh towards `knee` angle, shin towards `paw` angle
// (degrees, 90 = straight down), ending in a round paw.
void drawLeg(QPainter &p, QPointF hip, double thighAngle, double thighLength, double shinAngle,
             double shinLength, const QColor &fur, double width)
{
    const auto towards = [](QPointF from, double angle, double length) {
        return from + QPointF(qCos(qDegreesToRadians(angle)) * length, qSin(qDegreesToRadians(angle)) * length);
    };
    const QPointF knee = towards(hip, thighAngle, thighLength);
    const QPointF paw = towards(knee, shinAngle, shinLength);
    p.setPen(QPen(kHareLine, width + 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{hip, knee, paw});
    p.setPen(QPen(fur, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{hip, knee, paw});
    p.setPen(QPen(kHareLine, 1.2));
    p.setBrush(kBelly);
    p.drawEllipse(paw + QPointF(1.5, 0), 3.6, 2.6);
}

void drawEar(QPainter &p, QPointF base, double angle, bool far)
{
    p.save();
    p.translate(base);
    p.rotate(angle);
    p.setPen(QPen(kHareLine, 1.3));
    p.setBrush(far ? kFurShade : kFur);
    p.drawEllipse(QRectF(-4, -21, 8, 23));
    if (!far) {
        p.setPen(Qt::NoPen);
        p.setBrush(kPink);
        p.drawEllipse(QRectF(-2, -17, 4, 16));
    }
    p.restore();
}

// Frame `i` of the gallop: the legs stretch out while the hare is in the air
// (first half) and gather under it on landing (second half).
QImage drawHare(int i)
{
    const double phase = 2 * M_PI * i / kHareFrames;
    const double s = qSin(phase);
    const double bob = -4.0 * qMax(0.0, s) + 1.5 * qMax(0.0, -s);
    const double stretch = 3.0 * s;

    QImage image = transparentCanvas(kHareWidth, kHareHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double cy = 33 + bob;

    // Far legs first, a shade darker.
    drawLeg(p, {47, cy + 5}, 90 - 50 * s, 8, 100 - 70 * s, 10, kFurShade, 4.5);
    drawLeg(p, {23 - stretch / 2, cy + 4}, 100 + 55 * s, 9, 60 + 70 * s, 11, kFurShade, 6);
    drawEar(p, {53, cy - 16}, -62 + 10 * s, true);

    // Tail, body and belly.
    p.setPen(QPen(kHareLine, 1.3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(14 - stretch / 2, cy - 5), 5.5, 5);
    p.save();
    p.translate(35, cy);
    p.rotate(-5 * s);
    p.setBrush(kFur);
    p.drawEllipse(QPointF(0, 0), 20 + stretch, 12.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kBelly);
    p.drawEllipse(QPointF(3, 6), 13 + stretch / 2, 5.5);
    p.restore();

    // Near legs.
    drawLeg(p, {50, cy + 6}, 80 - 55 * s, 8, 95 - 75 * s, 10, kFur, 4.5);
    drawLeg(p, {21 - stretch / 2, cy + 6}, 95 + 60 * s, 9, 55 + 75 * s, 11, kFur, 6.5);

    // Head with the near ear, eye, nose and a blush.
    const QPointF head(57, cy - 9);
    drawEar(p, head + QPointF(-2, -6), -48 + 10 * s, false);
    p.setPen(QPen(kHareLine, 1.3));
    p.setBrush(kFur);
    p.drawEllipse(head, 11.5, 9.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kBelly);
    p.drawEllipse(head + QPointF(5, 4), 5.5, 4);
    drawEye(p, head + QPointF(3.5, -2.5), 2.3);
    p.setBrush(kPink);
    p.drawEllipse(head + QPointF(11, 1), 2, 1.6);
    p.setBrush(QColor(0xf2, 0x8c, 0xa0, 110));
    p.drawEllipse(head + QPointF(1, 3.5), 3, 2);
    p.setPen(QPen(kHareLine, 1));
    p.drawLine(head + QPointF(9.5, 4.5), head + QPointF(14, 3.5)); // whiskers
    p.drawLine(head + QPointF(9.5, 5.5), head + QPointF(14, 6.5));
    return image;
}

// A stubby leg below the shell, `swing` pixels forward.
void drawTortoiseLeg(QPainter &p, double x, double swing, bool far)
{
    p.setPen(QPen(kTortoiseLine, 1.2));
    p.setBrush(far ? kSkin.darker(118) : kSkin);
    p.drawRoundedRect(QRectF(x + swing, 33, 8, 11), 3.5, 3.5);
}

// Frame 1 and 2 of the walk: the legs swap over and the head nods.
QImage drawTortoise(int frame)
{
    const double swing = frame == 1 ? 2.5 : -2.5;
    const double nod = frame == 1 ? 0 : 1;

    QImage image = transparentCanvas(kTortoiseWidth, kTortoiseHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    drawTortoiseLeg(p, 17, -swing, true);
    drawTortoiseLeg(p, 44, swing, true);

    // Tail, neck and head.
    p.setPen(QPen(kTortoiseLine, 1.2));
    p.setBrush(kSkin);
    p.drawPolygon(QPolygonF{{9, 31}, {2, 35}, {10, 36}});
    const QPointF head(61, 22 + nod);
    p.drawRoundedRect(QRectF(50, 25 + nod, 10, 9), 4, 4);
    p.drawEllipse(head, 8.5, 7.5);
    drawEye(p, head + QPointF(2.5, -2), 1.8);
    p.setPen(QPen(kTortoiseLine, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.x() + 1, head.y() + 0.5, 6, 4), 200 * 16, 140 * 16); // smile
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0x8c, 0xa0, 110));
    p.drawEllipse(head + QPointF(0, 3), 2.2, 1.5);

    // The shell: a dome with a rim and a pattern of plates.
    QPainterPath dome;
    dome.moveTo(9, 34);
    dome.cubicTo(10, 6, 54, 6, 55, 34);
    dome.closeSubpath();
    QLinearGradient shade(0, 8, 0, 34);
    shade.setColorAt(0, kShellLight);
    shade.setColorAt(1, kShell);
    p.setPen(QPen(kTortoiseLine, 1.4));
    p.setBrush(shade);
    p.drawPath(dome);
    p.save();
    p.setClipPath(dome);
    p.setPen(QPen(kTortoiseLine.lighter(130), 1.2));
    p.setBrush(kShellLight.lighter(112));
    p.drawPolygon(QPolygonF{{26, 17}, {38, 17}, {42, 25}, {38, 32}, {26, 32}, {22, 25}});
    p.drawLine(QPointF(26, 17), QPointF(21, 11));
    p.drawLine(QPointF(38, 17), QPointF(43, 11));
    p.drawLine(QPointF(22, 25), QPointF(12, 26));
    p.drawLine(QPointF(42, 25), QPointF(52, 26));
    p.restore();
    p.setPen(QPen(kTortoiseLine, 1.2));
    p.setBrush(kShellRim);
    p.drawRoundedRect(QRectF(7, 32, 50, 5), 2.5, 2.5);

    drawTortoiseLeg(p, 13, swing, false);
    drawTortoiseLeg(p, 48, -swing, false);
    return image;
}

} // namespace

bool BuildRaceFrames(const QString &out, QString *error)
{
    const QString folder = out + QStringLiteral("/data/gdata/");
    for (int i = 0; i < kHareFrames; ++i)
        if (!WriteImage(folder + QStringLiteral("gt%1.gt").arg(i + 1), drawHare(i), "PNG", true, error))
            return false;
    for (int frame = 1; frame <= 2; ++frame)
        if (!WriteImage(folder + QStringLiteral("gg%1.gg").arg(frame), drawTortoise(frame), "PNG", true, error))
            return false;
    return true;
}
