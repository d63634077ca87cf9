#include "practice/ui/FreeForm.h"

#include "shell/AppContext.h"
#include "data/Cues.h"
#include "practice/PracticeState.h"
#include "practice/TypingJudge.h"
#include "practice/ui/RunControl.h"
#include "shell/ui/Accessibility.h"
#include "practice/ui/StateForm.h"
#include "shell/ui/ComposerInput.h"
#include "shell/ui/SongFont.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int kWidth = 598, kHeight = 445; // 8970 x 6675 twips
constexpr double kDesignedPointSize = 12;
} // namespace

FreeForm::FreeForm(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmOut_In"));
    setWindowTitle(QStringLiteral("外部对照练习"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);

    auto *heading = new QLabel(QStringLiteral("对照书本或其他材料自由录入，只统计速度、字数和时间"), this);
    m_rtbIn = new QPlainTextEdit(this);
    m_rtbIn->setObjectName(QStringLiteral("rtbIn"));
    SetAccessibleText(m_rtbIn, QStringLiteral("自由录入输入框"), QStringLiteral("想打什么就打什么，没有对照文本"));
    m_rtbIn->setFont(SongFont(kDesignedPointSize));
    m_rtbIn->installEventFilter(this);
    AttachComposer(m_ctx, m_rtbIn);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 12);
    layout->addWidget(heading);
    layout->addWidget(m_rtbIn, 1);

    connect(m_rtbIn, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_placingText)
            rtbIn_Change();
    });

    // Form_Load
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::FreeForm);
    WindowFlags &flags = m_ctx.state.window(ManagedWindow::FreeForm);
    flags.shown = true;
    flags.hiddenWithMain = false;
    applyFontSizes();
    if (m_ctx.shell)
        m_ctx.shell->SetStatusMessage(QString());
    ClearAccuracyFigure(m_ctx);
}

FreeForm::~FreeForm()
{
    m_rtbIn->removeEventFilter(this);
    m_rtbIn->disconnect(this);
    ForgetPracticeWindow(m_ctx.state, ManagedWindow::FreeForm);
}

bool FreeForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_rtbIn)
        ForwardFocus(event, [this] { rtbIn_GotFocus(); }, [this] { rtbIn_LostFocus(); });
    return QWidget::eventFilter(watched, event);
}

// Every change that adds characters plays the press cue, also outside a run;
// erasing plays nothing, and composition (pre-edit) text is no change at all.
void FreeForm::rtbIn_Change()
{
    const QString typed = m_rtbIn->toPlainText();
    if (typed == m_lastInput)
        return;
    const QString before = std::exchange(m_lastInput, typed);
    PracticeState &s = m_ctx.state;
    if (s.runStarted)
        s.typedText = typed;
    if (!DiffInput(before, typed).added.isEmpty() && s.cues.zyPress)
        m_ctx.cues.play(Cue::Confirm);
}

void FreeForm::rtbIn_GotFocus()
{
    ShowReadyWhileRunning(m_ctx);
}

void FreeForm::rtbIn_LostFocus()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->SetStatusState(false);
    m_ctx.shell->SetStatusMessage(QString());
}

void FreeForm::clearInput()
{
    m_placingText = true;
    m_rtbIn->clear();
    m_placingText = false;
    m_lastInput.clear();
}

void FreeForm::beginRun()
{
    m_rtbIn->setReadOnly(false);
    m_rtbIn->setFocus();
}

void FreeForm::lockInput()
{
    m_rtbIn->setReadOnly(true);
}

void FreeForm::resumeInput()
{
    ResumeTyping(m_rtbIn);
}

void FreeForm::applyFontSizes()
{
    ApplyPointSize({m_rtbIn}, m_ctx.state.fonts.outIn);
}
