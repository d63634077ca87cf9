#pragma once
// The program's widget style: the platform's own, except that text boxes get
// a plain square frame. The default frame is an antialiased rounded outline
// drawn anew with every repaint of the box, so every keystroke and every
// caret blink in a typing box paid for it; plain lines cost a fraction.
#include <QProxyStyle>

class AppStyle final : public QProxyStyle {
public:
    AppStyle();
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
