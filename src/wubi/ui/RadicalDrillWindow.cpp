#include "wubi/ui/RadicalDrillWindow.h"

#include "data/Clock.h"
#include "data/Cues.h"
#include "keyboard/KeyMapping.h"
#include "practice/PracticeState.h"
#include "progress/ProgressData.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/Shell.h"
#include "shell/ui/DataPicture.h"
#include "shell/ui/PictureButton.h"
#include "wubi/ui/RadicalCard.h"
#include "wubi/ui/RadicalDrillSettingsDialog.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

namespace {
constexpr int kWidth = 710, kHeight = 445;
constexpr int kFirstCellLeft = 28, kFirstCellTop = 79, kRowStep = 88;
constexpr int kCellWidth = 32, kCellHeight = 44;
const QColor kRightColour(0, 0, 255);
const QColor kWrongColour(255, 150, 150); // light, so the radical stays legible
} // namespace

RadicalDrillWindow::RadicalDrillWindow(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_settings(settings), m_drill(settings, ctx.random)
{
    setObjectName(QStringLiteral("frmZGEx"));
    setWindowTitle(QStringLiteral("字根练习"));
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false); // answers are keys, not text

    for (int k = 0; k < wubi::kBoardCells; ++k) {
        QLabel *cell = new QLabel(this);
        cell->setObjectName(QStringLiteral("picZGEx(%1)").arg(k + 1));
        cell->setGeometry(kFirstCellLeft + (k % wubi::kBoardColumns) * kCellWidth,
                          kFirstCellTop + (k / wubi::kBoardColumns) * kRowStep, kCellWidth, kCellHeight);
        cell->setAlignment(Qt::AlignCenter);
        cell->setAutoFillBackground(true);
        cells[std::size_t(k)] = cell;
    }
    QFont figures = font();
    figures.setPointSize(12);
    figures.setBold(true);
    timeLabel = new QLabel(this);
    timeLabel->setObjectName(QStringLiteral("lblTime"));
    timeLabel->setGeometry(kFirstCellLeft, 400, 110, 28);
    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("lblCount"));
    countLabel->setGeometry(kFirstCellLeft + 120, 400, 160, 28);
    timeLabel->setAccessibleDescription(QStringLiteral("所用时间"));
    countLabel->setAccessibleDescription(QStringLiteral("打字速度"));
    for (QLabel *label : {timeLabel, countLabel}) {
        label->setFont(figures);
        label->hide();
    }

    settingsButton = new PictureButton(ctx.paths, QStringLiteral("练习设置"), this);
    settingsButton->setObjectName(QStringLiteral("picB"));
    settingsButton->move(kWidth - settingsButton->width() - 30, 392);
    settingsButton->setAccessibleDescription(QStringLiteral("选择字根表版本、练习方式和范围，然后开始练习"));
    connect(settingsButton, &PictureButton::clicked, this, &RadicalDrillWindow::openSettings);

    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("zgTime"));
    clockTimer->setInterval(10);
    connect(clockTimer, &QTimer::timeout, this, &RadicalDrillWindow::tickClock);

    // On load:
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::RadicalDrillWindow);
    m_background = QPixmap::fromImage(WithPictureScale(QImage(m_ctx.paths.data(QStringLiteral("data/pic/zgpic.jpg")))));
    showBoard();
}

RadicalDrillWindow::~RadicalDrillWindow()
{
    m_settings.drillRequested = false;
}

int RadicalDrillWindow::now() const
{
    return secondOfDay(m_ctx.clock.now().time());
}

void RadicalDrillWindow::startDrill()
{
    const QStringList names = QDir(m_ctx.paths.data(QStringLiteral("data/piczg")))
                                  .entryList(QDir::Files, QDir::Name);
    m_drill.start(wubi::RadicalList(names, m_settings));
    timeLabel->clear();
    countLabel->clear();
    showBoard();
    if (!m_drill.armed() && m_ctx.shell)
        m_ctx.shell->setStatusMessage(QStringLiteral("没有可练习的字根图片"));
}

void RadicalDrillWindow::showBoard()
{
    const PictureProblemBatch problems(this);
    for (int k = 0; k < wubi::kBoardCells; ++k) {
        colourCell(k, Qt::white);
        const QString &name = m_drill.board().at(k);
        cells[std::size_t(k)]->setPixmap(name.isEmpty() ? QPixmap() : radicalPicture(name));
        cells[std::size_t(k)]->setAccessibleName(name.isEmpty() ? QString() : QStringLiteral("字根 %1").arg(wubi::RadicalOfPicture(name)));
    }
}

QPixmap RadicalDrillWindow::radicalPicture(const QString &name)
{
    auto it = m_pictures.find(name);
    if (it == m_pictures.end())
        it = m_pictures.insert(name, PictureFromDataFile(m_ctx.paths, QStringLiteral("piczg/") + name, this));
    return it.value();
}

void RadicalDrillWindow::activated()
{
    if (m_settings.drillRequested) {
        startDrill();
        if (m_ctx.shell)
            m_ctx.shell->setStatusReady(true);
    } else if (m_drill.armed()) {
        m_settings.drillRequested = true;
        if (m_ctx.shell)
            m_ctx.shell->setStatusReady(true);
    }
}

void RadicalDrillWindow::deactivated()
{
    if (!m_drill.armed())
        return;
    m_settings.drillRequested = false;
    if (m_ctx.shell)
        m_ctx.shell->setStatusReady(false);
}

void RadicalDrillWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow() == m_active)
        return;
    m_active = isActiveWindow();
    if (m_active)
        activated();
    else
        deactivated();
}

void RadicalDrillWindow::openSettings()
{
    // The dialog takes the activation; closing it gives it back.
    if (m_active) {
        m_active = false;
        deactivated();
    }
    RadicalDrillSettingsDialog dialog(m_ctx, m_settings, this);
    dialog.exec();
    setFocus();
    if (!m_active) {
        m_active = true;
        activated();
    }
}

void RadicalDrillWindow::keyPressEvent(QKeyEvent *event)
{
    keyDown(VirtualKeyOf(event->key(), event->modifiers(), event->nativeScanCode()), event->modifiers());
}

void RadicalDrillWindow::keyDown(int keyCode, Qt::KeyboardModifiers modifiers)
{
    const wubi::RadicalDrill::KeyOutcome outcome = m_drill.press(
        keyCode, modifiers.testFlag(Qt::AltModifier), modifiers.testFlag(Qt::ControlModifier), now());
    // The first answer starts the run's clock; it shows the time only while it runs.
    if (m_drill.running() && !clockTimer->isActive())
        clockTimer->start();
    using Kind = wubi::RadicalDrill::KeyOutcome;
    switch (outcome.kind) {
    case Kind::Ignored:
        return;
    case Kind::Card:
        ShowRadicalCard(m_ctx, outcome.cardKey, outcome.card86);
        return;
    case Kind::Wrong:
        // Seen as well as heard: the cell to answer turns red until it is right.
        colourCell(outcome.cell, kWrongColour);
        recordAnswer(keyCode, false);
        if (outcome.wrongCue)
            m_ctx.cues.play(Cue::Error);
        return;
    case Kind::Right:
        recordAnswer(keyCode, true);
        break;
    }
    colourCell(outcome.cell, kRightColour);
    m_ctx.cues.play(Cue::Confirm);
    if (outcome.ended)
        endRun(outcome.total);
    if (outcome.boardRefilled)
        showBoard();
}

void RadicalDrillWindow::colourCell(int k, const QColor &colour)
{
    QLabel *cell = cells[std::size_t(k)];
    QPalette pal = cell->palette();
    pal.setColor(QPalette::Window, colour);
    cell->setPalette(pal);
}

void RadicalDrillWindow::tickClock()
{
    const wubi::RadicalDrill::Tick tick = m_drill.tick(now());
    if (!tick.running) {
        clockTimer->stop();
        return;
    }
    timeLabel->show();
    countLabel->show();
    timeLabel->setText(tick.timeText);
    countLabel->setText(tick.speedText);
    if (tick.ended)
        endRun(tick.total);
}

void RadicalDrillWindow::recordAnswer(int keyCode, bool right)
{
    // The statistics keep the key answered, as for the other key drills.
    if (m_ctx.progressLog && keyCode >= 'A' && keyCode <= 'Z')
        m_ctx.progressLog->recordKeystroke(exercise::kRadicalDrill, QString(QChar(keyCode)), right);
}

void RadicalDrillWindow::endRun(int total)
{
    if (m_ctx.progressLog)
        m_ctx.progressLog->endRun();
    const QString text = QStringLiteral("统计结果：\n打字速度：%1\n所用时间：%2\n总字数：%3")
                             .arg(countLabel->text(), timeLabel->text())
                             .arg(total);
    QMessageBox(QMessageBox::NoIcon, QStringLiteral("练习结束"), text, QMessageBox::Ok, this).exec();
}

void RadicalDrillWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.isNull())
        p.fillRect(rect(), QColor(0xdf, 0xea, 0xf7));
    else
        p.drawPixmap(0, 0, m_background);
}
