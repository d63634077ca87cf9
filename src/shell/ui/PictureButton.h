#pragma once
// The picture button: the picture "pic/b3.bmp" in a rounded-rectangle shape
// with a caption on top. A left press shows "pic/b4.bmp"; the left release
// shows b3 again and then emits clicked(). Other buttons do nothing.
#include "data/Paths.h"

#include <QPixmap>
#include <QWidget>

class QLabel;

class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(const AppPaths &paths, const QString &caption, QWidget *parent);

    QLabel *captionLabel() const { return m_caption; }
    bool showsPressedPicture() const { return m_pressed; }
    // The rounded rectangle that is the button (widget coordinates).
    static QRectF shape();
    // The button's action, as a screen reader's press action gives it.
    Q_INVOKABLE void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_up;   // pic/b3.bmp
    QPixmap m_down; // pic/b4.bmp
    QLabel *m_caption;
    bool m_pressed = false;
};
