#include "app/ui/IdleBackground.h"

#include "app/ui/Artwork.h"
#include "shell/ui/PictureScale.h"

#include <QPainter>

IdleBackground::IdleBackground(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmBackForm"));
}

IdleBackground::~IdleBackground()
{
}

void IdleBackground::paintEvent(QPaintEvent *)
{
    if (!PaintedFor(m_picture, size(), devicePixelRatioF()))
        m_picture = artwork::idleBackground(size(), devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, m_picture);
}
