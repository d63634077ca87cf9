#include "shell/ui/PictureScale.h"

#include <QGuiApplication>

QImage WithPictureScale(QImage image)
{
    constexpr double kDotsPerMetreAt96Dpi = 96 / 0.0254;
    const double ratio = image.dotsPerMeterX() / kDotsPerMetreAt96Dpi;
    const qreal drawnFor = ratio >= 1.5 ? qRound(ratio) : 1;
    image.setDevicePixelRatio(drawnFor);
    // On a less dense screen, scale it down smoothly once here rather than
    // coarsely on every paint.
    const qreal screen = qGuiApp ? qGuiApp->devicePixelRatio() : 1;
    if (drawnFor <= screen)
        return image;
    const QSize logical = image.deviceIndependentSize().toSize();
    QImage fitted = image.scaled(logical * screen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(screen);
    return fitted;
}

QPixmap SharpCanvas(const QSize &logicalSize, qreal dpr, const QColor &fill)
{
    QPixmap pix(logicalSize * dpr);
    pix.setDevicePixelRatio(dpr);
    pix.fill(fill);
    return pix;
}

bool PaintedFor(const QPixmap &picture, const QSize &logicalSize, qreal dpr)
{
    return !picture.isNull() && picture.devicePixelRatio() == dpr
        && picture.deviceIndependentSize().toSize() == logicalSize;
}
