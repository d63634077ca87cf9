#include "progress/ui/KeyHeatMap.h"

#include "shell/ui/KeyCapPainter.h"
#include "shell/ui/SongFont.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace {

constexpr double kPlateMargin = 8;
constexpr double kScaleHeight = 34; // the colour scale and its captions
constexpr double kSideMargin = 6;

QColor Mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QString Percent(double rate) { return QString::number(rate * 100, 'f', 1) + QLatin1Char('%'); }

} // namespace

KeyHeatMap::KeyHeatMap(QWidget *parent) : QWidget(parent), m_picture(KeyboardPicture::mainBlock())
{
    setObjectName(QStringLiteral("keyHeatMap"));
    setMinimumSize(420, 180);
}

void KeyHeatMap::setTallies(QHash<int, ItemTally> tallies)
{
    m_tallies = std::move(tallies);
    update();
}

QColor KeyHeatMap::heatColour(double errorRate)
{
    // Cream at no errors, orange half way, red from kHottestRate on.
    static const QColor cool(0xf7, 0xf3, 0xd6), warm(0xf5, 0xa6, 0x3c), hot(0xc8, 0x1e, 0x1e);
    const double t = std::clamp(errorRate / kHottestRate, 0.0, 1.0);
    return t < 0.5 ? Mix(cool, warm, t * 2) : Mix(warm, hot, (t - 0.5) * 2);
}

QColor KeyHeatMap::unpractisedColour() { return QColor(0xa9, 0xab, 0xa8); }

QColor KeyHeatMap::faceOf(int code) const
{
    const auto it = m_tallies.constFind(code);
    if (it == m_tallies.constEnd() || it->attempts == 0)
        return unpractisedColour();
    return heatColour(it->errorRate());
}

QSize KeyHeatMap::sizeHint() const
{
    const QRect bounds = m_picture.bounds();
    return QSize(int(bounds.width() + 2 * kPlateMargin), int(bounds.height() + 2 * kPlateMargin + kScaleHeight));
}

KeyHeatMap::Layout KeyHeatMap::layout() const
{
    const QRectF bounds(m_picture.bounds());
    const QSizeF natural(bounds.width() + 2 * kPlateMargin, bounds.height() + 2 * kPlateMargin);
    Layout l;
    l.scale = std::min((width() - 2 * kSideMargin) / natural.width(), (height() - kScaleHeight) / natural.height());
    const QSizeF plate = natural * l.scale;
    const QPointF topLeft((width() - plate.width()) / 2, std::max(0.0, (height() - kScaleHeight - plate.height()) / 2));
    l.plate = QRectF(topLeft, plate);
    l.origin = topLeft + QPointF(kPlateMargin, kPlateMargin) * l.scale;
    l.scaleBar = QRectF(l.plate.left(), l.plate.bottom() + 8, l.plate.width(), kScaleHeight - 8);
    return l;
}

QRectF KeyHeatMap::capRect(const KeyCap &cap, const Layout &l) const
{
    const QPointF offset(cap.rect.topLeft() - m_picture.bounds().topLeft());
    return QRectF(l.origin + offset * l.scale, QSizeF(cap.rect.size()) * l.scale);
}

QRectF KeyHeatMap::keyRect(int code) const
{
    for (const KeyCap &cap : m_picture.caps())
        if (cap.code == code)
            return capRect(cap, layout());
    return QRectF();
}

void KeyHeatMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Layout l = layout();
    PaintKeyboardPlate(p, l.plate);
    for (const KeyCap &cap : m_picture.caps())
        PaintKeyCap(p, capRect(cap, l), cap, KeyLook(), TintedCapColours(faceOf(cap.code)));
    paintScale(p, l.scaleBar);
}

void KeyHeatMap::paintScale(QPainter &p, const QRectF &bar) const
{
    p.setFont(SongFont(9));
    p.setPen(palette().color(QPalette::WindowText));
    const double swatch = 14;
    const QRectF unpractised(bar.left(), bar.top(), swatch, swatch);
    p.fillRect(unpractised, unpractisedColour());
    p.drawText(QRectF(unpractised.right() + 4, bar.top(), 80, swatch), Qt::AlignVCenter, QStringLiteral("未练过"));

    const QRectF gradient(bar.left() + 130, bar.top(), bar.width() - 260, swatch);
    QLinearGradient fill(gradient.topLeft(), gradient.topRight());
    for (double t : {0.0, 0.25, 0.5, 0.75, 1.0})
        fill.setColorAt(t, heatColour(t * kHottestRate));
    p.fillRect(gradient, fill);
    p.drawText(QRectF(gradient.left() - 110, bar.top(), 104, swatch), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("出错率 0%"));
    p.drawText(QRectF(gradient.right() + 6, bar.top(), 120, swatch), Qt::AlignVCenter,
               Percent(kHottestRate).replace(QStringLiteral(".0"), QString()) + QStringLiteral(" 以上"));
}

QString KeyHeatMap::toolTipAt(const QPoint &pos) const
{
    const Layout l = layout();
    for (const KeyCap &cap : m_picture.caps()) {
        if (!capRect(cap, l).contains(pos))
            continue;
        const QString name = cap.legend.isEmpty() ? QStringLiteral("空格") : cap.legend;
        const ItemTally t = m_tallies.value(cap.code);
        if (t.attempts == 0)
            return QStringLiteral("%1：还没有练过").arg(name);
        return QStringLiteral("%1：%2 次中错 %3 次（%4）").arg(name).arg(t.attempts).arg(t.errors).arg(Percent(t.errorRate()));
    }
    return QString();
}

bool KeyHeatMap::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}
