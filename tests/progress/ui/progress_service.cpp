// The progress log as the practice windows feed it: line practice keystrokes
// reach the statistics of the current learner, written in a batch when the
// run ends; a damaged database leaves a note and practice goes on.
#include "keyboard/KeyCodes.h"
#include "keyboard/ui/KeyDrillWindow.h"
#include "keyboard/ui/KeyboardRegistration.h"
#include "practice/ui/PracticeHarness.h"
#include "progress/ui/ProgressCommands.h"
#include "progress/ui/ProgressService.h"
#include "progress/StoreTally.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

QString DatabaseIn(const TestContext &t) { return QDir(t.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")); }

} // namespace

class ProgressServiceTest : public QObject {
    Q_OBJECT
private slots:
    void linePracticeKeystrokesReachTheLearnersStatistics()
    {
        PracticeHarness h;
        h.settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("小明"));
        ProgressService progress(h.ctx, DatabaseIn(h), nullptr);
        QCOMPARE(h.ctx.progressLog, &progress);
        h.startRun(QStringLiteral("的的是\r\n"));
        h.clock.advanceMs(400);
        h.commit(0, QStringLiteral("的"));
        h.clock.advanceMs(600);
        h.commit(0, QStringLiteral("地")); // wrong, erased, typed again
        h.backspace(0);
        h.clock.advanceMs(200);
        h.commit(0, QStringLiteral("的"));
        // Nothing is written keystroke by keystroke.
        QVERIFY(progress.store().itemStats(QStringLiteral("小明")).isEmpty());

        ModalWatcher watcher; // closes the report that ends the run
        h.commit(0, QStringLiteral("是"));
        QVERIFY(h.shell.statusMessage.isEmpty() || !h.shell.statusMessage.contains(QStringLiteral("数据库")));
        const ItemTally de = TallyOf(progress.store(), QStringLiteral("小明"), QStringLiteral("的"), exercise::kLine);
        QCOMPARE(de.attempts, 3);
        QCOMPARE(de.errors, 1);
        QCOMPARE(de.intervalMs, 600 + 200);
        QCOMPARE(TallyOf(progress.store(), QStringLiteral("小明"), QStringLiteral("是"), exercise::kLine).attempts, 1);
        const QVector<RunSummary> runs = progress.runSummaries();
        // The run keeps the report's figures: three characters stand typed,
        // the wrong one was taken back; the tallies above keep the slip.
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].characters, 3);
        QCOMPARE(runs[0].errors, 0);
        QCOMPARE(runs[0].learner, QStringLiteral("小明"));
    }

    void damagedDatabaseLeavesANoteAndPracticeGoesOn()
    {
        PracticeHarness h;
        {
            QFile damaged(DatabaseIn(h));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(QByteArray(8192, '\x5a'));
        }
        // The database is opened when a run starts, so the first keystroke
        // never waits for it.
        ProgressService progress(h.ctx, DatabaseIn(h), nullptr);
        QVERIFY(!h.shell.statusMessage.contains(QStringLiteral("学习进度数据库"))); // no note before the run
        h.startRun(QStringLiteral("你好\r\n春眠\r\n"));
        QVERIFY(h.shell.statusMessage.contains(QStringLiteral("学习进度数据库")));
        h.commit(0, QStringLiteral("你好"));
        QVERIFY(h.shell.statusMessage.contains(QStringLiteral("学习进度数据库")));
        QVERIFY(h.shell.statusMessage.contains(QStringLiteral("练习照常进行")));
        QCOMPARE(h.state.activeLine, 1);
        QVERIFY(progress.runSummaries().isEmpty());
        QCOMPARE(QFile(DatabaseIn(h)).size(), 8192); // left as it was
    }

    // A learner who misses 的 finds it more often in the weak-character and
    // weak-phrase pools; without statistics the drill says so and offers the
    // ordinary one.
    // A keystroke never waits for a write: a full batch is written in the
    // gap after the keystroke that filled it, and the periodic write waits
    // for a pause in the typing or for the next keystroke.
    void writesWaitForAGapBetweenKeystrokes()
    {
        TestContext t;
        t.settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("小明"));
        ProgressService progress(t.ctx, DatabaseIn(t), nullptr);
        auto written = [&progress] {
            return TallyOf(progress.store(), QStringLiteral("小明"), QStringLiteral("的"), exercise::kLine).attempts;
        };
        auto type = [&] {
            const int before = written();
            progress.recordKeystroke(exercise::kLine, QStringLiteral("的"), true);
            QCOMPARE(written(), before); // nothing is written inside a keystroke
        };
        const int batch = KeystrokeCollector::kBatchKeystrokes;
        for (int i = 0; i < batch; ++i)
            type();
        QTRY_COMPARE_WITH_TIMEOUT(written(), batch, 1000);

        // Typing on at ten keys a second: the periodic write comes between two of them.
        QElapsedTimer typing;
        typing.start();
        while (written() == batch && typing.elapsed() < ProgressService::kFlushIntervalMs + 2000) {
            type();
            QTest::qWait(100);
        }
        QVERIFY(written() > batch);
        QVERIFY(typing.elapsed() >= ProgressService::kFlushIntervalMs * 9 / 10); // a coarse timer may fire 5% early
    }

    void weakSpotPoolsFavourWhatTheLearnerMisses()
    {
        TestContext t;
        ProgressService progress(t.ctx, DatabaseIn(t), nullptr);
        RegisterProgressCommands(t.ctx, t.shell, progress);
        ModalWatcher watcher;
        watcher.handle = [](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                box->button(QMessageBox::No)->click();
            return qobject_cast<QMessageBox *>(w) != nullptr;
        };
        QVERIFY(t.shell.runCommand(QStringLiteral("other.weakChars")));
        QCOMPARE(watcher.titles, QStringList{QStringLiteral("薄弱字练习")});
        QVERIFY(watcher.messages.first().contains(QStringLiteral("中文逐行对打")));
        QVERIFY(!t.state.shown(ManagedWindow::LinePracticeWindow));

        const QString characters = QStringLiteral("的一是在不了有和人这");
        for (int round = 0; round < 20; ++round)
            for (int i = 0; i < characters.size(); ++i) {
                t.clock.advanceMs(300);
                progress.recordKeystroke(exercise::kLine, characters.mid(i, 1), !(i == 0 && round % 2 == 0));
            }
        progress.endRun();
        const QString pool = WeakCharacterPool(progress, t.random);
        QCOMPARE(pool.size(), 1000);
        QVERIFY2(pool.count(QStringLiteral("的")) > 250, qPrintable(QString::number(pool.count(QStringLiteral("的")))));

        const QString phrases = WeakPhrasePool(progress, QStringLiteral("我们目的人民火车是的"), t.random);
        QCOMPARE(phrases.size(), 2000);
        QVERIFY(!phrases.contains(QStringLiteral("火车")));     // no character the learner typed
        QVERIFY(phrases.count(QStringLiteral("目的")) > phrases.count(QStringLiteral("人民")));
    }

    // Key drills feed the weak-key drill: a learner who misses F in the
    // key-position drill gets F far more often, every other key still comes
    // up now and then, and the ordinary drill comes back unchanged. Without
    // key statistics the drill says so and offers the ordinary one.
    void weakKeyDrillFavoursTheKeysTheLearnerMisses()
    {
        TestContext t;
        ProgressService progress(t.ctx, DatabaseIn(t), nullptr);
        RegisterProgressCommands(t.ctx, t.shell, progress);
        RegisterKeyboard(t.ctx, t.shell);
        ModalWatcher watcher;
        watcher.handle = [](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                box->button(QMessageBox::No)->click();
            return qobject_cast<QMessageBox *>(w) != nullptr;
        };
        progress.recordKeystroke(exercise::kKeypad, QStringLiteral("7"), false); // another drill's keys
        QVERIFY(t.shell.runCommand(QStringLiteral("other.weakKeys")));
        QCOMPARE(watcher.titles, QStringList{QStringLiteral("薄弱键练习")});
        QVERIFY(watcher.messages.first().contains(QStringLiteral("打字键区键位练习")));
        QVERIFY(!t.state.shown(ManagedWindow::KeyDrillWindow));

        // The ordinary drill: F is missed (G struck first) every time it comes.
        QVERIFY(t.shell.runCommand(QStringLiteral("keyboard.positions")));
        auto *w = qobject_cast<KeyDrillWindow *>(t.shell.window(ManagedWindow::KeyDrillWindow));
        QVERIFY(w);
        const auto hitTargets = [&](int hits) {
            QHash<int, int> targets;
            for (int i = 0; i < hits; ++i) {
                const int target = w->drill().target();
                ++targets[target];
                if (target == 'F') {
                    t.clock.advanceMs(900);
                    w->keyUp('G');
                }
                t.clock.advanceMs(300);
                w->keyUp(target);
            }
            return targets;
        };
        const QHash<int, int> ordinary = hitTargets(600);
        QVERIFY(ordinary.value('F') > 0);
        QVERIFY(!ordinary.contains(vk::Tab)); // the typing area only

        QVERIFY(t.shell.runCommand(QStringLiteral("other.weakKeys")));
        QCOMPARE(t.shell.window(ManagedWindow::KeyDrillWindow), w);
        QVERIFY(w->weakKeyDrill());
        QVERIFY(w->weakKeysCaption()->isVisibleTo(w));
        QCOMPARE(w->weakKeysCaption()->text(), QStringLiteral("薄弱键练习"));
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f); // a fresh run
        w->keyUp(vk::F4); // the weak drill keeps its own targets
        QHash<int, int> weak = hitTargets(2000);
        const int f = weak.take('F');
        int mostOther = 0;
        for (int count : std::as_const(weak))
            mostOther = qMax(mostOther, count);
        QVERIFY2(f > 5 * mostOther, qPrintable(QStringLiteral("F %1, other %2").arg(f).arg(mostOther)));
        QCOMPARE(weak.size(), 41); // every other key of the typing area still comes
        QVERIFY(!weak.contains(vk::Tab));

        QVERIFY(t.shell.runCommand(QStringLiteral("keyboard.positions")));
        QVERIFY(!w->weakKeyDrill());
        QVERIFY(!w->weakKeysCaption()->isVisibleTo(w));
        QCOMPARE(watcher.titles.size(), 1);
    }
};

QTEST_MAIN(ProgressServiceTest)
#include "progress_service.moc"
