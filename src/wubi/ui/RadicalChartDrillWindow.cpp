#include "wubi/ui/RadicalChartDrillWindow.h"

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
constexpr int kWidth = 710, kHeight = 445;
constexpr double kBoxPointSize = 15.75;
const QRect kOutRect(12, 10, 566, 34);
const QRect kInRect(12, 46, 566, 34);
const QRect kFrameRect(590, 6, 108, 76);
} // namespace

RadicalChartDrillWindow::RadicalChartDrillWindow(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmWord"));
    setWindowTitle(QStringLiteral("字根表对照打字"));
    setFixedSize(kWidth, kHeight);

    reference = new QTextEdit(this);
    reference->setObjectName(QStringLiteral("rtbOut"));
    reference->setGeometry(kOutRect);
    reference->setFont(SongFont(kBoxPointSize));
    reference->setReadOnly(true);
    reference->setLineWrapMode(QTextEdit::NoWrap);
    reference->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    reference->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    reference->document()->setDocumentMargin(3);
    reference->installEventFilter(this);

    input = new QLineEdit(this);
    input->setObjectName(QStringLiteral("rtbIn"));
    SetAccessibleText(reference, QStringLiteral("对照文字"), QStringLiteral("照着这一行输入，字根表在下面"));
    SetAccessibleText(input, QStringLiteral("输入"));
    input->setGeometry(kInRect);
    input->setFont(SongFont(kBoxPointSize));
    input->installEventFilter(this);
    AttachComposer(m_ctx, input);
    connect(input, &QLineEdit::textChanged, this, [this] {
        if (!m_settingInput)
            judgeInput();
    });

    auto *frame = new QGroupBox(QStringLiteral("选择字根表的版本"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(kFrameRect);
    frame->setAutoFillBackground(true);
    const QString captions[] = {QStringLiteral("86"), QStringLiteral("98")};
    for (int i = 0; i < 2; ++i) {
        editionButtons[i] = new QRadioButton(captions[i], frame);
        editionButtons[i]->setObjectName(QStringLiteral("OpZg(%1)").arg(i));
        editionButtons[i]->setGeometry(12 + i * 48, 36, 44, 24);
        connect(editionButtons[i], &QRadioButton::clicked, this, [this, i] { chooseEdition(i); });
    }
    editionButtons[0]->setChecked(true);

    // The chart loads once the window is up, not while it is being built.
    QTimer::singleShot(0, this, &RadicalChartDrillWindow::startChart);

    // On load:
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::RadicalChartDrillWindow);
    m_ctx.state.chineseText = true;
}

RadicalChartDrillWindow::~RadicalChartDrillWindow()
{
    input->removeEventFilter(this);
    reference->removeEventFilter(this);
    input->disconnect(this);
    m_ctx.state.chineseText = false;
}

void RadicalChartDrillWindow::startChart()
{
    if (m_started)
        return;
    m_started = true;
    loadChart(true);
    m_pool = wubi::ChartPool(CodeTablesOf(m_ctx.state).t86);
    newLine();
    input->setFocus();
}

void RadicalChartDrillWindow::loadChart(bool edition86)
{
    m_chart86 = edition86;
    // A missing or damaged chart is reported; the drill goes on without it.
    m_chart = PictureFromDataFile(m_ctx.paths, edition86 ? QStringLiteral("keyb86.dz") : QStringLiteral("keyb98.dz"),
                                  this);
    update();
}

void RadicalChartDrillWindow::chooseEdition(int index)
{
    loadChart(index == 0);
}

void RadicalChartDrillWindow::newLine()
{
    m_line = wubi::ChartLine(m_pool, m_ctx.random);
    m_judge.setReference(m_line);
    m_typed.clear();
    setInputText(QString());
    if (m_line.isEmpty()) {
        // Without the 86 code table there is nothing to type.
        reference->setPlainText(QStringLiteral("五笔86版编码表未能载入，无法练习"));
        input->setEnabled(false);
    } else {
        reference->setPlainText(m_line);
    }
    moveHighlight(0);
}

void RadicalChartDrillWindow::setInputText(const QString &text)
{
    m_settingInput = true;
    input->setText(text);
    m_settingInput = false;
}

void RadicalChartDrillWindow::moveHighlight(int position)
{
    m_highlight = position;
    MarkCharacter(reference, position, int(m_line.size()), QColor(0x00, 0x00, 0x80), Qt::white);
    AnnounceDescription(input, NextCharacterDescription(m_line.mid(position, 1)));
    if (m_line.isEmpty() || !m_ctx.shell)
        return;
    const QString c = position < m_line.size() ? QString(m_line.at(position)) : QString();
    m_ctx.shell->setStatusMessage(QStringLiteral("F5查看“%1”五笔86版的打法  F6查看“%1”五笔98版的打法").arg(c));
}

void RadicalChartDrillWindow::judgeInput()
{
    if (!m_line.isEmpty())
        judgeChange(m_typed, input->text());
}

void RadicalChartDrillWindow::judgeChange(const QString &before, const QString &after)
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
        input->setFocus();
        if (!outcome.overflow.isEmpty()) {
            setInputText(outcome.overflow);
            judgeChange(QString(), outcome.overflow);
        }
        return;
    }
    m_typed = outcome.kept;
    if (input->text() != m_typed)
        setInputText(m_typed);
    moveHighlight(outcome.caret);
}

void RadicalChartDrillWindow::handleInputKey(int keyCode)
{
    const bool f5 = keyCode == Qt::Key_F5;
    if ((!f5 && keyCode != Qt::Key_F6) || !m_ctx.state.chineseText || m_highlight >= m_line.size())
        return;
    const QString c(m_line.at(m_highlight));
    if (LookUpCode(m_ctx.state, c, f5) && m_ctx.shell)
        m_ctx.shell->setStatusMessage(c + QLatin1Char(' ') + m_ctx.state.lookupCode);
}

void RadicalChartDrillWindow::inputFocusGained()
{
    if (m_ctx.shell)
        m_ctx.shell->setStatusReady(true);
}

void RadicalChartDrillWindow::inputFocusLost()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->setStatusReady(false);
    m_ctx.shell->setStatusMessage(QString());
}

bool RadicalChartDrillWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == reference && event->type() == QEvent::FocusIn) {
        input->setFocus();
    } else if (watched == input) {
        if (event->type() == QEvent::KeyPress)
            handleInputKey(static_cast<QKeyEvent *>(event)->key());
        else if (event->type() == QEvent::FocusIn)
            inputFocusGained();
        else if (event->type() == QEvent::FocusOut)
            inputFocusLost();
    }
    return QWidget::eventFilter(watched, event);
}

void RadicalChartDrillWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_chart.isNull())
        p.fillRect(rect(), QColor(0xf4, 0xf6, 0xf9));
    else
        p.drawPixmap(0, 0, m_chart);
}
