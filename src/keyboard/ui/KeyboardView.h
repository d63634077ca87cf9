#pragma once
// Shows a KeyboardPicture as keycaps (PaintKeyCap) on the keyboard's case.
// Caps sit where the picture places them.
#include "keyboard/KeyboardPicture.h"

#include <QWidget>

class KeyboardView : public QWidget {
    Q_OBJECT
public:
    // Placed on `parent` where the picture's caps say; `picture` must
    // outlive the view.
    KeyboardView(const KeyboardPicture &picture, QWidget *parent);

    // The cap of `code` (the first one for Shift, Ctrl and Alt), in view pixels.
    QRect capRect(int code) const;
    // Repaints after the picture changed, and tells screen readers the
    // target key ("请按：F 键") when it changed.
    void refresh();

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *event) override;

private:
    void announceTarget();

    const KeyboardPicture &m_picture;
    QPoint m_origin; // the caps' top-left corner on the parent
};
