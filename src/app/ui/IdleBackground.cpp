#include "app/ui/IdleBackground.h"

#include "app/ui/Artwork.h"

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
    QPainter p(this);
    artwork::paintIdleBackground(p, size(), devicePixelRatioF());
}
