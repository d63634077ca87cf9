#include "app/ui/IdleBackground.h"

#include "app/ui/Artwork.h"
#include "practice/PracticeState.h"
#include "shell/ui/PictureScale.h"

#include <QPainter>

IdleBackground::IdleBackground(PracticeState &state, QWidget *parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmBackForm"));
    m_state.window(ManagedWindow::IdleBackground).shown = true;
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
