#include "practice/ui/FreeInputWindow.h"

#include "shell/AppContext.h"
#include "data/Cues.h"
#include "practice/PracticeState.h"
#include "practice/TypingJudge.h"
#include "practice/TypingRun.h"
#include "practice/ui/RunControl.h"
#include "shell/ui/Accessibility.h"
#include "practice/ui/RunPanel.h"
#include "shell/ui/ComposerInput.h"
#include "shell/ui/SongFont.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int kWidth = 598, kHeight = 445;
constexpr double kDesignedPointSize = 12;
} // namespace

FreeInputWindow::FreeInputWindow(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmOut_In"));
    setWindowTitle(QStringLiteral("外部对照练习"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);

    auto *heading = new QLabel(QStringLiteral("对照书本或其他材料自由录入，只统计速度、字数和时间"), this);
    m_input = new QPlainTextEdit(this);
    m_input->setObjectName(QStringLiteral("rtbIn"));
    SetAccessibleText(m_input, QStringLiteral("自由录入输入框"), QStringLiteral("想打什么就打什么，没有对照文本"));
    m_input->setFont(SongFont(kDesignedPointSize));
    m_input->installEventFilter(this);
    AttachComposer(m_ctx, m_input);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 12);
    layout->addWidget(heading);
    layout->addWidget(m_input, 1);

    connect(m_input, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_placingText)
            judgeInput();
    });

    // On load:
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::FreeInputWindow);
    applyFontSizes();
    if (m_ctx.shell)
        m_ctx.shell->setStatusMessage(QString());
    ClearAccuracyFigure(m_ctx);
}

FreeInputWindow::~FreeInputWindow()
{
    m_input->removeEventFilter(this);
    m_input->disconnect(this);
    EndRunWithoutReport(m_ctx);
}

bool FreeInputWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_input)
        ForwardFocus(event, [this] { inputFocusGained(); }, [this] { inputFocusLost(); });
    return QWidget::eventFilter(watched, event);
}

// Every change that adds characters plays the press cue, also outside a run;
// erasing plays nothing, and composition (pre-edit) text is no change at all.
void FreeInputWindow::judgeInput()
{
    const QString typed = m_input->toPlainText();
    if (typed == m_lastInput)
        return;
    const QString before = std::exchange(m_lastInput, typed);
    if (TypingRun *run = OpenRun(m_ctx))
        run->setTyped(typed);
    if (!DiffInput(before, typed).added.isEmpty() && m_ctx.state.cues.zyPress)
        m_ctx.cues.play(Cue::Confirm);
}

void FreeInputWindow::inputFocusGained()
{
    ShowReadyWhileRunning(m_ctx);
}

void FreeInputWindow::inputFocusLost()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->setStatusReady(false);
    m_ctx.shell->setStatusMessage(QString());
}

void FreeInputWindow::clearInput()
{
    m_placingText = true;
    m_input->clear();
    m_placingText = false;
    m_lastInput.clear();
}

void FreeInputWindow::beginRun()
{
    m_input->setReadOnly(false);
    m_input->setFocus();
}

void FreeInputWindow::lockInput()
{
    m_input->setReadOnly(true);
}

void FreeInputWindow::resumeInput()
{
    ResumeTyping(m_input);
}

void FreeInputWindow::applyFontSizes()
{
    ApplyPointSize({m_input}, m_ctx.state.fonts.outIn);
}
