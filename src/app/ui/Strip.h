#pragma once
// The bare strip at the top of the main window: it paints its background,
// and dragging it with the left button moves the window, the docked panels
// (its children) along.
#include <QPixmap>
#include <QWidget>

class Strip : public QWidget {
public:
    explicit Strip(QWidget *mainWindow);

    // Positions are in the main window's coordinates.
    void pressAt(const QPoint &windowPos, Qt::MouseButton button);
    void dragTo(const QPoint &windowPos, Qt::MouseButtons buttons);
    void release();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_background;
    bool m_dragging = false;
    QPoint m_grab;
};
