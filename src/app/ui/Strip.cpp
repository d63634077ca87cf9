#include "app/ui/Strip.h"

#include "app/ui/Artwork.h"
#include "shell/ui/PictureScale.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

Strip::Strip(QWidget *mainWindow) : QWidget(mainWindow)
{
    setObjectName(QStringLiteral("strip"));
}

void Strip::paintEvent(QPaintEvent *)
{
    if (!PaintedFor(m_background, size(), devicePixelRatioF()))
        m_background = artwork::stripBackground(size(), devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, m_background);
}

void Strip::mousePressEvent(QMouseEvent *e)
{
    pressAt(mapTo(window(), e->position().toPoint()), e->button());
}

void Strip::mouseMoveEvent(QMouseEvent *e)
{
    dragTo(mapTo(window(), e->position().toPoint()), e->buttons());
}

void Strip::mouseReleaseEvent(QMouseEvent *)
{
    release();
}

void Strip::pressAt(const QPoint &windowPos, Qt::MouseButton button)
{
    if (m_dragging)
        return;
    // The window manager moves the window itself where it can; only the left
    // button moves it either way.
    QWindow *handle = window()->windowHandle();
    if (button == Qt::LeftButton && handle && handle->startSystemMove())
        return;
    m_grab = windowPos;
    m_dragging = true;
}

void Strip::dragTo(const QPoint &windowPos, Qt::MouseButtons buttons)
{
    if (!m_dragging || !(buttons & Qt::LeftButton))
        return;
    QWidget *main = window();
    main->move(main->pos() + (windowPos - m_grab));
}

void Strip::release()
{
    m_dragging = false;
}
