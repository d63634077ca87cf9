#include "game/ui/Game.h"

#include "data/Cues.h"
#include "game/ui/GtGameSet.h"
#include "game/ui/RaceFrames.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/ProgressLog.h"
#include "shell/ui/Accessibility.h"
#include "shell/ui/ComposerInput.h"
#include "shell/ui/CharacterMark.h"
#include "shell/ui/PictureScale.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <utility>

namespace {

constexpr int kWidth = 710, kHeight = 445; // 10650 x 6675 twips
constexpr int kTwipsPerPixel = 15;
// Bottom edges of the two lanes: the runners stand on them.
constexpr int kHareGround = 92;
constexpr int kTortoiseGround = 156;
constexpr int kFinishX = 680;

const QString kStartPrompt = QStringLiteral("请做好准备，游戏将在三秒后开始");
const QString kRaceKeys = QStringLiteral("Ctrl+S 中止游戏") + QStringLiteral("   ") + QStringLiteral(" Ctrl+P 暂停游戏");

int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent, int x, int y, int w, int h)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(x, y, w, h);
    return label;
}

QFont pixelFont(int size, bool bold = false)
{
    QFont font;
    font.setPixelSize(size);
    font.setBold(bold);
    return font;
}

// The meadow, the two lanes and the finish flags, drawn once.
QPixmap drawBackground(qreal dpr)
{
    QPixmap pixmap = SharpCanvas(QSize(kWidth, kHeight), dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0xdf, 0xf1, 0xfb));
    sky.setColorAt(0.45, QColor(0xf4, 0xfa, 0xe8));
    sky.setColorAt(1, QColor(0xe8, 0xf3, 0xd6));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sky);
    for (int ground : {kHareGround, kTortoiseGround}) {
        const QRectF lane(8, ground - 54, kWidth - 16, 58);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xb9, 0xdc, 0x8f));
        p.drawRoundedRect(lane, 10, 10);
        p.setBrush(QColor(0xd9, 0xc0, 0x8f));
        p.drawRect(QRectF(lane.left() + 4, ground - 2, lane.width() - 8, 6));
        p.setPen(QPen(QColor(0xff, 0xff, 0xff, 170), 2, Qt::DashLine));
        p.drawLine(QPointF(lane.left() + 10, ground + 1), QPointF(lane.right() - 10, ground + 1));
        // Finish flag.
        p.setPen(QPen(QColor(0x6b, 0x4a, 0x2b), 2));
        p.drawLine(QPointF(kFinishX, ground + 2), QPointF(kFinishX, ground - 46));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.fillRect(QRectF(kFinishX + 1 + col * 6, ground - 46 + row * 6, 6, 6),
                           (row + col) % 2 ? QColor(0x22, 0x22, 0x22) : QColor(Qt::white));
    }
    return pixmap;
}

} // namespace

Game::Game(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("Game"));
    setWindowTitle(QStringLiteral("龟兔赛跑"));
    setFixedSize(kWidth, kHeight);

    const RaceFrameImages &frames = RaceFrames(m_ctx.paths.dataRoot);
    for (std::size_t i = 0; i < m_hareFrames.size(); ++i)
        m_hareFrames[i] = QPixmap::fromImage(frames.hare[i]);
    for (std::size_t i = 0; i < m_tortoiseFrames.size(); ++i)
        m_tortoiseFrames[i] = QPixmap::fromImage(frames.tortoise[i]);

    m_background = drawBackground(devicePixelRatioF());
    buildControls();
    buildTimers();
    showHareFrame(2);
    showTortoiseFrame(2);
    placeRunners();

    // Form_Load
    WindowFlags &flags = m_ctx.state.window(ManagedWindow::RaceForm);
    flags.shown = true;
    flags.hiddenWithMain = false;
    if (m_ctx.shell)
        m_ctx.shell->placeDocked(this, ManagedWindow::RaceForm);
}

Game::~Game()
{
    WindowFlags &flags = m_ctx.state.window(ManagedWindow::RaceForm);
    flags.shown = false;
    flags.opening = false;
    stopTimers();
    m_race.reset();
    status(QString());
}

void Game::buildControls()
{
    m_imgt = makeLabel(QStringLiteral("imgt"), QString(), this, px(race::kTrackStart), 0, 0, 0);
    m_imgG = makeLabel(QStringLiteral("imgG"), QString(), this, px(race::kTrackStart), 0, 0, 0);

    m_rtbOut = new QTextEdit(this);
    m_rtbOut->setObjectName(QStringLiteral("rtbOut"));
    m_rtbOut->setGeometry(px(1440), px(2505), px(8745), 40);
    m_rtbOut->setReadOnly(true);
    m_rtbOut->setTextInteractionFlags(Qt::NoTextInteraction);
    m_rtbOut->setFocusPolicy(Qt::NoFocus);
    m_rtbOut->setContextMenuPolicy(Qt::NoContextMenu);
    m_rtbOut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rtbOut->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rtbOut->setLineWrapMode(QTextEdit::NoWrap);
    m_rtbOut->setFont(pixelFont(20));

    const QFont labelFont = pixelFont(15);
    const int rowA = 222, rowB = 256;
    for (QLabel *l : {makeLabel(QStringLiteral("lbl2"), QStringLiteral("兔跑的字数:"), this, 96, rowA, 100, 26),
                      makeLabel(QStringLiteral("lbl1"), QStringLiteral("龟跑的字数:"), this, 96, rowB, 100, 26)})
        l->setFont(labelFont);
    m_lblT = makeLabel(QStringLiteral("lblT"), QString(), this, 196, rowA, 80, 26);
    m_lblG = makeLabel(QStringLiteral("lblG"), QString(), this, 196, rowB, 80, 26);
    for (QLabel *l : {m_lblT, m_lblG})
        l->setFont(pixelFont(18, true));
    m_lblC = makeLabel(QStringLiteral("lblC"), QString(), this, 300, rowA, 140, 26);
    m_lblC->setFont(labelFont);
    m_lblTimeCount = makeLabel(QStringLiteral("lblTimeCount"), QString(), this, 300, rowB - 4, 140, 34);
    m_lblTimeCount->setFont(pixelFont(26, true));
    m_lblTimeCount->setStyleSheet(QStringLiteral("color: #b03a2e"));
    m_lblT->setAccessibleDescription(QStringLiteral("兔跑的字数"));
    m_lblG->setAccessibleDescription(QStringLiteral("龟跑的字数"));

    m_comSet = new QPushButton(QStringLiteral("游戏设置"), this);
    m_comSet->setObjectName(QStringLiteral("ComSet"));
    m_comSet->setGeometry(520, rowA + 6, 120, 40);
    connect(m_comSet, &QPushButton::clicked, this, &Game::ComSet_Click);

    m_rtbIn = new QLineEdit(this);
    m_rtbIn->setObjectName(QStringLiteral("rtbIn"));
    m_rtbIn->setGeometry(px(1440), px(5310), px(8745), 38);
    m_rtbIn->setFont(pixelFont(20));
    m_rtbIn->setReadOnly(true);
    m_rtbIn->setContextMenuPolicy(Qt::NoContextMenu);
    m_rtbIn->setDragEnabled(false);
    m_rtbIn->setAcceptDrops(false);
    m_rtbIn->installEventFilter(this);
    SetAccessibleText(m_rtbOut, QStringLiteral("比赛文字"), QStringLiteral("照着这一行输入"));
    SetAccessibleText(m_rtbIn, QStringLiteral("比赛输入"));
    m_comSet->setAccessibleDescription(QStringLiteral("选择比赛材料和兔子的速度，然后开始比赛"));
    AttachComposer(m_ctx, m_rtbIn, [this] { return m_race && m_race->material() != race::Material::Letters; });
    connect(m_rtbIn, &QLineEdit::textChanged, this, &Game::rtbIn_Change);
}

void Game::buildTimers()
{
    auto makeTimer = [this](const QString &name) {
        auto *timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(race::kCountdownInterval);
        return timer;
    };
    m_timeS = makeTimer(QStringLiteral("TimeS"));
    m_meTime = makeTimer(QStringLiteral("MeTime"));
    m_timer1 = makeTimer(QStringLiteral("Timer1"));
    connect(m_timeS, &QTimer::timeout, this, &Game::TimeS_Timer);
    connect(m_meTime, &QTimer::timeout, this, &Game::MeTime_Timer);
    connect(m_timer1, &QTimer::timeout, this, &Game::Timer1_Timer);
}

void Game::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_background);
}

// ---- Starting ---------------------------------------------------------------

void Game::ComSet_Click()
{
    GtGameSet dialog(m_ctx, this);
    if (dialog.exec() == QDialog::Accepted)
        startRace(dialog.setup());
}

void Game::startRace(const RaceSetup &setup)
{
    stopTimers();
    m_race = std::make_unique<race::Race>(setup.material, setup.settings.seconds);
    m_pool = setup.pool;
    showLine(setup.firstLine);
    m_meTime->setInterval(setup.settings.paceInterval);
    m_comSet->hide();
    m_timeS->setInterval(race::kCountdownInterval);
    m_timeS->start();
    status(kStartPrompt);
    selectTarget(0);
    m_rtbIn->clear();
    lockInput(true);
    m_rtbIn->setFocus();
}

void Game::TimeS_Timer()
{
    if (!m_race || m_race->ended())
        return;
    if (!m_race->running()) {
        m_lblTimeCount->setText(race::CountdownText(m_race->countdownTicks()));
        m_ctx.cues.play(Cue::Tick);
        if (!m_race->countdownTick())
            return;
        m_timeS->setInterval(race::kAnimationInterval);
        m_meTime->start();
        m_timer1->start();
        m_lblC->setText(QStringLiteral("共%1秒").arg(m_race->lengthSeconds()));
        m_lblT->setText(QString::number(m_race->hareCount()));
        m_lblG->setText(QString::number(m_race->tortoiseCount()));
        showRaceKeys();
        lockInput(false);
        return;
    }
    if (m_race->paused())
        return;
    showHareFrame(m_race->frameNumber());
    showTortoiseFrame(m_race->tortoiseSecondFrame() ? 2 : 1);
    m_race->animationTick();
}

void Game::MeTime_Timer()
{
    if (!m_race || !m_race->acceptsTyping())
        return;
    m_race->paceTick();
    m_lblG->setText(QString::number(m_race->tortoiseCount()));
    placeRunners();
}

void Game::Timer1_Timer()
{
    if (!m_race || !m_race->acceptsTyping())
        return;
    QString shown;
    const bool timeUp = m_race->clockTick(&shown);
    m_lblTimeCount->setText(shown);
    if (timeUp)
        endRace(QStringLiteral("赛跑时间到"));
}

// ---- Typing -----------------------------------------------------------------

QString Game::judgeTyped(const QString &typed)
{
    if (!m_race || !m_race->acceptsTyping())
        return QString();
    const race::Judgement judgement = race::JudgeTyped(m_judge, m_rtbIn->text(), typed);
    RecordVerdicts(m_ctx.progressLog, exercise::kRace, judgement.verdicts);
    if (judgement.wrong)
        m_ctx.cues.play(Cue::Error);
    m_overflow = judgement.overflow;
    return judgement.accepted;
}

void Game::rtbIn_Change()
{
    if (!m_race || !m_race->running())
        return;
    if (m_race->setTyped(int(m_rtbIn->text().size()))) {
        const QString overflow = std::exchange(m_overflow, QString());
        showLine(race::NextLine(m_ctx.state, m_pool, m_race->material(), false, m_ctx.random));
        m_rtbIn->clear(); // comes back here with an empty input
        m_rtbIn->setFocus();
        // What a commit brought past the end of the line starts the next one.
        if (!overflow.isEmpty())
            m_rtbIn->insert(judgeTyped(overflow));
        return;
    }
    placeRunners();
    selectTarget(m_race->typedInLine());
    m_lblT->setText(QString::number(m_race->hareCount()));
}

bool Game::rtbIn_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier) || !m_race)
        return false;
    switch (key) {
    case Qt::Key_S:
        if (m_race->stop())
            endRace(QStringLiteral("赛跑结束"));
        return true;
    case Qt::Key_P:
        if (m_race->pause()) {
            stopTimers();
            lockInput(true);
            status(QStringLiteral("Ctrl+R继续游戏"));
        }
        return true;
    case Qt::Key_R:
        if (m_race->resume()) {
            startTimers();
            lockInput(false);
            m_rtbIn->setFocus();
            showRaceKeys();
        }
        return true;
    default:
        return false;
    }
}

// Keys reach the input box only through here. What they type is judged;
// Backspace, Delete, cursor keys and shortcuts (paste, undo) do nothing, so
// accepted characters can neither be taken back nor come from elsewhere.
bool Game::filterKey(QKeyEvent *key)
{
    if (rtbIn_KeyDown(key->key(), key->modifiers()))
        return true;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    const QString text = key->text();
    const bool typesCharacter = !text.isEmpty()
        && (text.at(0).isPrint() || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || key->key() == Qt::Key_Tab);
    if (typesCharacter) {
        const QString accepted = judgeTyped(text);
        if (!accepted.isEmpty()) {
            m_rtbIn->end(false);
            m_rtbIn->insert(accepted);
        }
    }
    return true;
}

bool Game::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_rtbIn)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKey(static_cast<QKeyEvent *>(event));
    case QEvent::ShortcutOverride:
        // Ctrl+S/P/R belong to the race, not to any application shortcut.
        if (static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier)
            event->accept();
        return false;
    case QEvent::InputMethod: {
        // A commit (one character or a phrase) is judged; the pre-edit is not.
        auto *im = static_cast<QInputMethodEvent *>(event);
        if (!im->commitString().isEmpty()) {
            const QString accepted = judgeTyped(im->commitString());
            m_rtbIn->end(false);
            im->setCommitString(accepted);
        }
        return false;
    }
    case QEvent::FocusIn:
        rtbIn_GotFocus();
        return false;
    case QEvent::FocusOut:
        rtbIn_LostFocus();
        return false;
    default:
        return false;
    }
}

void Game::rtbIn_GotFocus()
{
    if (!m_race || !m_race->running() || !m_ctx.shell)
        return;
    m_ctx.shell->SetStatusState(true);
    if (m_race->paused())
        status(QStringLiteral("Ctrl+R 继续游戏"));
    else
        showRaceKeys();
}

void Game::rtbIn_LostFocus()
{
    if (!m_ctx.shell)
        return;
    m_ctx.shell->SetStatusState(false);
    status(QString());
}

// ---- Display ----------------------------------------------------------------

void Game::showLine(const QString &line)
{
    m_line = line;
    m_judge.setReference(line);
    m_overflow.clear();
    m_rtbOut->setPlainText(line);
    selectTarget(0);
}

// The character to type next stands out, as a selection of length 1.
void Game::selectTarget(int position)
{
    MarkCharacter(m_rtbOut, position, int(m_line.size()), palette().color(QPalette::Active, QPalette::Highlight),
                  palette().color(QPalette::Active, QPalette::HighlightedText));
    AnnounceDescription(m_rtbIn, NextCharacterDescription(m_line.mid(position, 1)));
}

void Game::showHareFrame(int number)
{
    showFrame(m_imgt, m_hareFrames[std::size_t(number - 1)], QStringLiteral("gt%1").arg(number), m_hareFrame);
}

void Game::showTortoiseFrame(int number)
{
    showFrame(m_imgG, m_tortoiseFrames[std::size_t(number - 1)], QStringLiteral("gg%1").arg(number),
              m_tortoiseFrame);
}

// A frame that could not be read leaves the previous picture.
void Game::showFrame(QLabel *picture, const QPixmap &frame, const QString &name, QString &shownName)
{
    if (frame.isNull())
        return;
    picture->setPixmap(frame);
    picture->resize(frame.deviceIndependentSize().toSize());
    shownName = name;
}

void Game::placeRunners()
{
    const int hareLeft = m_race ? m_race->hareLeft() : race::kTrackStart;
    const int tortoiseLeft = m_race ? m_race->tortoiseLeft() : race::kTrackStart;
    m_imgt->move(px(hareLeft), kHareGround - m_imgt->height());
    m_imgG->move(px(tortoiseLeft), kTortoiseGround - m_imgG->height());
}

void Game::lockInput(bool locked)
{
    m_rtbIn->setReadOnly(locked);
}

void Game::endRace(const QString &message)
{
    stopTimers();
    lockInput(true);
    showHareFrame(2);
    showTortoiseFrame(2);
    placeRunners();
    m_comSet->show();
    status(message);
}

void Game::stopTimers()
{
    for (QTimer *t : {m_timeS, m_meTime, m_timer1})
        t->stop();
}

void Game::startTimers()
{
    for (QTimer *t : {m_timeS, m_meTime, m_timer1})
        t->start();
}

void Game::showRaceKeys()
{
    status(kRaceKeys);
}

void Game::status(const QString &text)
{
    if (m_ctx.shell)
        m_ctx.shell->SetStatusMessage(text);
}
