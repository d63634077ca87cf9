#include "wubi/ui/WordForm.h"

#include "data/Cues.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/Shell.h"
#include "shell/ui/ComposerInput.h"
#include "shell/ui/DataPicture.h"
#include "wubi/RadicalDrill.h"
#include "shell/ui/SongFont.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/CharacterMark.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>

namespace {
constexpr int kWidth = 710, kHeight = 445; // 10650 x 6675 twips
constexpr double kBoxPointSize = 15.75;
const QRect kOutRect(12, 10, 566, 34);
const QRect kInRect(12, 46, 566, 34);
const QRect kFrameRect(590, 6, 108, 76);
} // namespace

WordForm::WordForm(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmWord"));
    setWindowTitle(QStringLiteral("字根表对照打字"));
    setFixedSize(kWidth, kHeight);

    rtbOut = new QTextEdit(this);
    rtbOut->setObjectName(QStringLiteral("rtbOut"));
    rtbOut->setGeometry(kOutRect);
    rtbOut->setFont(SongFont(kBoxPointSize));
    rtbOut->setReadOnly(true);
    rtbOut->setLineWrapMode(QTextEdit::NoWrap);
    rtbOut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rtbOut->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rtbOut->document()->setDocumentMargin(3);
    rtbOut->installEventFilter(this);

    rtbIn = new QLineEdit(this);
    rtbIn->setObjectName(QStringLiteral("rtbIn"));
    SetAccessibleText(rtbOut, QStringLiteral("对照文字"), QStringLiteral("照着这一行输入，字根表在下面"));
    SetAccessibleText(rtbIn, QStringLiteral("输入"));
    rtbIn->setGeometry(kInRect);
    rtbIn->setFont(SongFont(kBoxPointSize));
    rtbIn->installEventFilter(this);
    AttachComposer(m_ctx, rtbIn);
    connect(rtbIn, &QLineEdit::textChanged, this, [this] {
        if (!m_settingInput)
            rtbIn_Change();
    });

    auto *frame = new QGroupBox(QStringLiteral("选择字根表的版本"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(kFrameRect);
    frame->setAutoFillBackground(true);
    const QString captions[] = {QStringLiteral("86"), QStringLiteral("98")};
    for (int i = 0; i < 2; ++i) {
        OpZg[i] = new QRadioButton(captions[i], frame);
        OpZg[i]->setObjectName(QStringLiteral("OpZg(%1)").arg(i));
        OpZg[i]->setGeometry(12 + i * 48, 36, 44, 24);
        connect(OpZg[i], &QRadioButton::clicked, this, [this, i] { OpZg_Click(i); });
    }
    OpZg[0]->setChecked(true);

    ShowOn = new QTimer(this);
    ShowOn->setObjectName(QStringLiteral("ShowOn"));
    ShowOn->setInterval(1);
    connect(ShowOn, &QTimer::timeout, this, &WordForm::ShowOn_Timer);
    ShowOn->start();

    // Form_Load
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::WordForm);
    WindowFlags &flags = m_ctx.state.window(ManagedWindow::WordForm);
    flags.shown = true;
    flags.hiddenWithMain = false;
    m_ctx.state.chineseText = true;
}

WordForm::~WordForm()
{
    rtbIn->removeEventFilter(this);
    rtbOut->removeEventFilter(this);
    rtbIn->disconnect(this);
    WindowFlags &flags = m_ctx.state.window(ManagedWindow::WordForm);
    flags.shown = false;
    flags.opening = false;
    m_ctx.state.chineseText = false;
}

void WordForm::ShowOn_Timer()
{
    ShowOn->stop();
    loadChart(true);
    m_pool = wubi::ChartPool(m_ctx.state.tables.t86);
    newLine();
    rtbIn->setFocus();
}

void WordForm::loadChart(bool edition86)
{
    m_chart86 = edition86;
    // A missing or damaged chart is reported; the drill goes on without it.
    m_chart = PictureFromDataFile(m_ctx.paths, edition86 ? QStringLiteral("keyb86.dz") : QStringLiteral("keyb98.dz"),
                                  this);
    update();
}

void WordForm::OpZg_Click(int index)
{
    loadChart(index == 0);
}

void WordForm::newLine()
{
    m_line = wubi::ChartLine(m_pool, m_ctx.random);
    m_judge.setReference(m_line);
    m_typed.clear();
    setInputText(QString());
    if (m_line.isEmpty()) {
        // Without the 86 code table there is nothing to type.
        rtbOut->setPlainText(QStringLiteral("五笔86版编码表未能载入，无法练习"));
        rtbIn->setEnabled(false);
    } else {
        rtbOut->setPlainText(m_line);
    }
    moveHighlight(0);
}

void WordForm::setInputText(const QString &text)
{
    m_settingInput = true;
    rtbIn->setText(text);
    m_settingInput = false;
}

void WordForm::moveHighlight(int position)
{
    m_highlight = position;
    MarkCharacter(rtbOut, position, int(m_line.size()), QColor(0x00, 0x00, 0x80), Qt::white);
    AnnounceDescription(rtbIn, NextCharacterDescription(m_line.mid(position, 1)));
    if (m_line.isEmpty() || !m_ctx.shell)
        return;
    const QString c = position < m_line.size() ? QString(m_line.at(position)) : QString();
    m_ctx.shell->SetStatusMessage(QStringLiteral("F5查看“%1”五笔86版的打法  F6查看“%1”五笔98版的打法").arg(c));
}

void WordForm::rtbIn_Change()
{
    if (!m_line.isEmpty())
        judgeChange(m_typed, rtbIn->text());
}

void WordForm::judgeChange(const QString &before, const QString &after)
{
    // Every new character is judged, also when an input method commits several
    // at once; what runs past the line's end starts the next line.
    const TypingOutcome outcome = m_judge.judgeChange(before, after);
    RecordVerdicts(m_ctx.progressLog, exercise::kWubi, outcome.verdicts);
    m_judgements += int(outcome.verdicts.size());
    if (outcome.cue != JudgeCue::None)
        CueForJudgedKeystroke(m_ctx.cues, m_ctx.state.cues, outcome.cue == JudgeCue::Confirm);
    if (outcome.finished) {
        newLine();
        rtbIn->setFocus();
        if (!outcome.overflow.isEmpty()) {
            setInputText(outcome.overflow);
            judgeChange(QString(), outcome.overflow);
        }
        return;
    }
    m_typed = outcome.kept;
    if (rtbIn->text() != m_typed)
        setInputText(m_typed);
    moveHighlight(outcome.caret);
}

void WordForm::rtbIn_KeyDown(int keyCode)
{
    const bool f5 = keyCode == Qt::Key_F5;
    if ((!f5 && keyCode != Qt::Key_F6) || !m_ctx.state.chineseText || m_highlight >= m_line.size())
        return;
    const QString c(m_line.at(m_highlight));
    if (LookUpCode(m_ctx.state, c, f5) && m_ctx.shell)
        m_ctx.shell->SetStatusMessage(c + QLatin1Char(' ') + m_ctx.state.lookupCode);
}

void WordForm::rtbIn_GotFocus()
{
    if (m_ctx.shell)
        m_ctx.shell->SetStatusState(true);
}

void WordForm::rtbIn_LostFocus()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->SetStatusState(false);
    m_ctx.shell->SetStatusMessage(QString());
}

bool WordForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == rtbOut && event->type() == QEvent::FocusIn) {
        rtbIn->setFocus();
    } else if (watched == rtbIn) {
        if (event->type() == QEvent::KeyPress)
            rtbIn_KeyDown(static_cast<QKeyEvent *>(event)->key());
        else if (event->type() == QEvent::FocusIn)
            rtbIn_GotFocus();
        else if (event->type() == QEvent::FocusOut)
            rtbIn_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void WordForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_chart.isNull())
        p.fillRect(rect(), QColor(0xf4, 0xf6, 0xf9));
    else
        p.drawPixmap(0, 0, m_chart);
}
