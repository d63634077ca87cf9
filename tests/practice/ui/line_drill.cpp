// Generated drills in the line-by-line window: pages come from the drill
// generator under the character budget, and the status strip offers the
// Wubi hints for characters the table knows.
#include "PracticeHarness.h"
#include "data/CodeTable.h"
#include "wubi/Wubi.h"

#include <QtTest>

class LineDrillTest : public QObject {
    Q_OBJECT
private:
    // Types every reference line of the page, right, one character at a time.
    static void typePage(PracticeHarness &h)
    {
        for (int i = 0; i < LinePracticeWindow::kLines && h.runStarted(); ++i) {
            const QString reference = h.line->reference(i)->text();
            if (reference.isEmpty())
                break;
            h.commitEach(i, reference);
        }
    }
    static void startDrill(PracticeHarness &h, int budget, bool unlimited)
    {
        h.state.generatedDrill = true;
        h.state.randomCharDrill = true;
        h.state.drillPool = QStringLiteral("工了以在有地一上不是中国同民为这我的要和");
        h.state.charsGenerated = 0;
        h.state.charBudget = budget;
        h.state.unlimitedRun = unlimited;
        h.startRun(wubi::CharacterDrillText(h.state, h.state.drillPool, 30, 4, h.random));
    }

private slots:
    void countedDrillEndsWhenTheBudgetIsTyped()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        startDrill(h, 150, false);
        QCOMPARE(h.line->reference(3)->charCount(), 30);
        typePage(h);
        // The second page holds the 30 characters left in the budget.
        QVERIFY(h.runStarted());
        QCOMPARE(h.line->reference(0)->charCount(), 30);
        QCOMPARE(h.line->reference(1)->charCount(), 0);
        QCOMPARE(h.state.charsGenerated, 150);
        typePage(h);
        QVERIFY(!h.runStarted());
        QCOMPARE(watcher.reports.size(), size_t(1));
        QCOMPARE(watcher.reports[0].values[3], QStringLiteral("150"));
        QCOMPARE(watcher.reports[0].values[4], QStringLiteral("100.00%"));
    }

    void unlimitedDrillGrowsItsBudget()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        startDrill(h, 120, true);
        for (int page = 0; page < 3; ++page)
            typePage(h);
        QVERIFY(h.runStarted());
        QCOMPARE(h.state.charBudget, 480);
        QCOMPARE(h.state.charsGenerated, 480);
        QCOMPARE(h.line->reference(3)->charCount(), 30);
        QVERIFY(watcher.titles.isEmpty());
    }

    void fileTextIsNotReplacedByTheGenerator()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        h.state.randomCharDrill = true; // left over, but this is a file practice
        h.state.drillPool = QStringLiteral("工");
        h.startRun(QStringLiteral("一\r\n二\r\n三\r\n四\r\n五\r\n"));
        h.commitEach(0, QStringLiteral("一"));
        h.commitEach(1, QStringLiteral("二"));
        h.commitEach(2, QStringLiteral("三"));
        h.commitEach(3, QStringLiteral("四"));
        QCOMPARE(h.line->reference(0)->text(), QStringLiteral("五"));
    }

    void statusStripOffersTheHints()
    {
        PracticeHarness h;
        const QStringList problems = LoadCodeTables(TestEnv::dataRoot(), true, false, h.state.tables);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        h.state.generatedDrill = true;
        h.startRun(QStringLiteral("工。\r\n"));
        QCOMPARE(h.shell.statusMessage,
                 QStringLiteral("F5显示五笔86版打法提示  F6显示五笔98版打法提示  Alt+?、Ctrl+Alt+? 显示?键86、98版字根卡片"));
        h.commit(0, QStringLiteral("工"));
        QCOMPARE(h.line->expectedChar(), QStringLiteral("。"));
        QVERIFY(h.shell.statusMessage.isEmpty()); // no entry for the mark

        // File practice: the strip is left alone.
        h.state.generatedDrill = false;
        h.shell.statusMessage = QStringLiteral("unchanged");
        h.line->reference(0)->select(0);
        QCOMPARE(h.shell.statusMessage, QStringLiteral("unchanged"));
    }
};

QTEST_MAIN(LineDrillTest)
#include "line_drill.moc"
