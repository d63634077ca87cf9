// The learning progress window over a known set of statistics: the charts
// hold one point per day and kind, the heat map reddens the keys missed, the
// weakest characters come with both editions' codes, the totals add up; with
// no statistics or no database it says so instead. Escape closes it.
#include "data/CodeTable.h"
#include "keyboard/KeyCodes.h"
#include "progress/ProgressStore.h"
#include "progress/ui/KeyHeatMap.h"
#include "progress/ui/ProgressCharts.h"
#include "progress/ui/ProgressService.h"
#include "progress/ui/ProgressWindow.h"
#include "progress/ui/Register.h"
#include "shell/ProgressLog.h"
#include "support/TestContext.h"

#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kLearner = QStringLiteral("小明");

QString DatabaseIn(const TestContext &t) { return QDir(t.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")); }

RunSummary Run(const QString &kind, const QString &start, qint64 seconds, int characters, int errors)
{
    RunSummary run;
    run.kind = kind;
    run.start = QDateTime::fromString(start, Qt::ISODate);
    run.durationMs = seconds * 1000;
    run.characters = characters;
    run.errors = errors;
    return run;
}

ItemTally Tally(qint64 attempts, qint64 errors)
{
    // Every item typed at the same pace: only the errors set them apart.
    return {attempts, errors, attempts * 500, attempts, QDateTime(QDate(2026, 3, 3), QTime(9, 0))};
}

// 小明 practised lines on 1 and 3 March and keys on 2 March; 李雷's race
// must not show.
void Seed(const QString &path)
{
    ProgressStore store;
    QVERIFY2(store.open(path), qPrintable(store.error()));
    ProgressBatch mine;
    mine.learner = kLearner;
    mine.runs = {Run(exercise::kLine, "2026-03-01T09:00:00", 60, 100, 5),
                 Run(exercise::kLine, "2026-03-01T20:00:00", 60, 60, 0),
                 Run(exercise::kKeys, "2026-03-02T10:00:00", 120, 300, 30),
                 Run(exercise::kLine, "2026-03-03T08:00:00", 30, 60, 10),
                 Run(exercise::kLine, "2026-03-03T08:10:00", 5, 40, 0)}; // too short for a best speed
    auto &line = mine.items[exercise::kLine];
    line.insert(QStringLiteral("的"), Tally(50, 20));
    line.insert(QStringLiteral("了"), Tally(50, 5));
    const QString steady = QStringLiteral("一二三四五六七八九十上下左右大小多少天地人");
    for (QChar c : steady)
        line.insert(QString(c), Tally(50, 0));
    line.insert(QStringLiteral("a"), Tally(40, 10)); // typed on the A key
    mine.items[exercise::kKeys].insert(QStringLiteral("F"), Tally(100, 40));
    const QDateTime seen(QDate(2026, 3, 3), QTime(9, 0));
    QVERIFY(store.addConfusions(kLearner, {{"s-sh", "sì", "shì", "四", "是", 2, seen},
                                           {"n-ng", "yīn", "yīng", "因", "英", 1, seen},
                                           {"s-sh", "shān", "sān", "山", "三", 1, seen}}));
    mine.items[exercise::kKeys].insert(QStringLiteral("J"), Tally(100, 0));
    QVERIFY(store.write(mine));
    ProgressBatch theirs;
    theirs.learner = QStringLiteral("李雷");
    theirs.runs = {Run(exercise::kRace, "2026-03-02T10:00:00", 60, 200, 1)};
    theirs.items[exercise::kLine].insert(QStringLiteral("我"), Tally(10, 10));
    QVERIFY(store.write(theirs));
}

// The points of the chart's line for `kind`, as (day, value).
QVector<QPair<QDate, double>> PointsOf(ProgressChart *chart, const QString &kind)
{
    for (const ChartLine &line : chart->lines())
        if (line.name == exercise::Caption(kind))
            return line.points;
    return {};
}

void ComparePoints(const QVector<QPair<QDate, double>> &actual, const QVector<QPair<QDate, double>> &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        QCOMPARE(actual[i].first, expected[i].first);
        QVERIFY2(qAbs(actual[i].second - expected[i].second) < 1e-6,
                 qPrintable(QStringLiteral("%1 != %2").arg(actual[i].second).arg(expected[i].second)));
    }
}

QString Cell(QTableWidget *table, int row, int column) { return table->item(row, column)->text(); }

ProgressWindow *OpenWindow(TestContext &t)
{
    RegisterProgress(t.ctx, t.shell);
    if (!t.shell.runCommand(QStringLiteral("other.progress")))
        return nullptr;
    return qobject_cast<ProgressWindow *>(t.shell.window(ManagedWindow::ProgressWindow));
}

} // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheLearnersProgress()
    {
        TestContext t;
        LoadCodeTables(TestEnv::dataRoot(), true, true, t.state.tables);
        t.settings.write(QStringLiteral("User"), QStringLiteral("Name"), kLearner);
        Seed(DatabaseIn(t));
        ProgressWindow *w = OpenWindow(t);
        QVERIFY(w);
        QVERIFY(t.state.shown(ManagedWindow::ProgressWindow));
        QVERIFY(!t.state.window(ManagedWindow::ProgressWindow).opening);
        QVERIFY(w->note()->isHidden());
        // Drawn by the chart module built beside the tests.
        QVERIFY(w->speedChart());
        QVERIFY(w->speedChart()->view()->inherits("QChartView"));
        QVERIFY(w->findChildren<QLabel *>(QStringLiteral("lblChartMissing")).isEmpty());

        // Speed: 160 characters in 2 minutes on the 1st; 100 in 35 s on the 3rd.
        ComparePoints(PointsOf(w->speedChart(), exercise::kLine),
                      {{QDate(2026, 3, 1), 80.0}, {QDate(2026, 3, 3), 100 * 60.0 / 35}});
        ComparePoints(PointsOf(w->speedChart(), exercise::kKeys), {{QDate(2026, 3, 2), 150.0}});
        ComparePoints(PointsOf(w->accuracyChart(), exercise::kLine),
                      {{QDate(2026, 3, 1), 100.0 * 155 / 160}, {QDate(2026, 3, 3), 90.0}});
        ComparePoints(PointsOf(w->accuracyChart(), exercise::kKeys), {{QDate(2026, 3, 2), 90.0}});
        QCOMPARE(w->speedChart()->lines().size(), 2); // not the other learner's race

        // The heat map: F (40 % missed) and A (typed "a", 25 %) hot, J cool,
        // Z never practised; the drawn caps show it.
        KeyHeatMap *heat = w->heatMap();
        QCOMPARE(heat->faceOf('Z'), KeyHeatMap::unpractisedColour());
        QCOMPARE(heat->faceOf('F'), KeyHeatMap::heatColour(1.0));
        QCOMPARE(heat->faceOf('A'), heat->faceOf('F'));
        QCOMPARE(heat->faceOf('J'), KeyHeatMap::heatColour(0.0));
        heat->resize(640, 260);
        const QImage picture = heat->grab().toImage();
        auto faceGreen = [&](int code) {
            const QRectF key = heat->keyRect(code);
            return QColor(picture.pixel((key.topLeft() + QPointF(7, 6)).toPoint())).green();
        };
        QVERIFY2(faceGreen('F') + 80 < faceGreen('J'), qPrintable(QStringLiteral("%1 %2").arg(faceGreen('F')).arg(faceGreen('J'))));

        // The twenty weakest characters: 的 then 了, with both editions' codes.
        QTableWidget *weakest = w->weakest();
        QCOMPARE(weakest->rowCount(), ProgressWindow::kWeakestCount);
        QCOMPARE(Cell(weakest, 0, 0), QStringLiteral("的"));
        QCOMPARE(Cell(weakest, 1, 0), QStringLiteral("了"));
        QCOMPARE(Cell(weakest, 0, 4), QStringLiteral("40.0%"));
        QCOMPARE(Cell(weakest, 0, 5), QStringLiteral("0.50 秒"));
        for (int row = 0; row < weakest->rowCount(); ++row) {
            const QString c = Cell(weakest, row, 0);
            QCOMPARE(Cell(weakest, row, 1), *t.state.tables.t86.codeOf(c));
            QCOMPARE(Cell(weakest, row, 2), *t.state.tables.t98.codeOf(c));
        }
        // Some shown character is coded differently in the two editions, so
        // swapped columns would not pass.
        bool editionsDiffer = false;
        for (int row = 0; row < weakest->rowCount(); ++row)
            editionsDiffer |= Cell(weakest, row, 1) != Cell(weakest, row, 2);
        QVERIFY(editionsDiffer);

        // Totals per kind: time, characters, the best run long enough to time.
        QTableWidget *totals = w->totals();
        QCOMPARE(totals->rowCount(), 2);
        QCOMPARE(Cell(totals, 0, 0), exercise::Caption(exercise::kKeys));
        QCOMPARE(Cell(totals, 0, 1), QStringLiteral("2分00秒"));
        QCOMPARE(Cell(totals, 0, 2), QStringLiteral("300"));
        QCOMPARE(Cell(totals, 0, 3), QStringLiteral("150"));
        QCOMPARE(Cell(totals, 1, 0), exercise::Caption(exercise::kLine));
        QCOMPARE(Cell(totals, 1, 1), QStringLiteral("2分35秒"));
        QCOMPARE(Cell(totals, 1, 2), QStringLiteral("260"));
        QCOMPARE(Cell(totals, 1, 3), QStringLiteral("120"));
        QVERIFY(w->summary()->text().contains(QStringLiteral("累计练习 4分35秒，共打 560 字")));

        // The pinyin confusions: a line per kind, the most frequent first,
        // and the pairs behind them.
        QCOMPARE(w->confusionSummary()->text(),
                 QStringLiteral("平翘舌 s/sh：3 次（四/是 sì/shì 2 次，山/三 shān/sān 1 次）\n"
                                "前后鼻音 -n/-ng：1 次（因/英 yīn/yīng 1 次）"));
        QCOMPARE(w->confusions()->rowCount(), 3);
        QCOMPARE(Cell(w->confusions(), 0, 3), QStringLiteral("四/是"));

        // Chosen again, the open window takes in what was typed meanwhile.
        for (int i = 0; i < 10; ++i)
            t.ctx.progressLog->recordKeystroke(exercise::kLine, QStringLiteral("的"), false);
        QVERIFY(t.shell.runCommand(QStringLiteral("other.progress")));
        QCOMPARE(t.shell.window(ManagedWindow::ProgressWindow), w);
        QCOMPARE(Cell(weakest, 0, 3), QStringLiteral("60"));

        // Escape closes it.
        t.shell.mainWindow()->show();
        t.shell.mainWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.shell.mainWindow()));
        QTest::keyClick(w, Qt::Key_Escape);
        QTRY_VERIFY(!t.state.shown(ManagedWindow::ProgressWindow));
        QVERIFY(!t.shell.window(ManagedWindow::ProgressWindow));
    }

    // Without its chart module the window still shows the statistics, and
    // says in place of each chart why there is none.
    void showsTheTablesWithoutTheChartModule()
    {
        TestContext t;
        LoadCodeTables(TestEnv::dataRoot(), true, true, t.state.tables);
        t.settings.write(QStringLiteral("User"), QStringLiteral("Name"), kLearner);
        Seed(DatabaseIn(t));
        ProgressService progress(t.ctx, DatabaseIn(t), nullptr);
        const QString absent = QDir(t.ctx.paths.userDataDir).filePath(QStringLiteral("absent/quorvel-charts.so"));
        ProgressWindow w(t.ctx, progress, nullptr, absent);
        QVERIFY(!w.speedChart() && !w.accuracyChart() && !w.notebookChart());
        const QList<QLabel *> missing = w.findChildren<QLabel *>(QStringLiteral("lblChartMissing"));
        QCOMPARE(missing.size(), 3);
        for (QLabel *label : missing) {
            QVERIFY2(label->text().startsWith(QStringLiteral("图表组件缺失，无法显示曲线：")), qPrintable(label->text()));
            QVERIFY2(label->text().contains(QStringLiteral("absent/quorvel-charts")), qPrintable(label->text()));
        }
        QVERIFY(w.note()->isHidden());
        QVERIFY(missing.contains(qobject_cast<QLabel *>(w.pages()->widget(0)))); // on the speed page
        QCOMPARE(w.weakest()->rowCount(), ProgressWindow::kWeakestCount);
        QCOMPARE(Cell(w.weakest(), 0, 0), QStringLiteral("的"));
        QCOMPARE(w.totals()->rowCount(), 2);
    }

    // Nothing to draw: a note for a learner without statistics, and the
    // reason when the database cannot be opened.
    void saysWhyThereIsNothingToShow()
    {
        {
            TestContext t;
            t.settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("王五"));
            Seed(DatabaseIn(t));
            ProgressWindow *w = OpenWindow(t);
            QVERIFY(w);
            QVERIFY(w->pages()->isHidden());
            QVERIFY(!w->note()->isHidden());
            QVERIFY(w->note()->text().contains(QStringLiteral("还没有王五的练习统计")));
        }
        {
            TestContext t;
            QFile damaged(DatabaseIn(t));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(QByteArray(8192, '\x5a'));
            damaged.close();
            ProgressWindow *w = OpenWindow(t);
            QVERIFY(w);
            QVERIFY(w->pages()->isHidden());
            QVERIFY2(w->note()->text().contains(QStringLiteral("学习进度数据库无法使用")), qPrintable(w->note()->text()));
            QVERIFY(w->note()->text().contains(QStringLiteral("已损坏")));
        }
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "progress_window.moc"
