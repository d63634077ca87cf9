#include "app/ui/GraphicButton.h"

#include "app/ui/Artwork.h"
#include "shell/ui/Accessibility.h"

#include <QHash>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
// Painted once per look and screen density.
const QPixmap &picture(bool hover, qreal dpr)
{
    static QHash<QPair<bool, qreal>, QPixmap> painted;
    auto it = painted.find({hover, dpr});
    if (it == painted.end())
        it = painted.insert({hover, dpr},
                            artwork::menuButton(QSize(GraphicButton::kWidth, GraphicButton::kHeight), hover, dpr));
    return it.value();
}
} // namespace

GraphicButton::GraphicButton(int index, const QString &caption, QWidget *parent)
    : QWidget(parent), m_index(index), m_caption(new QLabel(caption, this))
{
    setObjectName(QStringLiteral("imgType_%1").arg(index));
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);
    // The caption has no window of its own: presses and the pointer count as
    // being on the button.
    m_caption->setObjectName(QStringLiteral("lblType_%1").arg(index));
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setGeometry(1, 0, kWidth - 1, kHeight - 1);
    QFont font(artwork::songFamily());
    font.setPixelSize(15);
    m_caption->setFont(font);
    setHoverPicture(false);
    // Button 3 starts free input; the others open their menu.
    MakeAccessibleButton(this, caption,
                         index == 3 ? QStringLiteral("开始自由录入") : QStringLiteral("打开“%1”菜单").arg(caption));
}

void GraphicButton::setHoverPicture(bool hover)
{
    m_hover = hover;
    m_caption->setStyleSheet(hover ? QStringLiteral("color: #6b3a00;") : QStringLiteral("color: #12385c;"));
    update();
}

void GraphicButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture(m_hover, devicePixelRatioF()));
}

void GraphicButton::mousePressEvent(QMouseEvent *event)
{
    emit pressed(m_index, event->button());
    event->accept();
}
