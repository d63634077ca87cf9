#include "progress/ui/ProgressService.h"

#include "data/Clock.h"
#include "data/Settings.h"
#include "practice/Passage.h"
#include "practice/PracticeState.h"
#include "progress/ui/PassageRankingWindow.h"
#include "shell/Shell.h"
#include "shell/ui/ComposerInput.h"

#include <QTimer>

ProgressService::ProgressService(AppContext &ctx, const QString &databasePath, QObject *owner)
    : ContextService(ctx, &AppContext::progressLog, owner), m_databasePath(databasePath)
{
    // Written a few seconds after the first keystroke gathered, in a gap
    // between keystrokes (a write takes about a millisecond, and a keystroke
    // arriving meanwhile would wait for it); no timer runs while nothing
    // waits to be written.
    m_flushTimer = new QTimer(this);
    m_flushTimer->setSingleShot(true);
    connect(m_flushTimer, &QTimer::timeout, this, [this] {
        if (!m_collector.hasPending())
            return;
        const bool typing = m_sinceKeystroke.isValid() && m_sinceKeystroke.elapsed() < kTypingPauseMs;
        if (typing && !m_flushDue) {
            m_flushDue = true;
            m_flushTimer->start(kTypingPauseMs);
            return;
        }
        flush();
    });
}

bool ProgressService::recording() const
{
    // The database is opened when it is first needed, not at start-up.
    if (!m_opened) {
        m_opened = true;
        m_recording = m_store.open(m_databasePath);
        if (!m_recording)
            stopRecording();
    }
    return m_recording;
}

const ProgressStore &ProgressService::store() const
{
    recording();
    return m_store;
}

ProgressService::~ProgressService()
{
    endRun();
}

QString ProgressService::learner() const
{
    // The name last chosen in the learner dialog or saved in the result window.
    return m_ctx.settings.read(QStringLiteral("User"), QStringLiteral("Name")).trimmed();
}

void ProgressService::prepareRun()
{
    recording();
}

void ProgressService::recordKeystroke(const QString &kind, const QString &expected, bool right)
{
    if (!recording())
        return;
    m_collector.setMethod(methodOf(kind));
    m_collector.record(kind, expected, right, m_ctx.clock.now().toMSecsSinceEpoch());
    m_sinceKeystroke.start();
    if (m_collector.batchDue())
        m_flushDue = true;
    if (m_flushDue) {
        if (!m_flushTimer->isActive() || m_flushTimer->remainingTime() > kAfterKeystrokeMs)
            m_flushTimer->start(kAfterKeystrokeMs);
    } else if (!m_flushTimer->isActive()) {
        m_flushTimer->start(kFlushIntervalMs);
    }
}

QString ProgressService::methodOf(const QString &kind) const
{
    // The drills that ask for keys, not text, are typed key by key.
    static const QStringList keyDrills{exercise::kKeys, exercise::kFingering, exercise::kKeypad,
                                       exercise::kRadicalDrill};
    if (keyDrills.contains(kind))
        return input_method::kKeys;
    const ComposerMode *composer = m_ctx.composer;
    return composer && composer->isOn() ? composer->methodKey() : input_method::kSystem;
}

void ProgressService::setComposerKeys(int keys)
{
    if (recording())
        m_collector.setComposerKeys(keys);
}

void ProgressService::endRun()
{
    // Nothing was gathered while the database stayed closed.
    if (!m_opened || !m_recording)
        return;
    m_collector.endRun();
    flush();
    writeConfusions();
}

void ProgressService::endReportedRun(const RunSummary &reported)
{
    if (!recording())
        return;
    if (reported.kind.isEmpty())
        return endRun();
    // Written so far under another name: the result was saved under a new
    // one, and the whole run goes there.
    const QString now = learner();
    const QString before = m_collector.latestRunLearner();
    if (m_collector.latestRunId() > 0 && before != now) {
        if (!writeGathered(before))
            return;
        if (!m_store.moveRun(m_collector.latestRunId(), before, now, m_collector.latestRunItems()))
            return reportWriteFailure();
        m_collector.setLatestRunLearner(now);
    }
    m_collector.endRun(reported);
    flush();
    writeConfusions();
    recordGoalTry(reported);
    if (reported.kind == exercise::kPassage)
        keepPassageTry(reported);
}

void ProgressService::keepPassageTry(const RunSummary &reported)
{
    const PracticeState &s = m_ctx.state;
    if (s.passageText.isEmpty())
        return;
    PassageTry attempt;
    attempt.at = reported.start;
    attempt.speed = reported.speed();
    attempt.characters = reported.characters;
    attempt.accuracy = reported.characters > 0
                           ? 100.0 * double(reported.characters - reported.errors) / double(reported.characters)
                           : 0.0;
    const QString key = PassageKey(s.passageText);
    if (!m_store.addPassageTry(learner(), key, s.passageTitle, attempt))
        return reportWriteFailure();
    ShowPassageRanking(m_ctx.shell ? m_ctx.shell->mainWindow() : nullptr, m_store, learner(), s.passageTitle, key,
                       attempt.id);
}

void ProgressService::recordPinyinMistakes(const QVector<ConfusionStat> &seen)
{
    if (recording())
        m_confusions += seen;
}

void ProgressService::writeConfusions()
{
    if (m_confusions.isEmpty())
        return;
    // Kept for the next run's end when the file is busy.
    if (m_store.addConfusions(learner(), m_confusions))
        m_confusions.clear();
    else
        reportWriteFailure();
}

PracticeGoal ProgressService::currentGoal() const
{
    if (!recording() || m_ctx.state.practiceTitle.isEmpty())
        return {};
    return m_store.goal(learner(), m_ctx.state.practiceTitle);
}

bool ProgressService::setGoal(double targetSpeed, double targetAccuracy)
{
    if (!recording() || m_ctx.state.practiceTitle.isEmpty())
        return false;
    PracticeGoal goal;
    goal.material = m_ctx.state.practiceTitle;
    goal.targetSpeed = targetSpeed;
    goal.targetAccuracy = targetAccuracy;
    return m_store.saveGoal(learner(), goal);
}

void ProgressService::recordGoalTry(const RunSummary &run)
{
    PracticeGoal goal = currentGoal();
    if (!goal.isSet() || !goal.isOpen() || run.characters <= 0)
        return;
    const double accuracy = 100.0 * double(run.characters - run.errors) / double(run.characters);
    const bool reached = RecordGoalTry(goal, run.speed(), accuracy, m_ctx.clock.now());
    if (!m_store.saveGoal(learner(), goal))
        return reportWriteFailure();
    if (m_ctx.shell)
        m_ctx.shell->setStatusMessage(reached ? QStringLiteral("目标达到！") + GoalText(goal)
                                              : QStringLiteral("未达目标，再练一次。") + GoalText(goal));
}

bool ProgressService::flush()
{
    return recording() && writeGathered(learner());
}

bool ProgressService::writeGathered(const QString &who)
{
    m_flushDue = false;
    ProgressBatch batch = m_collector.take(who);
    // A failed write keeps its batch for the next flush; the learner hears
    // of it only when it keeps failing.
    constexpr int kFailuresBeforeMessage = 3;
    if (!m_store.write(batch)) {
        if (m_store.failedWrites() == kFailuresBeforeMessage)
            reportWriteFailure();
        m_flushTimer->start(kFlushIntervalMs);
        return false;
    }
    m_collector.noteWritten(batch);
    recordReviews(who, batch.items);
    return true;
}

QSet<QString> ProgressService::knownCharacters()
{
    QSet<QString> known;
    if (!flush())
        return known;
    QHash<QString, ItemTally> byCharacter;
    for (const ItemStat &s : m_store.itemStats(learner()))
        if (IsChineseCharacter(s.item))
            byCharacter[s.item].add(s.tally);
    for (auto it = byCharacter.cbegin(); it != byCharacter.cend(); ++it)
        if (it->attempts >= 3 && it->errors * 10 <= it->attempts)
            known.insert(it.key());
    return known;
}

void ProgressService::noteLongerCode(const QString &word)
{
    if (recording() && !word.isEmpty())
        m_longerCodes.append(word);
}

void ProgressService::recordReviews(const QString &learner, const ItemTallies &items)
{
    QVector<ReviewObservation> seen = ObserveTallies(items);
    if (seen.isEmpty() && m_longerCodes.isEmpty())
        return;
    // A phrase in the notebook counts as typed right when each of its
    // characters was, and no longer code was noted for it.
    QHash<QString, bool> charactersRight;
    for (const ReviewObservation &o : std::as_const(seen))
        if (o.kind == review::kCharacter)
            charactersRight.insert(o.item, o.outcome == ReviewOutcome::Right);
    for (const ReviewItem &phrase : m_store.reviewItems(learner, m_ctx.clock.now().date(), review::kPhrase)) {
        bool right = !m_longerCodes.contains(phrase.item);
        for (const QChar c : phrase.item)
            right = right && charactersRight.value(QString(c), false);
        if (right)
            seen.append({review::kPhrase, phrase.item, ReviewOutcome::Right});
    }
    for (const QString &word : std::as_const(m_longerCodes))
        seen.append({word.size() == 1 ? review::kCharacter : review::kPhrase, word, ReviewOutcome::Missed});
    m_longerCodes.clear();
    if (!m_store.recordReviews(learner, seen, m_ctx.clock.now().date()))
        reportWriteFailure();
}

bool ProgressService::adoptUnnamed(const QString &name)
{
    if (!flush())
        return false;
    if (!m_store.mergeLearner(QString(), name)) {
        reportWriteFailure();
        return false;
    }
    return true;
}

QVector<RunSummary> ProgressService::runSummaries()
{
    flush();
    return m_store.runs();
}

void ProgressService::reportWriteFailure() const
{
    if (m_ctx.shell)
        m_ctx.shell->setStatusMessage(m_store.error() + QStringLiteral("，练习照常进行"));
}

void ProgressService::stopRecording() const
{
    m_recording = false;
    if (m_ctx.shell)
        m_ctx.shell->setStatusMessage(m_store.error() + QStringLiteral("，练习照常进行"));
}
