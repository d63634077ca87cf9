#include "app/ui/FrameSync.h"

#include <QBackingStore>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace {
class FrameSync : public QObject {
public:
    explicit FrameSync(QWidget *window) : QObject(window), m_window(window)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &FrameSync::syncNow);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window's frame is painted and handed over on its UpdateRequest;
        // the timer fires once that is done.
        if (watched == m_window && event->type() == QEvent::UpdateRequest && !m_timer.isActive())
            m_timer.start();
        return false;
    }

private:
    // Opening a paint over the whole window makes the backing store wait for
    // the server to finish reading what it was handed, and forget about it;
    // nothing is drawn, so the pixels stay as they are.
    void syncNow()
    {
        QBackingStore *store = m_window->backingStore();
        if (!store || !m_window->isVisible() || m_window->testAttribute(Qt::WA_TranslucentBackground))
            return;
        store->beginPaint(QRegion(0, 0, m_window->width(), m_window->height()));
        store->endPaint();
    }

    QWidget *m_window;
    QTimer m_timer;
};
} // namespace

void SyncAfterEachFrame(QWidget *window)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        new FrameSync(window);
}
