// The picture button's two looks: data/pic/b3.bmp (at rest) and b4.bmp
// (pressed), 113 x 40 logical pixels drawn at twice the pixels, stored
// scrambled as BMP. The button shows them
// inside the rounded rectangle (4, 3)-(109, 37).
#include "Output.h"
#include "Steps.h"

#include "data/Scramble.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QImage renderButton(bool pressed)
{
    QImage image = DenseImage(113, 40, QImage::Format_RGB32);
    image.fill(QColor(0xd8, 0xe4, 0xf0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(4, 3, 105, 34);
    QPainterPath outline;
    outline.addRoundedRect(face, 14.5, 11.5);

    // At rest light falls from above; pressed, the face is darker and the
    // light comes from below, so the button reads as pushed in.
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    const QColor light = pressed ? QColor(0x9f, 0xbf, 0xde) : QColor(0xf4, 0xf9, 0xff);
    const QColor dark = pressed ? QColor(0x6f, 0x97, 0xc2) : QColor(0xa9, 0xc8, 0xe8);
    fill.setColorAt(0, pressed ? dark : light);
    fill.setColorAt(1, pressed ? light : dark);
    p.fillPath(outline, fill);

    // A glint along the top edge at rest, an inner shadow when pressed.
    QPainterPath rim;
    rim.addRoundedRect(face.adjusted(2, 2, -2, -2), 12.5, 9.5);
    p.setPen(QPen(pressed ? QColor(0x3d, 0x60, 0x88, 150) : QColor(255, 255, 255, 200), 1.5));
    p.setClipRect(QRectF(face.left(), face.top(), face.width(), face.height() / 2));
    p.drawPath(rim);
    p.setClipping(false);
    p.setPen(QPen(QColor(0x2c, 0x4f, 0x78), 1.2));
    p.drawPath(outline);
    p.end();
    return image;
}

bool writeButton(const QString &path, bool pressed, QString *error)
{
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (!renderButton(pressed).save(&buffer, "BMP")) {
        *error = QStringLiteral("cannot encode %1").arg(path);
        return false;
    }
    return WriteOutputFile(path, UnscrambleBytes(bmp), error);
}

} // namespace

bool BuildButtonPictures(const QString &out, QString *error)
{
    return writeButton(out + QStringLiteral("/data/pic/b3.bmp"), false, error)
        && writeButton(out + QStringLiteral("/data/pic/b4.bmp"), true, error);
}
