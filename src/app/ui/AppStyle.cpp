#include "app/ui/AppStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace {
// The outline colours of the default style's text boxes.
QColor OutlineColor(const QPalette &palette, bool focused)
{
    if (!focused)
        return palette.window().color().darker(140);
    QColor outline = palette.highlight().color().darker(125);
    if (outline.value() > 160)
        outline.setHsl(outline.hue(), outline.saturation(), 160);
    return outline;
}

// A one-pixel rectangle of plain fills (no antialiasing, no path).
void DrawSquareOutline(QPainter *painter, const QRect &r, const QColor &color)
{
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    painter->fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), color);
    painter->fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), color);
}

void DrawTextBoxFrame(const QStyleOption *option, QPainter *painter)
{
    const QRect r = option->rect;
    const bool focused = option->state & QStyle::State_HasFocus;
    const QColor outline = OutlineColor(option->palette, focused);
    DrawSquareOutline(painter, r, outline);
    if (focused) {
        QColor soft = outline;
        soft.setAlpha(40);
        DrawSquareOutline(painter, r.adjusted(1, 1, -1, -1), soft);
    }
    // The inner shadow along the top edge.
    painter->fillRect(QRect(r.left() + 2, r.top() + 1, r.width() - 4, 1), QColor(0, 0, 0, 18));
}
} // namespace

AppStyle::AppStyle() : QProxyStyle(nullptr) {}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    switch (element) {
    case PE_PanelLineEdit: {
        painter->fillRect(option->rect.adjusted(1, 1, -1, -1), option->palette.base());
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (frame && frame->lineWidth > 0)
            DrawTextBoxFrame(option, painter);
        return;
    }
    case PE_FrameLineEdit:
        DrawTextBoxFrame(option, painter);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}
