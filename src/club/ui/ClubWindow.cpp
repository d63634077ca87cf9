#include "club/ui/ClubWindow.h"

#include "club/ClubInput.h"
#include "data/Clock.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "practice/Statistics.h"
#include "practice/TextFile.h"
#include "shell/AppContext.h"
#include "shell/PracticeRun.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("班级赛文");
constexpr int kFollowMs = 250; // how often the typed count of a race run is looked at

QTableWidget *makeTable(const QStringList &headers, const QString &name)
{
    auto *t = new QTableWidget(0, int(headers.size()));
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

QTableWidgetItem *cell(const QString &text)
{
    return new QTableWidgetItem(text);
}
} // namespace

ClubWindow::ClubWindow(AppContext &ctx, QWidget *parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("ClubWindow"));
    setWindowTitle(kTitle);
    // Closing hides it: the session goes on submitting queued results.
    m_session = new ClubSession(ReadClubConnection(ctx.settings.readAll()), ResultQueuePath(ctx.paths.userDataDir), this);
    buildLayout();
    connect(m_session, &ClubSession::stateChanged, this, &ClubWindow::showState);
    connect(m_session, &ClubSession::racesChanged, this, [this] {
        reloadRaces();
        reloadPassages();
    });
    connect(m_session, &ClubSession::resultsChanged, this, [this](qint64 race) {
        if (race == selectedRace())
            reloadRanking();
    });
    connect(m_session, &ClubSession::progressReceived, this, &ClubWindow::showProgress);
    connect(m_session, &ClubSession::problem, this, &ClubWindow::warn);
    m_follow = new QTimer(this);
    m_follow->setInterval(kFollowMs);
    connect(m_follow, &QTimer::timeout, this, &ClubWindow::followRun);
    // The countdown to the next attempt while offline.
    auto *tick = new QTimer(this);
    tick->setInterval(1000);
    connect(tick, &QTimer::timeout, this, [this] {
        if (!m_session->isOnline())
            showState();
    });
    tick->start();
    resize(820, 540);
    showState();
    QTimer::singleShot(0, m_session, &ClubSession::start);
}

void ClubWindow::buildLayout()
{
    statusLabel = new QLabel;
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setWordWrap(true);
    pendingLabel = new QLabel;
    pendingLabel->setObjectName(QStringLiteral("pendingLabel"));
    auto *reconnect = new QPushButton(QStringLiteral("重新连接"));
    reconnect->setObjectName(QStringLiteral("reconnectButton"));
    connect(reconnect, &QPushButton::clicked, m_session, &ClubSession::start);
    auto *top = new QHBoxLayout;
    top->addWidget(statusLabel, 1);
    top->addWidget(pendingLabel);
    top->addWidget(reconnect);

    raceList = new QListWidget;
    raceList->setObjectName(QStringLiteral("raceList"));
    connect(raceList, &QListWidget::currentRowChanged, this, [this] {
        reloadRanking();
        reloadProgress();
    });
    joinButton = new QPushButton(QStringLiteral("参加比赛"));
    joinButton->setObjectName(QStringLiteral("joinButton"));
    connect(joinButton, &QPushButton::clicked, this, &ClubWindow::joinSelectedRace);

    organiserBox = new QGroupBox(QStringLiteral("组织者"));
    organiserBox->setObjectName(QStringLiteral("organiserBox"));
    auto *fromFile = new QPushButton(QStringLiteral("从文件发布文章…"));
    connect(fromFile, &QPushButton::clicked, this, &ClubWindow::postFromFile);
    auto *fromClipboard = new QPushButton(QStringLiteral("发布剪贴板中的文章"));
    connect(fromClipboard, &QPushButton::clicked, this, &ClubWindow::postFromClipboard);
    passageBox = new QComboBox;
    passageBox->setObjectName(QStringLiteral("passageBox"));
    auto *open = new QPushButton(QStringLiteral("用这篇文章开赛"));
    connect(open, &QPushButton::clicked, this, &ClubWindow::openRaceOnPassage);
    auto *close = new QPushButton(QStringLiteral("结束所选比赛"));
    connect(close, &QPushButton::clicked, this, &ClubWindow::closeSelectedRace);
    auto *enrol = new QPushButton(QStringLiteral("登记成员…"));
    connect(enrol, &QPushButton::clicked, this, &ClubWindow::askMember);
    auto *org = new QVBoxLayout(organiserBox);
    org->addWidget(fromFile);
    org->addWidget(fromClipboard);
    org->addWidget(passageBox);
    org->addWidget(open);
    org->addWidget(close);
    org->addWidget(enrol);

    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("进行中的比赛")));
    left->addWidget(raceList, 1);
    left->addWidget(joinButton);
    left->addWidget(organiserBox);

    progressTable = makeTable({QStringLiteral("成员"), QStringLiteral("已打"), QStringLiteral("进度")},
                              QStringLiteral("progressTable"));
    rankingTable = makeTable({QStringLiteral("名次"), QStringLiteral("成员"), QStringLiteral("速度（字/分）"),
                              QStringLiteral("正确率"), QStringLiteral("字数"), QStringLiteral("用时"), QStringLiteral("错误")},
                             QStringLiteral("rankingTable"));
    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("实时进度")));
    right->addWidget(progressTable, 1);
    right->addWidget(new QLabel(QStringLiteral("排名（每人取最好的一次）")));
    right->addWidget(rankingTable, 1);

    auto *middle = new QHBoxLayout;
    middle->addLayout(left, 2);
    middle->addLayout(right, 3);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(middle, 1);
}

void ClubWindow::showState()
{
    const bool online = m_session->isOnline();
    QString text = m_session->statusText();
    if (m_session->isConnecting()) {
        text = QStringLiteral("正在连接 %1……").arg(m_session->details().describe());
    } else if (!online) {
        const int seconds = (m_session->retryInMs() + 999) / 1000;
        text = QStringLiteral("未连接：%1").arg(text);
        if (seconds > 0)
            text += QStringLiteral("（%1 秒后重试）").arg(seconds);
    }
    statusLabel->setText(text);
    const int pending = m_session->pendingResults();
    pendingLabel->setText(pending > 0 ? QStringLiteral("待提交成绩：%1 条").arg(pending) : QString());
    joinButton->setEnabled(online);
    organiserBox->setVisible(m_session->identity().organiser);
    organiserBox->setEnabled(online);
}

qint64 ClubWindow::selectedRace() const
{
    const int row = raceList->currentRow();
    return row >= 0 && row < m_races.size() ? m_races[row].id : 0;
}

void ClubWindow::warn(const QString &message)
{
    QMessageBox::warning(this, kTitle, message);
}

bool ClubWindow::perform(const std::function<ClubStatus(QSqlDatabase &)> &operation)
{
    if (!m_session->isOnline()) {
        warn(QStringLiteral("现在连不上班级服务器：%1").arg(m_session->statusText()));
        return false;
    }
    ClubStatus status;
    {
        QSqlDatabase db = m_session->database();
        status = operation(db);
    }
    if (status.ok())
        return true;
    m_session->note(status);
    warn(status.message);
    return false;
}

void ClubWindow::reloadRaces()
{
    const qint64 keep = selectedRace();
    QVector<ClubRace> races;
    if (!m_session->isOnline())
        return;
    ClubStatus status;
    {
        QSqlDatabase db = m_session->database();
        races = OpenRaces(db, &status);
    }
    if (!m_session->note(status).ok())
        return;
    m_races = races;
    QSignalBlocker block(raceList);
    raceList->clear();
    for (const ClubRace &r : m_races) {
        raceList->addItem(QStringLiteral("%1（%2 字）").arg(r.title).arg(r.passageLength));
        if (r.id == keep || (keep == 0 && raceList->count() == 1))
            raceList->setCurrentRow(raceList->count() - 1);
    }
    block.unblock();
    reloadRanking();
    reloadProgress();
}

void ClubWindow::reloadPassages()
{
    if (!m_session->isOnline() || !m_session->identity().organiser)
        return;
    QVector<ClubPassage> passages;
    ClubStatus status;
    {
        QSqlDatabase db = m_session->database();
        passages = Passages(db, &status);
    }
    if (!m_session->note(status).ok())
        return;
    passageBox->clear();
    for (const ClubPassage &p : passages)
        passageBox->addItem(p.title, p.id);
}

void ClubWindow::reloadRanking()
{
    rankingTable->setRowCount(0);
    const qint64 race = selectedRace();
    if (race == 0 || !m_session->isOnline())
        return;
    QVector<RankingRow> rows;
    ClubStatus status;
    {
        QSqlDatabase db = m_session->database();
        rows = Ranking(db, race, &status);
    }
    if (!m_session->note(status).ok())
        return;
    rankingTable->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const RankingRow &r = rows[i];
        rankingTable->setItem(i, 0, cell(QString::number(r.rank)));
        rankingTable->setItem(i, 1, cell(r.displayName));
        rankingTable->setItem(i, 2, cell(QString::number(r.speed)));
        rankingTable->setItem(i, 3, cell(FormatTwoDecimals(r.accuracy) + QLatin1Char('%')));
        rankingTable->setItem(i, 4, cell(QString::number(r.characters)));
        rankingTable->setItem(i, 5, cell(ElapsedTimeText(r.durationSeconds)));
        rankingTable->setItem(i, 6, cell(QString::number(r.errors)));
    }
    rankingTable->resizeColumnsToContents();
}

void ClubWindow::reloadProgress()
{
    progressTable->setRowCount(0);
    const qint64 race = selectedRace();
    if (race == 0 || !m_session->isOnline())
        return;
    QVector<ProgressNote> notes;
    {
        QSqlDatabase db = m_session->database();
        notes = OpenRaceProgress(db);
        m_names = MemberNames(db);
    }
    for (const ProgressNote &n : notes)
        showProgress(n.raceId, n.member, n.characters);
}

void ClubWindow::showProgress(qint64 raceId, const QString &member, int characters)
{
    if (raceId != selectedRace())
        return;
    int length = 0;
    for (const ClubRace &r : m_races)
        if (r.id == raceId)
            length = r.passageLength;
    int row = 0;
    while (row < progressTable->rowCount() && progressTable->item(row, 0)->data(Qt::UserRole).toString() != member)
        ++row;
    if (row == progressTable->rowCount()) {
        progressTable->insertRow(row);
        QTableWidgetItem *name = cell(m_names.value(member, member));
        name->setData(Qt::UserRole, member);
        progressTable->setItem(row, 0, name);
        progressTable->setItem(row, 1, cell(QString()));
        auto *bar = new QProgressBar;
        bar->setRange(0, qMax(1, length));
        progressTable->setCellWidget(row, 2, bar);
    }
    progressTable->item(row, 1)->setText(QString::number(characters));
    if (auto *bar = qobject_cast<QProgressBar *>(progressTable->cellWidget(row, 2)))
        bar->setValue(qMin(characters, bar->maximum()));
}

void ClubWindow::joinSelectedRace()
{
    const qint64 race = selectedRace();
    if (race == 0) {
        warn(QStringLiteral("请先选一场进行中的比赛。"));
        return;
    }
    if (!m_ctx.practiceRun) {
        warn(QStringLiteral("文本练习不可用。"));
        return;
    }
    ClubPassage passage;
    if (!perform([&](QSqlDatabase &db) {
            ClubStatus status;
            passage = RacePassage(db, race, &status);
            return status;
        }))
        return;
    m_joinedRace = race;
    m_joinedTitle = QStringLiteral("班级赛文：%1").arg(passage.title);
    m_runStart = QDateTime();
    m_sentCharacters = -1;
    m_follow->start();
    m_ctx.practiceRun->practiseText(passage.body, m_joinedTitle);
    followRun();
}

void ClubWindow::followRun()
{
    if (m_joinedRace == 0 || !m_ctx.practiceRun) {
        m_follow->stop();
        return;
    }
    TypingRun *run = m_ctx.practiceRun->run();
    if (!run)
        return;
    if (run != m_run) {
        if (m_run)
            disconnect(m_run, nullptr, this, nullptr);
        m_run = run;
        connect(run, &TypingRun::ended, this, &ClubWindow::runEnded);
    }
    // The race's run is the one started under the race's title.
    if (!m_runStart.isValid() && run->isStarted() && m_ctx.state.practiceTitle == m_joinedTitle)
        m_runStart = run->startTime();
    if (!m_runStart.isValid() || run->startTime() != m_runStart || !run->isStarted())
        return;
    const int typed = run->figures().characters;
    if (typed != m_sentCharacters) {
        m_sentCharacters = typed;
        m_session->sendProgress(m_joinedRace, typed);
    }
}

void ClubWindow::runEnded(const RunFigures &figures)
{
    // A run too short for the follow timer to have seen it start is known by its title.
    const bool ours = m_runStart.isValid() ? m_run && m_run->startTime() == m_runStart
                                           : m_ctx.state.practiceTitle == m_joinedTitle;
    if (m_joinedRace == 0 || !ours)
        return;
    const qint64 race = m_joinedRace;
    m_joinedRace = 0;
    m_follow->stop();
    if (figures.characters <= 0)
        return;
    m_session->sendProgress(race, figures.characters);
    const ClubResult result = ResultFromRun(figures, race, m_session->identity().login, m_ctx.clock.now());
    const ClubStatus status = m_session->submit(result);
    if (!status.ok())
        warn(status.message);
    else if (m_session->pendingResults() > 0)
        statusLabel->setText(QStringLiteral("成绩已保存在本机，连上服务器后自动提交。"));
}

QString ClubWindow::askTitle(const QString &suggestion)
{
    bool ok = false;
    const QString title = QInputDialog::getText(this, kTitle, QStringLiteral("文章标题："), QLineEdit::Normal,
                                                suggestion.left(kMaxClubTitle), &ok);
    return ok ? title.trimmed() : QString();
}

bool ClubWindow::postPassage(const QString &title, const QString &body)
{
    QString refusal = CheckClubTitle(title);
    if (refusal.isEmpty())
        refusal = CheckPassage(body);
    if (!refusal.isEmpty()) {
        warn(refusal);
        return false;
    }
    if (!perform([&](QSqlDatabase &db) { return PostPassage(db, title, body); }))
        return false;
    reloadPassages();
    return true;
}

void ClubWindow::postFromFile()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("选择文章"), QString(),
                                                      QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
    if (file.isEmpty())
        return;
    const TextReadResult read = ReadTextFile(file, true);
    if (!read.ok) {
        warn(QStringLiteral("无法读取“%1”：%2").arg(file, read.error));
        return;
    }
    QString body = read.text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Refused before asking for a title: a huge file is not worth naming.
    if (const QString refusal = CheckPassage(body); !refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    const QString title = askTitle(QFileInfo(file).completeBaseName());
    if (!title.isEmpty())
        postPassage(title, body.trimmed());
}

void ClubWindow::postFromClipboard()
{
    const QString body = QApplication::clipboard()->text();
    if (const QString refusal = CheckPassage(body); !refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    const QString title = askTitle(body.trimmed().section(QLatin1Char('\n'), 0, 0));
    if (!title.isEmpty())
        postPassage(title, body.trimmed());
}

void ClubWindow::openRaceOnPassage()
{
    if (passageBox->currentIndex() < 0) {
        warn(QStringLiteral("还没有文章，请先发布一篇。"));
        return;
    }
    const qint64 passage = passageBox->currentData().toLongLong();
    const QString title = passageBox->currentText();
    if (perform([&](QSqlDatabase &db) { return OpenRace(db, passage, title); }))
        reloadRaces();
}

void ClubWindow::closeSelectedRace()
{
    const qint64 race = selectedRace();
    if (race == 0)
        return;
    if (QMessageBox::question(this, kTitle, QStringLiteral("结束比赛“%1”？结束后不能再参加。").arg(raceList->currentItem()->text()),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (perform([&](QSqlDatabase &db) { return CloseRace(db, race); }))
        reloadRaces();
}

bool ClubWindow::enrolMember(const QString &login, const QString &displayName, const QString &className)
{
    QString refusal = CheckClubLogin(login);
    if (refusal.isEmpty())
        refusal = CheckClubName(displayName);
    if (refusal.isEmpty() && !className.isEmpty())
        refusal = CheckClubName(className);
    if (!refusal.isEmpty()) {
        warn(refusal);
        return false;
    }
    return perform([&](QSqlDatabase &db) { return AddMember(db, login, displayName, className, false); });
}

void ClubWindow::askMember()
{
    bool ok = false;
    const QString login = QInputDialog::getText(this, kTitle, QStringLiteral("成员的登录名（服务器上的数据库用户名）："),
                                                QLineEdit::Normal, QString(), &ok).trimmed();
    if (!ok || login.isEmpty())
        return;
    const QString name = QInputDialog::getText(this, kTitle, QStringLiteral("显示的名字："), QLineEdit::Normal, login, &ok).trimmed();
    if (!ok)
        return;
    const QString className = QInputDialog::getText(this, kTitle, QStringLiteral("班级（可以不填）："), QLineEdit::Normal,
                                                    QString(), &ok).trimmed();
    if (ok && enrolMember(login, name, className))
        QMessageBox::information(this, kTitle, QStringLiteral("已登记成员“%1”。").arg(name));
}
