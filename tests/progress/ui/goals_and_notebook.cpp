// Goals on a passage: runs below the target leave the goal open and count as
// tries, the first run at or above both targets ends it, and the goal with
// its tries and best result outlives the program. And what the composer notes
// as typed with a longer code reaches the review notebook.
#include "progress/ui/ProgressService.h"
#include "support/TestContext.h"

#include <QDir>
#include <QTest>

namespace {

QString DatabaseIn(const TestContext &t) { return QDir(t.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")); }

// A reported text run of `characters` with `errors` at `speed` characters a minute.
void Report(TestContext &t, ProgressService &progress, double speed, int characters, int errors)
{
    RunSummary run;
    run.kind = exercise::kText;
    run.start = t.clock.now();
    run.durationMs = qint64(characters * 60000.0 / speed);
    run.characters = characters;
    run.errors = errors;
    run.reportedSpeed = speed;
    t.clock.advanceSeconds(120);
    progress.endReportedRun(run);
}

} // namespace

class GoalsTest : public QObject {
    Q_OBJECT
private slots:
    void runsBelowTargetKeepTheGoalOpenOneAboveEndsIt()
    {
        TestContext t;
        t.settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("小林"));
        {
            ProgressService progress(t.ctx, DatabaseIn(t), nullptr);
            t.state.practiceTitle = QStringLiteral("静夜思");
            QVERIFY(!progress.currentGoal().isSet());
            QVERIFY(progress.setGoal(60, 95));

            Report(t, progress, 30, 100, 0); // too slow
            PracticeGoal goal = progress.currentGoal();
            QVERIFY(goal.isOpen());
            QCOMPARE(goal.tries, 1);
            QVERIFY(t.shell.statusMessage.startsWith(QStringLiteral("未达目标")));
            Report(t, progress, 80, 100, 10); // fast, 90 % right
            goal = progress.currentGoal();
            QVERIFY(goal.isOpen());
            QCOMPARE(goal.tries, 2);
            QCOMPARE(goal.bestSpeed, 80.0);
            QCOMPARE(goal.bestAccuracy, 100.0);

            // Another passage has a goal of its own, none here.
            t.state.practiceTitle = QStringLiteral("春晓");
            Report(t, progress, 90, 100, 0);
            QVERIFY(!progress.currentGoal().isSet());
            t.state.practiceTitle = QStringLiteral("静夜思");

            Report(t, progress, 61, 100, 4); // both reached
            goal = progress.currentGoal();
            QVERIFY(!goal.isOpen());
            QCOMPARE(goal.tries, 3);
            QCOMPARE(goal.reached, t.clock.now());
            QVERIFY(t.shell.statusMessage.startsWith(QStringLiteral("目标达到")));
            Report(t, progress, 20, 100, 50); // after the goal: counts no more
        }
        ProgressService again(t.ctx, DatabaseIn(t), nullptr);
        const PracticeGoal kept = again.currentGoal();
        QCOMPARE(kept.tries, 3);
        QCOMPARE(kept.targetSpeed, 60.0);
        QCOMPARE(kept.targetAccuracy, 95.0);
        QVERIFY(!kept.isOpen());
        QVERIFY(GoalText(kept).contains(QStringLiteral("已练 3 次")));
    }

    void longerCodesEnterTheNotebook()
    {
        TestContext t;
        ProgressService progress(t.ctx, DatabaseIn(t), nullptr);
        progress.noteLongerCode(QStringLiteral("中国"));
        progress.noteLongerCode(QStringLiteral("的"));
        QVERIFY(progress.flush());
        progress.recordKeystroke(exercise::kText, QStringLiteral("人"), true); // a write without news
        QVERIFY(progress.flush());
        const QVector<ReviewItem> due = progress.store().reviewItems(QString(), t.clock.now().date().addDays(1));
        QCOMPARE(due.size(), 2);
        QCOMPARE(due[0].kind, review::kCharacter);
        QCOMPARE(due[0].item, QStringLiteral("的"));
        QCOMPARE(due[1].kind, review::kPhrase);
        QCOMPARE(due[1].item, QStringLiteral("中国"));
    }
};

QTEST_MAIN(GoalsTest)
#include "goals_and_notebook.moc"
