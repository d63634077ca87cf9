#include "app/ui/SplashWindow.h"

#include "app/ui/Artwork.h"
#include "shell/ui/PictureScale.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>

namespace {
const QSize kSplashSize(356, 366);
}

SplashWindow::SplashWindow(QWidget *host)
    : QWidget(host, host ? Qt::Widget : Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ForeForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kSplashSize);
    if (host)
        return; // placed when the host shows
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
    }
}

void SplashWindow::showOnScreenNow()
{
    show();
    raise();
    if (!isWindow())
        return; // painted with its host
    // The window system maps the window and asks for its contents through
    // events; wait for that (briefly: some platforms never expose a window).
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(1);
    }
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    if (!PaintedFor(m_picture, size(), devicePixelRatioF()))
        m_picture = artwork::splash(size(), devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, m_picture);
}

void SplashWindow::showEvent(QShowEvent *)
{
    if (QWidget *host = parentWidget()) {
        move((host->width() - width()) / 2, (host->height() - height()) / 2);
        raise();
    }
}
