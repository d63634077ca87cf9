#include "pinyin/ui/ShuangpinDrillWindow.h"

#include "data/Cues.h"
#include "practice/PracticeState.h"
#include "pinyin/ui/SchemeBox.h"
#include "pinyin/ui/ShuangpinKeyboard.h"
#include "shell/AppContext.h"
#include "shell/Placement.h"
#include "shell/ProgressLog.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/SongFont.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

namespace {
QString clockText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

ShuangpinDrillWindow::ShuangpinDrillWindow(AppContext &ctx, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_run(ctx.clock)
{
    setObjectName(QStringLiteral("ShuangpinDrillWindow"));
    setWindowTitle(QStringLiteral("双拼键位练习"));
    setFixedSize(geometry::kFullWidth, geometry::kPracticeHeight);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    auto *caption = new QLabel(QStringLiteral("双拼方案："), this);
    caption->setGeometry(12, 10, 80, 26);
    schemeBox = NewSchemeBox(ctx, this);
    schemeBox->setGeometry(92, 10, 160, 26);
    schemeBox->setFocusPolicy(Qt::ClickFocus);

    syllableLabel = new QLabel(this);
    syllableLabel->setObjectName(QStringLiteral("syllableLabel"));
    syllableLabel->setGeometry(12, 42, 300, 56);
    syllableLabel->setFont(SongFont(30, true));
    typedLabel = new QLabel(this);
    typedLabel->setObjectName(QStringLiteral("typedLabel"));
    typedLabel->setGeometry(320, 42, 120, 56);
    typedLabel->setFont(SongFont(30, true));
    typedLabel->setStyleSheet(QStringLiteral("color: #6a7c8e;"));
    figuresLabel = new QLabel(this);
    figuresLabel->setObjectName(QStringLiteral("figuresLabel"));
    // Two lines, for the message when the drill cannot be had (the syllable row is then empty).
    figuresLabel->setGeometry(270, 10, 430, 56);
    figuresLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    figuresLabel->setWordWrap(true);
    SetAccessibleText(syllableLabel, QStringLiteral("要打的音节"));

    keyboard = new ShuangpinKeyboard(this);
    keyboard->setGeometry(6, 104, geometry::kFullWidth - 12, 334);
    keyboard->setFont(SongFont(10.5));

    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &ShuangpinDrillWindow::showFigures);
    connect(schemeBox, &QComboBox::currentIndexChanged, this, &ShuangpinDrillWindow::chooseScheme);
    chooseScheme();
}

ShuangpinDrillWindow::~ShuangpinDrillWindow()
{
    // The syllables typed so far still count.
    if (m_run.isStarted() && m_ctx.progressLog)
        m_ctx.progressLog->endRun();
}

void ShuangpinDrillWindow::chooseScheme()
{
    if (m_run.isStarted() && m_ctx.progressLog)
        m_ctx.progressLog->endRun();
    m_run.end();
    m_tick.stop();
    m_right = m_wrong = 0;
    m_drill = std::make_unique<ShuangpinDrill>(SchemeOfBox(schemeBox), m_ctx.random);
    keyboard->setChart(m_drill->chart());
    // Without the pinyin module there is nothing to drill: the figures' place says why.
    figuresLabel->setText(m_drill->chart().unavailableMessage());
    showSyllable();
    setFocus();
}

void ShuangpinDrillWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        m_drill->erase();
        showSyllable();
        return;
    }
    // The key itself, whatever the layout's shift state: letters and ';'.
    const QString text = event->text().toLower();
    if (text.size() == 1)
        judge(text.at(0));
}

void ShuangpinDrillWindow::judge(QChar key)
{
    const SyllableKeys asked = m_drill->current();
    switch (m_drill->press(key)) {
    case ShuangpinDrill::Verdict::Ignored:
        return;
    case ShuangpinDrill::Verdict::Pending:
        if (!m_run.isRunning()) {
            m_right = m_wrong = 0;
            m_run.start(exercise::kShuangpinKeys);
            m_tick.start();
        }
        break;
    case ShuangpinDrill::Verdict::Right:
        keyboard->setHighlighted(QString());
        RecordKeyVerdict(m_ctx.progressLog, exercise::kShuangpinKeys, asked.syllable, KeyVerdict::Right);
        countSyllable(true);
        break;
    case ShuangpinDrill::Verdict::Wrong:
        keyboard->setHighlighted(asked.keys);
        RecordKeyVerdict(m_ctx.progressLog, exercise::kShuangpinKeys, asked.syllable, KeyVerdict::Wrong);
        countSyllable(false);
        break;
    }
    showSyllable();
}

void ShuangpinDrillWindow::countSyllable(bool right)
{
    CueForJudgedKeystroke(m_ctx.cues, m_ctx.state.cues, right);
    if (right) {
        ++m_right;
        // A syllable typed right counts as one character of the run.
        m_run.setTyped(QString(m_right, QLatin1Char('x')));
        m_run.countTyped();
    } else {
        ++m_wrong;
        m_run.addErrors(1);
    }
    if (m_right >= kRunSyllables)
        endRun();
    showFigures();
}

void ShuangpinDrillWindow::endRun()
{
    m_run.end();
    m_tick.stop();
    if (m_ctx.progressLog)
        m_ctx.progressLog->endRun();
}

void ShuangpinDrillWindow::showSyllable()
{
    syllableLabel->setText(m_drill->current().syllable);
    typedLabel->setText(m_drill->typed().toUpper());
    AnnounceDescription(syllableLabel, m_drill->current().syllable);
}

void ShuangpinDrillWindow::showFigures()
{
    if (m_right + m_wrong == 0)
        return;
    const RunFigures f = m_run.figures();
    const int attempts = m_right + m_wrong;
    const QString accuracy =
        attempts == 0 ? QStringLiteral("—") : QString::number(100.0 * m_right / attempts, 'f', 2) + QLatin1Char('%');
    const QString figures = QStringLiteral("%1 个音节  用时 %2  速度 %3 个/分  正确率 %4")
                                .arg(m_right)
                                .arg(clockText(f.elapsedSeconds))
                                .arg(f.speed())
                                .arg(accuracy);
    figuresLabel->setText(m_run.isRunning() ? figures : QStringLiteral("本轮结束：") + figures);
}
