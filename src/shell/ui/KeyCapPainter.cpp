#include "shell/ui/KeyCapPainter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QPainterPath Rounded(const QRectF &r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void DrawLegends(QPainter &p, const QRectF &face, const KeyCap &cap, const QColor &colour)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    p.setPen(colour);
    const bool word = cap.legend.size() > 1 && !cap.legend[0].isDigit();
    if (cap.secondary.isEmpty()) {
        font.setPixelSize(word ? 10 : 14);
        p.setFont(font);
        p.drawText(face, Qt::AlignCenter, cap.legend);
        return;
    }
    // Two legends: the upper one above, the main one below, as printed on caps.
    const bool wordBelow = cap.secondary.size() > 1 || word;
    const QRectF upper(face.left(), face.top(), face.width(), face.height() / 2);
    const QRectF lower(face.left(), face.center().y(), face.width(), face.height() / 2);
    font.setPixelSize(wordBelow ? 12 : 11);
    p.setFont(font);
    p.drawText(upper.adjusted(0, 1, 0, 0), Qt::AlignCenter, wordBelow ? cap.legend : cap.secondary);
    font.setPixelSize(wordBelow ? 8 : 12);
    font.setBold(!wordBelow);
    p.setFont(font);
    p.drawText(lower.adjusted(0, -1, 0, 0), Qt::AlignCenter, wordBelow ? cap.secondary : cap.legend);
}

} // namespace

CapColours CapColoursOf(KeyState state)
{
    switch (state) {
    case KeyState::Target: return {QColor(0x3d, 0x8b, 0xef), QColor(0x1d, 0x5f, 0xb8), QColor(0x0a, 0x2a, 0x5c), Qt::white};
    case KeyState::Wrong: return {QColor(0xf2, 0x7a, 0x3a), QColor(0xc2, 0x4a, 0x12), QColor(0x5c, 0x1a, 0x00), QColor(0x2a, 0x08, 0x00)};
    case KeyState::Normal: break;
    }
    return {QColor(0xfa, 0xfa, 0xf6), QColor(0xc8, 0xc9, 0xc4), QColor(0x6e, 0x70, 0x6c), QColor(0x26, 0x28, 0x2c)};
}

CapColours TintedCapColours(const QColor &face)
{
    // Dark legends on light faces, white ones on dark faces.
    const QColor legend = face.lightnessF() > 0.55 ? QColor(0x26, 0x28, 0x2c) : QColor(Qt::white);
    return {face, face.darker(125), face.darker(250), legend};
}

void PaintKeyCap(QPainter &p, const QRectF &rect, const KeyCap &cap, const KeyLook &look)
{
    PaintKeyCap(p, rect, cap, look, CapColoursOf(look.state));
}

void PaintKeyCap(QPainter &p, const QRectF &rect, const KeyCap &cap, const KeyLook &look, const CapColours &c)
{
    const QRectF body = rect.adjusted(1.5, 1.5, -1.5, -1.5);
    const double radius = 4.5;

    // At rest the cap casts a shadow and shows a tall front edge below its
    // top face; pressed it sits 2 px lower, shadowless, the face darker and
    // the front edge almost gone.
    const QRectF skirt = look.pressed ? body.adjusted(0, 2.5, 0, 0) : body.adjusted(0, 0, 0, -1);
    if (!look.pressed)
        p.fillPath(Rounded(body.translated(0, 1), radius), QColor(0, 0, 0, 80));
    QLinearGradient skirtFill(skirt.topLeft(), skirt.bottomLeft());
    skirtFill.setColorAt(0, c.skirt.lighter(115));
    skirtFill.setColorAt(1, c.skirt.darker(look.pressed ? 110 : 125));
    p.fillPath(Rounded(skirt, radius), skirtFill);
    const QRectF face = look.pressed ? skirt.adjusted(2.5, 1.5, -2.5, -1.5) : skirt.adjusted(3, 1.5, -3, -5);
    QLinearGradient faceFill(face.topLeft(), face.bottomLeft());
    faceFill.setColorAt(0, look.pressed ? c.face.darker(112) : c.face.lighter(104));
    faceFill.setColorAt(1, look.pressed ? c.face.darker(104) : c.face.darker(103));
    p.fillPath(Rounded(face, radius - 1), faceFill);

    // Shape cues that survive without colour: stripes and a dashed rim on a
    // wrong key, a heavy ring on the target.
    if (look.state == KeyState::Wrong) {
        p.save();
        p.setClipPath(Rounded(face, radius - 1));
        p.setPen(QPen(QColor(255, 255, 255, 75), 2.5));
        for (double x = face.left() - face.height(); x < face.right(); x += 7)
            p.drawLine(QPointF(x, face.bottom()), QPointF(x + face.height(), face.top()));
        p.restore();
    }
    p.setPen(QPen(c.edge, look.state == KeyState::Target ? 2.5 : 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Rounded(skirt, radius));
    if (look.state == KeyState::Wrong) {
        p.setPen(QPen(c.edge, 1.5, Qt::DashLine));
        p.drawPath(Rounded(face, radius - 1));
    }
    DrawLegends(p, face, cap, c.legend);
}

void PaintKeyboardPlate(QPainter &p, const QRectF &rect)
{
    QLinearGradient plate(rect.topLeft(), rect.bottomLeft());
    plate.setColorAt(0, QColor(0x4a, 0x4e, 0x55));
    plate.setColorAt(1, QColor(0x2c, 0x2f, 0x34));
    p.fillPath(Rounded(rect.adjusted(0.5, 0.5, -0.5, -0.5), 7), plate);
}
