#include "app/ui/IdleBackground.h"

#include "app/ui/Artwork.h"
#include "practice/PracticeState.h"

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
    QPainter p(this);
    artwork::paintIdleBackground(p, size(), devicePixelRatioF());
}
