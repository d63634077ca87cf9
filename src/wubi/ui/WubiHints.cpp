#include "wubi/ui/WubiHints.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "practice/PracticeState.h"
#include "wubi/HintLookup.h"
#include "wubi/ui/HintBalloon.h"
#include "wubi/ui/RadicalCard.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
constexpr int kLineStepPixels = 100; // 1500 twips between the balloon positions of two lines
constexpr int kTwipsPerPixel = 15;
} // namespace

WubiHints::WubiHints(AppContext &ctx, QObject *parent)
    : QObject(parent)
    , m_ctx(ctx)
{
}

WubiHints::~WubiHints()
{
    delete m_balloon;
    if (m_ctx.wubiHelp == this)
        m_ctx.wubiHelp = nullptr;
}

void WubiHints::hintKey(bool edition86, const QString &referenceLine, int pos, int line, QWidget *window,
                        QWidget *inputLine)
{
    const std::optional<HintText> hint = wubi::FindHint(m_ctx.state, edition86, referenceLine, pos);
    if (!hint)
        return;
    if (!m_balloon)
        m_balloon = new HintBalloon(m_ctx.state, m_ctx.shell ? m_ctx.shell->mainWindow() : nullptr);

    // The input line's left and width count as twips here, as the line
    // window has always placed the balloon: near the start of the line, its
    // bottom edge a step per line further down. Kept on the screen.
    const int width = HintBalloon::widthFor(hint->phrase);
    QPoint topLeft;
    if (window && inputLine) {
        const QPoint origin = window->mapToGlobal(QPoint(0, 0));
        const QPoint inputLeft = inputLine->mapTo(window, QPoint(0, 0));
        topLeft = QPoint(origin.x() + (inputLeft.x() + inputLine->width() / 2) / kTwipsPerPixel + width / 2,
                         origin.y() + kLineStepPixels * line - HintBalloon::kHeight);
        if (const QScreen *screen = window->screen()) {
            const QRect area = screen->availableGeometry();
            topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width)));
            topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - HintBalloon::kHeight)));
        }
    }
    m_balloon->showHint(edition86, hint->character, hint->characterCode, hint->phrase, hint->phraseCode,
                        topLeft);
}

void WubiHints::showRadicalCard(int keyCode, bool edition86)
{
    if (keyCode < 'A' || keyCode > 'Y')
        return;
    ShowRadicalCard(m_ctx, keyCode, edition86);
}

void WubiHints::closeHint()
{
    if (m_balloon)
        m_balloon->close();
}
