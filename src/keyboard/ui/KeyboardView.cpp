#include "keyboard/ui/KeyboardView.h"

#include "shell/ui/Accessibility.h"
#include "shell/ui/KeyCapPainter.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kPlateMargin = 8; // the keyboard's case around the caps

// Every look of every cap is drawn once and then reused: a keystroke
// repaints the whole keyboard twice, and drawing 61 bevelled caps with their
// legends each time costs milliseconds.
QPixmap CapPicture(const KeyCap &cap, QSize size, const KeyLook &look, qreal ratio)
{
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1|%2|%3x%4|%5|%6|%7")
                            .arg(cap.legend, cap.secondary)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(int(look.state))
                            .arg(look.pressed)
                            .arg(ratio);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintKeyCap(p, QRectF(QPointF(0, 0), QSizeF(size)), cap, look);
    p.end();
    return *cache.insert(key, picture);
}

} // namespace

KeyboardView::KeyboardView(const KeyboardPicture &picture, QWidget *parent)
    : QWidget(parent), m_picture(picture)
{
    const QRect bounds = picture.bounds();
    m_origin = bounds.topLeft();
    setGeometry(bounds.adjusted(-kPlateMargin, -kPlateMargin, kPlateMargin, kPlateMargin));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    SetAccessibleText(this, QStringLiteral("键盘图"));
}

QRect KeyboardView::capRect(int code) const
{
    for (const KeyCap &cap : m_picture.caps())
        if (cap.code == code)
            return cap.rect.translated(QPoint(kPlateMargin, kPlateMargin) - m_origin);
    return QRect();
}

void KeyboardView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintKeyboardPlate(p, QRectF(rect()));
    p.translate(kPlateMargin, kPlateMargin);
    const qreal ratio = devicePixelRatioF();
    for (const KeyCap &cap : m_picture.caps()) {
        const QRect r = cap.rect.translated(-m_origin);
        p.drawPixmap(r.topLeft(), CapPicture(cap, r.size(), m_picture.look(cap.code), ratio));
    }
}

void KeyboardView::showEvent(QShowEvent *event)
{
    announceTarget(); // the drill painted its first target before the window came up
    QWidget::showEvent(event);
}

void KeyboardView::refresh()
{
    update();
    announceTarget();
}

void KeyboardView::announceTarget()
{
    for (const KeyCap &cap : m_picture.caps())
        if (m_picture.look(cap.code).state == KeyState::Target)
            return AnnounceDescription(this, QStringLiteral("请按：%1 键").arg(cap.legend));
    AnnounceDescription(this, QString());
}
