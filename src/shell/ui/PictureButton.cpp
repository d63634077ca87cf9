#include "shell/ui/PictureButton.h"

#include "shell/ui/Accessibility.h"
#include "shell/ui/DataPicture.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
// The button's rounded rectangle: corners (4, 3) and (109, 37), corner
// ellipse 29 x 23; the widget is as large as the pictures.
constexpr int kWidth = 113, kHeight = 40;
QPainterPath ShapePath()
{
    QPainterPath path;
    path.addRoundedRect(PictureButton::shape(), 29 / 2.0, 23 / 2.0);
    return path;
}
} // namespace

QRectF PictureButton::shape()
{
    return QRectF(4, 3, 105, 34);
}

PictureButton::PictureButton(const AppPaths &paths, const QString &caption, QWidget *parent)
    : QWidget(parent), m_caption(new QLabel(caption, this))
{
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);
    m_up = PictureFromDataFile(paths, QStringLiteral("pic/b3.bmp"), parent);
    if (!m_up.isNull())
        m_down = PictureFromDataFile(paths, QStringLiteral("pic/b4.bmp"), parent);
    // Presses on the caption count as presses on the button.
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setGeometry(shape().toRect());
    MakeAccessibleButton(this, caption, QString());
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPainterPath outline = ShapePath();
    p.setClipPath(outline);
    const QPixmap &picture = m_pressed ? m_down : m_up;
    if (!picture.isNull())
        p.drawPixmap(rect(), picture);
    else
        p.fillRect(rect(), palette().button()); // no picture: still a visible button
    p.setClipping(false);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawPath(outline);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !ShapePath().contains(event->position())) {
        event->ignore();
        return;
    }
    m_pressed = true;
    m_caption->move(shape().toRect().topLeft() + QPoint(1, 1)); // the caption sinks with the button
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        event->ignore();
        return;
    }
    m_pressed = false;
    m_caption->move(shape().toRect().topLeft());
    update();
    emit clicked();
}
