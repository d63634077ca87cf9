#include "practice/ui/RunPanel.h"

#include "pinyin/GradedMaterial.h"
#include "data/Cues.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/ui/Accessibility.h"
#include "data/Clock.h"
#include "practice/PracticeState.h"
#include "practice/Statistics.h"
#include "practice/TextFile.h"
#include "practice/TypingRun.h"
#include "progress/ProgressData.h"
#include "practice/ui/PassagePractice.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/RunControl.h"
#include "progress/PinyinConfusions.h"
#include "shell/PracticeReport.h"
#include "shell/ui/ComposerInput.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QToolButton>
#include <optional>

namespace {
constexpr int kWidth = 112, kHeight = 445;

enum class ButtonPicture { Start, Pause, Stop };

QIcon PictureFor(ButtonPicture which)
{
    QPixmap pix(28, 28);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    switch (which) {
    case ButtonPicture::Start: {
        QPainterPath triangle;
        triangle.moveTo(8, 5);
        triangle.lineTo(23, 14);
        triangle.lineTo(8, 23);
        triangle.closeSubpath();
        p.setBrush(QColor(0x2e, 0x9d, 0x3e));
        p.drawPath(triangle);
        break;
    }
    case ButtonPicture::Pause:
        p.setBrush(QColor(0xd9, 0x8c, 0x10));
        p.drawRoundedRect(QRectF(7, 5, 5, 18), 1.5, 1.5);
        p.drawRoundedRect(QRectF(16, 5, 5, 18), 1.5, 1.5);
        break;
    case ButtonPicture::Stop:
        p.setBrush(QColor(0xc6, 0x28, 0x28));
        p.drawRoundedRect(QRectF(6, 6, 16, 16), 2.5, 2.5);
        break;
    }
    return QIcon(pix);
}

// The busy cursor while a text is read and laid out: a long one takes seconds.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

RunPanel *OpenRunPanel(AppContext &ctx)
{
    if (!ctx.shell || !IsWindowOpen(ctx.state, ManagedWindow::RunPanel))
        return nullptr;
    return qobject_cast<RunPanel *>(ctx.shell->window(ManagedWindow::RunPanel));
}

void SetEnabledIfDiffers(QWidget *w, bool enabled)
{
    if (w->isEnabled() != enabled)
        w->setEnabled(enabled);
}
} // namespace

RunPanel::RunPanel(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    // A Chinese text is graded by the share of its characters the learner
    // has not typed right yet.
    m_chooseFile = [this](QWidget *parent, const QString &folder) {
        if (!m_ctx.state.chineseText || !m_ctx.progressLog)
            return ChooseReferenceFile(parent, folder);
        const QSet<QString> known = m_ctx.progressLog->knownCharacters();
        return ChooseReferenceFile(parent, folder, [known](const QString &file) {
            const TextReadResult read = ReadTextFile(file, true);
            return read.ok ? UnknownShareText(read.text, known) : read.error;
        });
    };
    setObjectName(QStringLiteral("frmState"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    buildLabels();
    buildButtons();
    m_run = new TypingRun(ctx.clock, this);
    countTyping();

    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("timTime"));
    m_clock->setInterval(1000);
    m_figureTick = new QTimer(this);
    m_figureTick->setObjectName(QStringLiteral("timCount"));
    m_figureTick->setInterval(200);
    connect(m_clock, &QTimer::timeout, this, &RunPanel::tickClock);
    connect(m_figureTick, &QTimer::timeout, this, &RunPanel::tickFigures);
    // The two timers run only while the run's clock runs.
    connect(m_run, &TypingRun::started, this, [this] {
        followClock(true);
        m_ctx.cues.prepare();
        if (m_ctx.progressLog)
            m_ctx.progressLog->prepareRun();
    });
    connect(m_run, &TypingRun::pausedChanged, this, [this](bool paused) { followClock(!paused); });
    connect(m_run, &TypingRun::ended, this, [this] { followClock(false); });

    speedLabel->setText(QStringLiteral("   0 字/分"));
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::RunPanel);
    updateButtonStates();
}

void RunPanel::followClock(bool running)
{
    if (running) {
        m_clock->start();
        m_figureTick->start();
    } else {
        m_clock->stop();
        m_figureTick->stop();
    }
    showRunButtons(m_run->isStarted());
}

void RunPanel::showRunButtons(bool started)
{
    SetEnabledIfDiffers(startButton, !started && !m_ctx.state.generatedDrill);
    SetEnabledIfDiffers(pauseButton, started);
    SetEnabledIfDiffers(stopButton, started);
    // A run stopped while paused must not leave the next run's button held down.
    if (!started)
        showPaused(false);
}

RunPanel::~RunPanel()
{
    m_clock->stop();
    m_figureTick->stop();
}

void RunPanel::buildLabels()
{
    const char *captions[] = {"打字速度", "正确率", "总字数", "所用时间"};
    const char *names[] = {"Label1", "Label2", "Label3", "Label4"};
    const char *valueNames[] = {"lblTypeNum", "lblRightRate", "lblTotalByte", "lblTime"};
    QLabel **values[] = {&speedLabel, &accuracyLabel, &typedCountLabel, &timeLabel};
    QFont captionFont = font();
    captionFont.setBold(true);
    for (int i = 0; i < 4; ++i) {
        auto *caption = new QLabel(QString::fromUtf8(captions[i]), this);
        caption->setObjectName(QString::fromLatin1(names[i]));
        caption->setFont(captionFont);
        caption->setGeometry(8, 14 + i * 70, kWidth - 16, 20);
        auto *value = new QLabel(this);
        value->setObjectName(QString::fromLatin1(valueNames[i]));
        value->setGeometry(8, 38 + i * 70, kWidth - 16, 24);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setAlignment(Qt::AlignCenter);
        value->setAccessibleDescription(caption->text()); // the figure reads as its value, then what it is
        *values[i] = value;
    }
    typingLabel = new QLabel(this);
    typingLabel->setObjectName(QStringLiteral("lblTyping"));
    typingLabel->setGeometry(6, 368, kWidth - 12, kHeight - 372);
    typingLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    typingLabel->setWordWrap(true);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    typingLabel->setFont(small);
}

void RunPanel::countTyping()
{
    ComposerMode *composer = m_ctx.composer;
    if (!composer)
        return;
    // Only what is typed while the run's clock runs counts.
    connect(composer, &ComposerMode::keyCounted, this, [this] {
        if (m_run->isRunning())
            m_typing.countKey();
    });
    connect(composer, &ComposerMode::committed, this, [this](const QString &text, const QString &word, int candidate) {
        if (m_run->isRunning())
            m_typing.countCommit(text, word, candidate);
    });
    connect(composer, &ComposerMode::codeCorrected, this, [this] {
        if (m_run->isRunning())
            m_typing.countCodeCorrection();
    });
    connect(composer, &ComposerMode::textCorrected, this, [this](int erased) {
        if (m_run->isRunning())
            m_typing.countTextCorrection(erased);
    });
}

QString RunPanel::methodOfRun() const
{
    const PracticeState &s = m_ctx.state;
    const ComposerMode *composer = m_ctx.composer;
    const bool composed = composer && composer->isOn()
                          && (s.chineseText || IsWindowOpen(s, ManagedWindow::FreeInputWindow));
    return composed ? composer->methodKey() : input_method::kSystem;
}

TypingFigures RunPanel::typingFigures()
{
    qint64 ideal = -1;
    if (m_ctx.composer && input_method::SeesKeys(m_typing.figures().method))
        ideal = m_ctx.composer->idealKeys(m_typing.standingText());
    return m_typing.figures(ideal);
}

void RunPanel::showTypingFigures(const RunFigures &f)
{
    const TypingFigures typing = typingFigures();
    const TypingFigureTexts t = TextsOf(typing, qint64(f.elapsedSeconds) * 1000, f.characters);
    QStringList lines;
    if (typing.keysSeen()) {
        lines << QStringLiteral("击键 %1").arg(t.keysPerSecond)
              << QStringLiteral("码长 %1").arg(t.keysPerCharacter)
              << QStringLiteral("理想码长 %1").arg(t.idealKeysPerCharacter.isEmpty() ? QStringLiteral("—")
                                                                                  : t.idealKeysPerCharacter)
              << QStringLiteral("打词率 %1").arg(t.phraseShare)
              << QStringLiteral("选重 %1  回改 %2").arg(t.candidatePicks, QString::number(typing.textCorrections));
    } else {
        lines << QStringLiteral("回改 %1").arg(t.corrections) << kFiguresNeedComposer;
    }
    typingLabel->setText(lines.join(QLatin1Char('\n')));
}

void RunPanel::buildButtons()
{
    struct ButtonDef {
        QToolButton **button;
        const char *name;
        const char *tip;
        const char *description;
        ButtonPicture picture;
        void (RunPanel::*handler)();
    };
    const ButtonDef buttons[] = {
        {&startButton, "cmdStart", "开始", "选择对照文本，准备一次新的练习", ButtonPicture::Start,
         &RunPanel::prepareRun},
        {&pauseButton, "cmdPause", "暂停", "暂停或继续练习和计时", ButtonPicture::Pause, &RunPanel::togglePause},
        {&stopButton, "cmdStop", "停止", "结束练习，显示成绩统计", ButtonPicture::Stop, &RunPanel::stopRun},
    };
    for (int i = 0; i < 3; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(buttons[i].name));
        b->setToolTip(QString::fromUtf8(buttons[i].tip));
        SetAccessibleText(b, b->toolTip(), QString::fromUtf8(buttons[i].description));
        b->setIcon(PictureFor(buttons[i].picture));
        b->setIconSize(QSize(28, 28));
        b->setAutoRaise(true);
        b->setGeometry(3 + i * 36, 330, 34, 34);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, buttons[i].handler);
        *buttons[i].button = b;
    }
    // Held down while the run is paused.
    pauseButton->setCheckable(true);
    pauseButton->setEnabled(false);
    stopButton->setEnabled(false);
}

void RunPanel::showPaused(bool paused)
{
    if (pauseButton->isChecked() != paused)
        pauseButton->setChecked(paused);
    const QString tip = paused ? QStringLiteral("继续") : QStringLiteral("暂停");
    if (pauseButton->toolTip() != tip) {
        pauseButton->setToolTip(tip);
        pauseButton->setAccessibleName(tip);
    }
}

void RunPanel::startRun()
{
    m_run->setTimeLimit(m_ctx.state.timeLimited ? m_ctx.state.timeLimitSeconds : 0);
    m_typing.start(methodOfRun());
    m_run->start(RunExerciseKind(m_ctx.state));
}

int RunPanel::elapsedSeconds() const
{
    return m_run->isStarted() ? m_run->figures().elapsedSeconds : 0;
}

int RunPanel::typedCount() const
{
    return m_run->isStarted() ? m_run->figures().characters : 0;
}

PracticeWindow *RunPanel::practiceWindow(ManagedWindow which) const
{
    if (!m_ctx.shell || !m_ctx.state.shown(which))
        return nullptr;
    return dynamic_cast<PracticeWindow *>(m_ctx.shell->window(which));
}

void RunPanel::prepareRun()
{
    const PracticeState &s = m_ctx.state;
    if (m_run->isStarted())
        return;
    if (s.exerciseKind == exercise::kPassage && !s.passageText.isEmpty()) {
        PreparePassageRun(m_ctx); // the same passage again
    } else if (s.shown(ManagedWindow::LinePracticeWindow) || s.shown(ManagedWindow::TextPracticeWindow)) {
        prepareFileRun(s.shown(ManagedWindow::LinePracticeWindow));
    } else if (s.shown(ManagedWindow::FreeInputWindow)) {
        if (PracticeWindow *w = practiceWindow(ManagedWindow::FreeInputWindow))
            w->clearInput();
        ShowStartDialog(m_ctx);
    }
}

void RunPanel::prepareFileRun(bool lineByLine)
{
    QPointer<RunPanel> self(this);
    const QString file = m_chooseFile(window(), InitialReferenceFolder(m_ctx.paths, m_ctx.state));
    if (!self || file.isEmpty())
        return;
    std::optional<BusyCursor> busy(std::in_place);
    const TextReadResult read = ReadTextFile(file, lineByLine);
    if (!read.ok) {
        busy.reset();
        // Nothing is prepared from a file that could not be read.
        QMessageBox::warning(window(), window()->windowTitle(),
                             QStringLiteral("无法读取对照文本“%1”：%2").arg(file, read.error));
        return;
    }
    m_ctx.state.pendingText = read.text;
    PracticeWindow *w = practiceWindow(lineByLine ? ManagedWindow::LinePracticeWindow : ManagedWindow::TextPracticeWindow);
    if (!w)
        return;
    w->placeMaterial();
    busy.reset();
    if (!read.warning.isEmpty()) {
        QMessageBox::warning(window(), window()->windowTitle(),
                             QStringLiteral("对照文本“%1”没有完整读出：%2。").arg(file, read.warning));
        if (!self)
            return;
    }
    ShowStartDialog(m_ctx);
}

void RunPanel::togglePause()
{
    if (!m_run->isStarted())
        return;
    m_run->setPaused(m_run->isRunning());
    const ManagedWindow order[] = {ManagedWindow::FreeInputWindow, ManagedWindow::LinePracticeWindow, ManagedWindow::TextPracticeWindow};
    if (!m_run->isRunning()) {
        for (ManagedWindow which : order)
            if (PracticeWindow *w = practiceWindow(which))
                w->lockInput();
        if (m_ctx.shell)
            m_ctx.shell->setStatusMessage(QString());
        startButton->setEnabled(false);
        showPaused(true);
        return;
    }
    for (ManagedWindow which : order) {
        if (PracticeWindow *w = practiceWindow(which)) {
            w->resumeInput();
            break;
        }
    }
    showPaused(false);
}

void RunPanel::stopRun()
{
    if (m_run->isStarted())
        ShowPracticeReport(m_ctx);
}

void RunPanel::tickClock()
{
    if (!m_run->isRunning())
        return;
    timeLabel->setText(ElapsedTimeText(m_run->figures().elapsedSeconds));
    if (m_run->timeLimitReached())
        ShowPracticeReport(m_ctx);
}

void RunPanel::tickFigures()
{
    if (m_run->isRunning())
        updateLiveFigures();
    updateButtonStates();
}

void RunPanel::updateLiveFigures()
{
    m_run->countTyped();
    const RunFigures f = m_run->figures();
    if (f.characters > 0 && !IsWindowOpen(m_ctx.state, ManagedWindow::FreeInputWindow))
        accuracyLabel->setText(AccuracyText(f.characters, f.errors));
    typedCountLabel->setText(QString::number(f.characters));
    speedLabel->setText(SpeedText(f.characters, f.speedSeconds));
    showTypingFigures(f);
}

void RunPanel::updateButtonStates()
{
    showRunButtons(m_run->isStarted());
}

void RunPanel::clearLiveFigures()
{
    accuracyLabel->clear();
    timeLabel->clear();
    typedCountLabel->clear();
    speedLabel->clear();
    typingLabel->clear();
}

void RunPanel::clearAccuracyFigure()
{
    accuracyLabel->clear();
}

TypingRun *OpenRun(AppContext &ctx)
{
    RunPanel *runPanel = OpenRunPanel(ctx);
    return runPanel ? &runPanel->run() : nullptr;
}

bool IsRunStarted(AppContext &ctx)
{
    const TypingRun *run = OpenRun(ctx);
    return run && run->isStarted();
}

bool IsClockRunning(AppContext &ctx)
{
    const TypingRun *run = OpenRun(ctx);
    return run && run->isRunning();
}

void EndRunWithoutReport(AppContext &ctx)
{
    if (TypingRun *run = OpenRun(ctx))
        run->end();
}

void ShowReadyWhileRunning(AppContext &ctx)
{
    if (IsClockRunning(ctx) && ctx.shell)
        ctx.shell->setStatusReady(true);
}

void StartRunFigures(AppContext &ctx)
{
    if (RunPanel *runPanel = OpenRunPanel(ctx))
        runPanel->startRun();
}

void ShowPracticeReport(AppContext &ctx)
{
    const PracticeState &s = ctx.state;
    PracticeReport report;
    QString speed, time;
    if (TypingRun *run = OpenRun(ctx)) {
        // The report, the record and the statistics share the figures of the
        // run as it ends.
        report.counts = run->typedCounts();
        run->settleCount(report.counts.totalCount);
        run->end();
        report.figures = run->figures();
        report.exerciseKind = run->kind();
        report.start = run->startTime();
        report.typing = OpenRunPanel(ctx)->typingFigures();
        speed = SpeedText(report.figures.characters, report.figures.speedSeconds).trimmed();
        const PinyinMistakeLog &mistakes = run->pinyinMistakes();
        report.pinyinMistakes = mistakes.summary();
        if (ctx.progressLog && !mistakes.mistakes().isEmpty())
            ctx.progressLog->recordPinyinMistakes(TallyConfusions(mistakes.mistakes(), ctx.clock.now()));
        time = ElapsedTimeText(report.figures.elapsedSeconds);
    }
    report.title = ReportTitle(s.chineseText, IsWindowOpen(s, ManagedWindow::FreeInputWindow));
    report.captions = ReportCaptions(s.chineseText);
    report.values = ReportValues(report.counts, report.figures.errors, speed, time);

    ClearLiveFigures(ctx);
    if (ctx.reportWindow)
        ctx.reportWindow->showReport(report);
}

void ClearLiveFigures(AppContext &ctx)
{
    if (RunPanel *runPanel = OpenRunPanel(ctx))
        runPanel->clearLiveFigures();
}

void UpdateRunButtons(AppContext &ctx)
{
    if (RunPanel *runPanel = OpenRunPanel(ctx))
        runPanel->updateButtonStates();
}

void ClearAccuracyFigure(AppContext &ctx)
{
    if (RunPanel *runPanel = OpenRunPanel(ctx))
        runPanel->clearAccuracyFigure();
}
