#include "keyboard/ui/KeyboardView.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPainterPath>

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kPlateMargin = 8; // the keyboard's case around the caps

struct CapColours {
    QColor face, skirt, edge, legend;
};

CapColours ColoursOf(KeyState state)
{
    switch (state) {
    case KeyState::Target: return {QColor(0x3d, 0x8b, 0xef), QColor(0x1d, 0x5f, 0xb8), QColor(0x0a, 0x2a, 0x5c), Qt::white};
    case KeyState::Wrong: return {QColor(0xf2, 0x7a, 0x3a), QColor(0xc2, 0x4a, 0x12), QColor(0x5c, 0x1a, 0x00), QColor(0x2a, 0x08, 0x00)};
    case KeyState::Normal: break;
    }
    return {QColor(0xfa, 0xfa, 0xf6), QColor(0xc8, 0xc9, 0xc4), QColor(0x6e, 0x70, 0x6c), QColor(0x26, 0x28, 0x2c)};
}

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

// Every look of every cap is drawn once and then reused: a keystroke
// repaints the whole keyboard twice, and drawing 61 bevelled caps with their
// legends each time costs milliseconds.
QPixmap CapPicture(const KeyCap &cap, QSize size, const KeyLook &look, qreal ratio)
{
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1|%2|%3x%4|%5|%6|%7")
                            .arg(cap.legend, cap.secondary)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(int(look.state))
                            .arg(look.pressed)
                            .arg(ratio);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    KeyboardView::paintCap(p, QRectF(QPointF(0, 0), QSizeF(size)), cap, look);
    p.end();
    return *cache.insert(key, picture);
}

} // namespace

KeyboardView::KeyboardView(const KeyboardPicture &picture, QWidget *parent)
    : QWidget(parent), m_picture(picture)
{
    const QRect bounds = picture.boundsTwips();
    m_originTwips = bounds.topLeft();
    setGeometry(QRectF(bounds.left() / kTwipsPerPixel, bounds.top() / kTwipsPerPixel,
                       bounds.width() / kTwipsPerPixel, bounds.height() / kTwipsPerPixel)
                    .toAlignedRect()
                    .adjusted(-kPlateMargin, -kPlateMargin, kPlateMargin, kPlateMargin));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QRect KeyboardView::capRect(int code) const
{
    for (const KeyCap &cap : m_picture.caps())
        if (cap.code == code) {
            const QRectF r = QRectF(cap.twips.translated(-m_originTwips));
            return QRectF(r.topLeft() / kTwipsPerPixel, r.size() / kTwipsPerPixel)
                .translated(kPlateMargin, kPlateMargin)
                .toRect();
        }
    return QRect();
}

void KeyboardView::paintCap(QPainter &p, const QRectF &rect, const KeyCap &cap, const KeyLook &look)
{
    const CapColours c = ColoursOf(look.state);
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

void KeyboardView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient plate(0, 0, 0, height());
    plate.setColorAt(0, QColor(0x4a, 0x4e, 0x55));
    plate.setColorAt(1, QColor(0x2c, 0x2f, 0x34));
    p.fillPath(Rounded(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 7), plate);
    p.translate(kPlateMargin, kPlateMargin);
    const qreal ratio = devicePixelRatioF();
    for (const KeyCap &cap : m_picture.caps()) {
        const QRect r = cap.twips.translated(-m_originTwips);
        const QRect pixels(r.topLeft() / kTwipsPerPixel, r.size() / kTwipsPerPixel);
        p.drawPixmap(pixels.topLeft(), CapPicture(cap, pixels.size(), m_picture.look(cap.code), ratio));
    }
}
