// One run, one set of figures: a Wubi drill typed through the built-in
// composer and saved in the result window has the same characters, time and
// speed in the record file and in the progress statistics, under the drill's
// own kind and under the name it was saved under, also when that name is
// typed in the result window after part of the run was already written.
#include "../../wubi/ui/WubiHarness.h"
#include "practice/PracticeState.h"
#include "practice/ui/RunLimitsDialog.h"
#include "practice/ui/RunPanel.h"
#include "progress/StoreTally.h"
#include "progress/ui/ProgressService.h"
#include "records/RecordFile.h"
#include "records/ui/ResultWindow.h"
#include "shell/ui/ComposerInput.h"
#include "support/ModalScript.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace {

struct ComposedDrill {
    WubiHarness &h;
    ModalAnswerer answerer;
    // "记录已成功保存" comes up inside the answerer's handler: its own timer answers it.
    MessageBoxScript saved{{QMessageBox::Ok}};
    QString saveAs;          // the name typed in the result window
    std::function<void()> midRun; // called once, half-way through

    explicit ComposedDrill(WubiHarness &harness) : h(harness)
    {
        answerer.handle = [this](QWidget *w) {
            if (auto *settings = qobject_cast<RunLimitsDialog *>(w)) {
                settings->limitKindButtons[0]->click();
                settings->countLimitBox->setText(QStringLiteral("8"));
                settings->confirmLimits();
            } else if (auto *start = qobject_cast<StartDialog *>(w)) {
                h.stopStatusTimers();
                start->startOnEnter(Qt::Key_Return);
            } else if (auto *result = qobject_cast<ResultWindow *>(w)) {
                result->nameBox()->setText(saveAs);
                result->saveResult();
            }
        };
    }

    RunPanel *status() const { return qobject_cast<RunPanel *>(h.shell.window(ManagedWindow::RunPanel)); }

    // Types `c` into the active input line with the composer's keys: its
    // code, then the candidate's number when the code alone does not commit it.
    void typeCharacter(ComposerMode &mode, QChar c)
    {
        QWidget *input = h.line()->input(h.state.activeLine);
        QVERIFY(LookUpCode(h.state, QString(c), true));
        for (QChar letter : h.state.lookupCode) {
            QTest::keyClick(input, letter.toLatin1());
            if (!mode.composer().composing())
                return;
        }
        const QVector<CodeEntry> &candidates = mode.composer().pageCandidates();
        for (int i = 0; i < candidates.size(); ++i) {
            if (candidates[i].word == QString(c)) {
                QTest::keyClick(input, i == 0 ? ' ' : char('1' + i));
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("%1 is not among the candidates of %2").arg(c).arg(h.state.lookupCode)));
    }

    // The key-name drill from its menu command, typed to its end two seconds
    // a character.
    void run(ComposerMode &mode)
    {
        QVERIFY(h.shell.runCommand(QStringLiteral("wubi.keyNames")));
        QVERIFY(h.runStarted());
        int typed = 0;
        while (h.runStarted()) {
            const int line = h.state.activeLine;
            const QString reference = h.line()->reference(line)->text();
            const QString done = h.line()->input(line)->text();
            QVERIFY2(done.size() < reference.size(), qPrintable(QStringLiteral("%1 / %2 line %3 [%4|%5|%6] pending %7").arg(reference, done).arg(line).arg(h.line()->reference(0)->text(), h.line()->reference(1)->text(), h.line()->reference(2)->text(), h.state.pendingText)));
            h.clock.advanceSeconds(2);
            status()->tickClock();
            status()->tickFigures();
            typeCharacter(mode, reference.at(done.size()));
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(h.line()->input(line)->text().size() > done.size() || h.state.activeLine != line
                         || !h.runStarted(),
                     qPrintable(QStringLiteral("%1 did not reach the input line").arg(reference.at(done.size()))));
            if (++typed == 4 && midRun)
                midRun();
        }
    }
};

RunSummary OnlyRunOf(const QVector<RunSummary> &runs, const QString &learner)
{
    RunSummary found;
    int n = 0;
    for (const RunSummary &r : runs)
        if (r.learner == learner && ++n)
            found = r;
    return n == 1 ? found : RunSummary{};
}

qint64 AttemptsOf(const ProgressStore &store, const QString &learner)
{
    qint64 n = 0;
    for (const ItemStat &s : store.itemStats(learner))
        n += s.tally.attempts;
    return n;
}

int SecondsOfTimeUsed(const QString &timeUsed)
{
    const QStringList parts = timeUsed.trimmed().split(QLatin1Char(':'));
    return parts.size() == 3 ? parts[0].toInt() * 3600 + parts[1].toInt() * 60 + parts[2].toInt() : -1;
}

} // namespace

class RunStatisticsTest : public QObject {
    Q_OBJECT
private slots:
    void savedDrillAgreesWithItsStatisticsUnderItsName()
    {
        WubiHarness h;
        h.clock.set(QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0)));
        h.settings.write(QStringLiteral("Wubi"), QStringLiteral("Composer"), QStringLiteral("86"));
        auto *mode = new ComposerMode(h.ctx, h.shell.mainWindow());
        ProgressService progress(h.ctx, QDir(h.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")),
                                 nullptr);
        h.settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("小明"));

        h.shell.mainWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.shell.mainWindow()));
        {
            ComposedDrill first(h);
            first.saveAs = QStringLiteral("小明");
            first.run(*mode);
            if (QTest::currentTestFailed())
                return;
        }
        const std::vector<TypingRecord> records = ReadAllRecords(h.ctx.paths.recordFile()).records;
        QCOMPARE(records.size(), size_t(1));
        const TypingRecord &saved = records[0];
        const RunSummary stored = OnlyRunOf(progress.runSummaries(), QStringLiteral("小明"));
        QCOMPARE(stored.kind, exercise::kWubiKeyNames);
        QCOMPARE(stored.characters, saved.total);
        QVERIFY(saved.total >= 8);
        QCOMPARE(stored.durationMs / 1000, qint64(SecondsOfTimeUsed(saved.timeUsed)));
        QVERIFY(stored.durationMs >= 2000 * saved.total);
        QCOMPARE(qRound(stored.speed()), saved.speed);
        QVERIFY(saved.speed > 0);
        QCOMPARE(AttemptsOf(progress.store(), QStringLiteral("小明")), qint64(saved.total));

        // A second run, written in part while it goes on, saved under a new
        // name: all of it goes to that name, nothing stays with the first.
        ComposedDrill second(h);
        second.saveAs = QStringLiteral("小红");
        second.midRun = [&] {
            progress.flush();
            QVERIFY(AttemptsOf(progress.store(), QStringLiteral("小明")) > qint64(saved.total));
        };
        second.run(*mode);
        if (QTest::currentTestFailed())
            return;
        const RunSummary moved = OnlyRunOf(progress.runSummaries(), QStringLiteral("小红"));
        const std::vector<TypingRecord> both = ReadAllRecords(h.ctx.paths.recordFile()).records;
        QCOMPARE(both.size(), size_t(2));
        QCOMPARE(moved.kind, exercise::kWubiKeyNames);
        QCOMPARE(moved.characters, both[1].total);
        QCOMPARE(AttemptsOf(progress.store(), QStringLiteral("小红")), qint64(both[1].total));
        QCOMPARE(AttemptsOf(progress.store(), QStringLiteral("小明")), qint64(saved.total));
        QCOMPARE(OnlyRunOf(progress.runSummaries(), QStringLiteral("小明")).characters, saved.total);
    }
};

QTEST_MAIN(RunStatisticsTest)
#include "run_statistics.moc"
