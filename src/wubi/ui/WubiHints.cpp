#include "wubi/ui/WubiHints.h"

#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "practice/PracticeState.h"
#include "pinyin/PinyinData.h"
#include "wubi/HintLookup.h"
#include "wubi/ui/HintBalloon.h"
#include "wubi/ui/RadicalCard.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace {
constexpr int kLineStepPixels = 100; // between the balloon positions of two lines
constexpr int kBalloonShiftDivisor = 15; // the balloon goes a fifteenth of the way to the line's middle
constexpr int kGap = 4;

// Where the balloon goes in the practice window: near the start of the line,
// its bottom edge a step per line further down (as the line window has always
// placed it), and never over the line being typed or its reference above it:
// for the first line that puts it below the input line. Always inside the
// window.
QPoint BalloonPlace(const QWidget *window, const QWidget *inputLine, int line, int width)
{
    const QRect input(inputLine->mapTo(window, QPoint(0, 0)), inputLine->size());
    int x = (input.left() + input.width() / 2) / kBalloonShiftDivisor + width / 2;
    int y = std::max(0, kLineStepPixels * line - HintBalloon::kHeight);
    const int referenceTop = input.top() - input.height(); // the reference sits right above the input
    if (y + HintBalloon::kHeight > referenceTop)
        y = input.bottom() + kGap;
    x = std::clamp(x, 0, std::max(0, window->width() - width));
    y = std::clamp(y, 0, std::max(0, window->height() - HintBalloon::kHeight));
    return {x, y};
}
} // namespace

WubiHints::WubiHints(AppContext &ctx, QObject *parent)
    : QObject(parent)
    , m_ctx(ctx)
{
    // The balloon belongs to the typing in its line: when anything else takes
    // the focus (the result window of a run that stopped, another exercise,
    // a dialog), it goes. Leaving the program for another one keeps it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!m_balloon || now == m_hintedInput)
            return;
        if (now || QApplication::activeWindow())
            closeHint();
    });
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
    QWidget *parent = window ? window : m_ctx.shell ? m_ctx.shell->mainWindow() : nullptr;
    if (m_balloon && m_balloon->parentWidget() != parent)
        delete m_balloon;
    if (!m_balloon)
        m_balloon = new HintBalloon(m_ctx.state, parent);
    m_hintedInput = inputLine;

    const int width = HintBalloon::widthFor(hint->phrase);
    const QPoint topLeft = window && inputLine ? BalloonPlace(window, inputLine, line, width) : QPoint();
    m_balloon->showHint(edition86, hint->character, hint->characterCode, hint->phrase, hint->phraseCode,
                        topLeft);
    // The reading in context: 行 in 银行 is háng.
    if (m_ctx.pinyinData && m_ctx.pinyinData->available()) {
        const QStringList readings =
            TonedContextReading(referenceLine, *m_ctx.pinyinData->lexicon(), *m_ctx.pinyinData->readings());
        m_balloon->setPinyin(readings.value(pos));
    }
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
