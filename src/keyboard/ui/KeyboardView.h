#pragma once
// Draws a KeyboardPicture as keycaps: rounded, bevelled, lower when pressed.
// The target is blue with a heavy ring, a wrong key orange-red with
// diagonal stripes, so the states differ also without colour. Drawn as
// vectors, crisp at any scale. Caps sit at their twip positions / 15.
#include "keyboard/KeyboardPicture.h"

#include <QWidget>

class KeyboardView : public QWidget {
    Q_OBJECT
public:
    // Placed on `parent` where the picture's twips say; `picture` must
    // outlive the view.
    KeyboardView(const KeyboardPicture &picture, QWidget *parent);

    // The cap of `code` (the first one for Shift, Ctrl and Alt), in view pixels.
    QRect capRect(int code) const;

    static void paintCap(QPainter &p, const QRectF &rect, const KeyCap &cap, const KeyLook &look);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    const KeyboardPicture &m_picture;
    QPoint m_originTwips;
};
