// The radical drills' rules without windows: the chart pool and lines, the
// radical list by edition and key range, the board, answers, cards, limits
// and the clock.
#include "data/CodeTable.h"
#include "data/Random.h"
#include "wubi/RadicalDrill.h"

#include <QTest>

using namespace wubi;

namespace {
// Names as the data tool writes them: key, edition mark, code points.
const QStringList kNames = {"G0_738B.dz", "G8_620B.dz", "G9_592B.dz", "H0_76EE.dz", "h9_23942.dz",
                            "A0_5DE5.dz", "Y8_5E7F.dz", "O9_5E7F.dz"};

constexpr int kNoon = 12 * 3600;

struct Run {
    RadicalDrillSettings settings;
    SeededRandom random{3};
    RadicalDrill drill{settings, random};

    explicit Run(int countLimit = 60, bool timeLimited = false, int timeLimit = 0)
    {
        settings.radicalLimit = timeLimited ? 80 : countLimit;
        settings.timeLimited = timeLimited;
        settings.timeLimit = timeLimit;
        drill.start(RadicalList(kNames, settings));
    }
    int expected() const { return drill.expectedKeys().at(drill.position() == 0 ? 0 : drill.position() - 1); }
    // Answers the current cell rightly.
    RadicalDrill::KeyOutcome right(int now = kNoon) { return drill.press(expected(), false, false, now); }
    int filledCells() const { return int(std::count_if(drill.board().begin(), drill.board().end(),
                                                       [](const QString &n) { return !n.isEmpty(); })); }
};
} // namespace

class RadicalDrillTest : public QObject {
    Q_OBJECT
private slots:
    void chartPoolTakesSingleCharactersNearTheTableStart();
    void chartLinesHave26CharactersOrNoneWithoutAPool();
    void radicalListFollowsEditionAndRange_data();
    void radicalListFollowsEditionAndRange();
    void countLimitEndsOnTheLastFilledCell_data();
    void countLimitEndsOnTheLastFilledCell();
    void timeLimitKeepsBoardsFullAndEndsAtTheLimit();
    void firstKeyStartsTheClockEvenWhenWrong();
    void altLettersShowCardsAndAnswerNothing();
    void wrongAnswersChangeNothing();
    void emptyListLeavesTheBoardEmptyAndUnarmed();
    void clockCrossesMidnight();
    void pictureNamesGiveTheRadical();
};

void RadicalDrillTest::chartPoolTakesSingleCharactersNearTheTableStart()
{
    QString table = QStringLiteral("#工%a#我%q#中华%kwwl#我%trnt#");
    const qsizetype filler = 10000 - table.size();
    table += QString(filler - 1, QLatin1Char('x')) + QStringLiteral("#在%d#"); // "#" at position 10000
    table += QStringLiteral("#远%fq#");                                         // beyond 10000
    QCOMPARE(ChartPool(CodeTable(table)), QStringLiteral("工我我在"));
    QCOMPARE(ChartPool(CodeTable()), QString());
}

void RadicalDrillTest::chartLinesHave26CharactersOrNoneWithoutAPool()
{
    SeededRandom random(9);
    const QString pool = QStringLiteral("工我中");
    for (int i = 0; i < 20; ++i) {
        const QString line = ChartLine(pool, random);
        QCOMPARE(line.size(), 26);
        for (QChar c : line)
            QVERIFY(pool.contains(c));
    }
    QCOMPARE(ChartLine(QString(), random), QString());
}

void RadicalDrillTest::radicalListFollowsEditionAndRange_data()
{
    QTest::addColumn<bool>("edition86");
    QTest::addColumn<QString>("keys"); // empty: all keys
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("86, all") << true << QString()
                             << QStringList{"G0_738B.dz", "G8_620B.dz", "H0_76EE.dz", "A0_5DE5.dz", "Y8_5E7F.dz"};
    QTest::newRow("98, all") << false << QString()
                             << QStringList{"G0_738B.dz", "G9_592B.dz", "H0_76EE.dz", "h9_23942.dz", "A0_5DE5.dz",
                                            "O9_5E7F.dz"};
    QTest::newRow("98, G and H") << false << QStringLiteral("GH")
                                 << QStringList{"G0_738B.dz", "G9_592B.dz", "H0_76EE.dz", "h9_23942.dz"};
    QTest::newRow("86, Y and O") << true << QStringLiteral("YO") << QStringList{"Y8_5E7F.dz"};
}

void RadicalDrillTest::radicalListFollowsEditionAndRange()
{
    QFETCH(bool, edition86);
    QFETCH(QString, keys);
    QFETCH(QStringList, expected);
    RadicalDrillSettings settings;
    settings.edition86 = edition86;
    settings.allKeys = keys.isEmpty();
    for (QChar k : keys)
        settings.chosenKeys[std::size_t(k.unicode() - 'A')] = true;
    QCOMPARE(RadicalList(kNames, settings), expected);
}

void RadicalDrillTest::countLimitEndsOnTheLastFilledCell_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("secondBoard"); // filled cells after the first board, 0 when none
    QTest::addColumn<int>("filledAtEnd");
    QTest::newRow("60") << 60 << 0 << 60;
    QTest::newRow("100") << 100 << 20 << 20;
    QTest::newRow("80") << 80 << 0 << 0;
}

void RadicalDrillTest::countLimitEndsOnTheLastFilledCell()
{
    QFETCH(int, limit);
    QFETCH(int, secondBoard);
    QFETCH(int, filledAtEnd);
    Run run(limit);
    QVERIFY(run.drill.armed());
    QCOMPARE(run.filledCells(), std::min(limit, 80));
    QCOMPARE(run.drill.expectedKeys().size(), std::min(limit, 80));
    for (int answer = 1; answer < limit; ++answer) {
        const RadicalDrill::KeyOutcome outcome = run.right();
        QCOMPARE(outcome.kind, RadicalDrill::KeyOutcome::Right);
        QVERIFY2(!outcome.ended, qPrintable(QString::number(answer)));
        QCOMPARE(outcome.cell, (answer - 1) % 80);
        if (answer == 80)
            QCOMPARE(run.filledCells(), secondBoard);
    }
    const RadicalDrill::KeyOutcome last = run.right();
    QVERIFY(last.ended);
    QCOMPARE(last.total, limit);
    QVERIFY(!run.drill.armed());
    QVERIFY(!run.drill.running());
    QVERIFY(!run.settings.drillRequested);
    // Ending in cell 80 refills the board with nothing left to draw.
    QCOMPARE(last.boardRefilled, limit == 80);
    QCOMPARE(run.filledCells(), filledAtEnd);
    for (int key = 'A'; key <= 'Y'; ++key)
        QCOMPARE(run.drill.press(key, false, false, kNoon).kind, RadicalDrill::KeyOutcome::Ignored);
}

void RadicalDrillTest::timeLimitKeepsBoardsFullAndEndsAtTheLimit()
{
    Run run(0, true, 30);
    QCOMPARE(run.filledCells(), 80);
    run.drill.press(0, false, false, kNoon); // a wrong first key starts the clock
    for (int i = 0; i < 85; ++i)
        QCOMPARE(run.right(kNoon + 5).kind, RadicalDrill::KeyOutcome::Right);
    QCOMPARE(run.filledCells(), 80); // the second board is full too
    QVERIFY(!run.drill.tick(kNoon + 29).ended);
    // The clock missed second 30 (a busy machine): the run still ends.
    const RadicalDrill::Tick tick = run.drill.tick(kNoon + 31);
    QVERIFY(tick.ended);
    QCOMPARE(tick.total, 85);
    QCOMPARE(tick.timeText, QStringLiteral("31 秒"));
    QVERIFY(!run.drill.armed());
    QVERIFY(!run.drill.tick(kNoon + 32).running);
}

void RadicalDrillTest::firstKeyStartsTheClockEvenWhenWrong()
{
    Run run;
    QVERIFY(!run.drill.tick(kNoon).running);
    const int wrong = run.drill.expectedKeys().at(0) == 'Z' - 1 ? 'X' : 'Z';
    QCOMPARE(run.drill.press(wrong, false, false, kNoon).kind, RadicalDrill::KeyOutcome::Wrong);
    QVERIFY(run.drill.running());
    QCOMPARE(run.drill.position(), 1);
    RadicalDrill::Tick tick = run.drill.tick(kNoon);
    QCOMPARE(tick.timeText, QStringLiteral("0 秒"));
    QCOMPARE(tick.speedText, QString()); // no second has passed
    tick = run.drill.tick(kNoon + 4);
    QCOMPARE(tick.timeText, QStringLiteral("4 秒"));
    QCOMPARE(tick.speedText, QStringLiteral("15.00 字/分"));
    run.right(kNoon + 4);
    run.right(kNoon + 4);
    QCOMPARE(run.drill.tick(kNoon + 8).speedText, QStringLiteral("22.50 字/分"));
}

void RadicalDrillTest::altLettersShowCardsAndAnswerNothing()
{
    Run run;
    run.settings.edition86 = false;
    RadicalDrill::KeyOutcome card = run.drill.press('G', true, false, kNoon);
    QCOMPARE(card.kind, RadicalDrill::KeyOutcome::Card);
    QCOMPARE(card.cardKey, int('G'));
    QVERIFY(card.card86);
    card = run.drill.press('G', true, true, kNoon);
    QCOMPARE(card.kind, RadicalDrill::KeyOutcome::Card);
    QVERIFY(!card.card86);
    // Nor do the bare modifiers and Num Lock start the run.
    for (int key : {16, 17, 18, 144}) // Shift, Ctrl, Alt, Num Lock
        QCOMPARE(run.drill.press(key, key == 18, key == 17, kNoon).kind, RadicalDrill::KeyOutcome::Ignored);
    QVERIFY(!run.drill.running());
    QCOMPARE(run.drill.position(), 0);
}

void RadicalDrillTest::wrongAnswersChangeNothing()
{
    Run run;
    run.right();
    const int expected = run.expected();
    const int wrong = expected == 'Z' ? 'Y' : 'Z';
    RadicalDrill::KeyOutcome outcome = run.drill.press(wrong, false, false, kNoon);
    QCOMPARE(outcome.kind, RadicalDrill::KeyOutcome::Wrong);
    QVERIFY(outcome.wrongCue);
    outcome = run.drill.press('Z', true, false, kNoon); // Alt with a key that has no card
    QCOMPARE(outcome.kind, RadicalDrill::KeyOutcome::Wrong);
    QVERIFY(!outcome.wrongCue);
    QCOMPARE(run.drill.position(), 2);
    QCOMPARE(run.drill.count(), 2);
}

void RadicalDrillTest::emptyListLeavesTheBoardEmptyAndUnarmed()
{
    RadicalDrillSettings settings;
    settings.allKeys = false;
    settings.chosenKeys[std::size_t('Y' - 'A')] = true; // Y has a Wubi 86 picture only
    settings.edition86 = false;
    SeededRandom random(1);
    RadicalDrill drill(settings, random);
    drill.start(RadicalList(kNames, settings));
    QVERIFY(!drill.armed());
    QVERIFY(drill.expectedKeys().isEmpty());
    QCOMPARE(drill.board().size(), kBoardCells);
    QVERIFY(std::all_of(drill.board().begin(), drill.board().end(), [](const QString &n) { return n.isEmpty(); }));
    QCOMPARE(drill.press('Y', false, false, kNoon).kind, RadicalDrill::KeyOutcome::Ignored);
    QCOMPARE(settings.radicalsDrawn, 0);
}

void RadicalDrillTest::clockCrossesMidnight()
{
    Run run;
    run.right(86400 - 2);
    QCOMPARE(run.drill.tick(3).timeText, QStringLiteral("5 秒"));
}

void RadicalDrillTest::pictureNamesGiveTheRadical()
{
    QCOMPARE(RadicalOfPicture(QStringLiteral("A0_5DE5.dz")), QStringLiteral("工"));
    QCOMPARE(RadicalOfPicture(QStringLiteral("R0_4E3F_4E3F.dz")), QStringLiteral("丿丿"));
    QCOMPARE(RadicalOfPicture(QStringLiteral("Q8_20089.dz")), QString::fromUcs4(U"\U00020089"));
    QCOMPARE(RadicalOfPicture(QStringLiteral("A0_zz.dz")), QString());
    QCOMPARE(RadicalOfPicture(QStringLiteral("A0")), QString());
}

QTEST_GUILESS_MAIN(RadicalDrillTest)
#include "RadicalDrill.moc"
