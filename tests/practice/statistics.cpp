// Live figures, what a long run keeps of its text, report rows and
// start-settings numbers, without a display.
#include "data/Clock.h"
#include "practice/Statistics.h"
#include "practice/TypingRun.h"

#include <QtTest>
#include <algorithm>

class StatisticsTest : public QObject {
    Q_OBJECT
private slots:
    void twoDecimalFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("hundred") << 100.0 << "100.00";
        QTest::newRow("97.5") << 97.5 << "97.50";
        QTest::newRow("five") << 5.0 << "05.00";
        QTest::newRow("zero") << 0.0 << "00.00";
        QTest::newRow("rounds up") << 33.335 << "33.34";
        QTest::newRow("rounds to 100") << 99.999 << "100.00";
        QTest::newRow("negative keeps sign") << -50.0 << "-50.00";
        QTest::newRow("small negative") << -2.5 << "-02.50";
    }
    void twoDecimalFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatTwoDecimals(value), text);
    }

    void accuracy()
    {
        QCOMPARE(AccuracyText(200, 5), QStringLiteral("97.50%"));
        QCOMPARE(AccuracyText(10, 0), QStringLiteral("100.00%"));
        QCOMPARE(AccuracyText(0, 0), QString());
        // Several characters committed at once, only the last judged: more
        // errors than characters give a negative rate with its sign.
        QCOMPARE(AccuracyText(2, 3), QStringLiteral("-50.00%"));
    }

    void speed()
    {
        QCOMPARE(SpeedText(120, 90), QStringLiteral("  80 字/分"));
        QCOMPARE(SpeedText(5, 60), QStringLiteral("   5 字/分"));
        QCOMPARE(SpeedText(1, 100), QStringLiteral("0 字/分"));
        QCOMPARE(SpeedText(0, 100), QStringLiteral("   0 字/分"));
        QCOMPARE(SpeedText(50, 0), QStringLiteral("   0 字/分"));
        QCOMPARE(SpeedText(999, 60), QStringLiteral(" 999 字/分"));
        QCOMPARE(SpeedText(1000, 60), QStringLiteral("1000 字/分"));
        // No overflow for a very long run.
        QCOMPARE(SpeedText(40000000, 1), QStringLiteral("2400000000 字/分"));
    }

    void elapsedTime()
    {
        QCOMPARE(ElapsedTimeText(0), QStringLiteral("00:00:00"));
        QCOMPARE(ElapsedTimeText(61), QStringLiteral("00:01:01"));
        QCOMPARE(ElapsedTimeText(3600 * 100 + 5), QStringLiteral("100:00:05"));
    }

    void typedCountChange()
    {
        QCOMPARE(TypedCountChange(QString(), QStringLiteral("你好 a")), 4);
        QCOMPARE(TypedCountChange(QStringLiteral("你好"), QStringLiteral("你好\r\n世")), 1);
        QCOMPARE(TypedCountChange(QStringLiteral("abc\r\n"), QStringLiteral("ab")), -1);
        // Only lengths and the tail count: a replaced middle character is not recounted.
        QCOMPARE(TypedCountChange(QStringLiteral("abc"), QStringLiteral("xyc")), 0);
        // A character outside the BMP counts once.
        QCOMPARE(TypedCountChange(QString(), QString::fromUcs4(U"𠀀a")), 2);
    }

    void droppingFinishedPagesKeepsEveryCount()
    {
        // A long run typed page by page, with erasing, phrases, characters
        // outside the BMP, and the live figures ticking at odd moments. The
        // run that drops its finished pages counts, live and in the report,
        // exactly as one that keeps every character, and holds about a page.
        const QList<QString> pieces = {QStringLiteral("你"), QStringLiteral("好，"), QStringLiteral("。a "),
                                       QString::fromUcs4(U"𠀀"), QStringLiteral("b"), QStringLiteral("中国人")};
        ManualClock clock;
        TypingRun keeping(clock), dropping(clock);
        keeping.start(QStringLiteral("line"));
        dropping.start(QStringLiteral("line"));
        QString finished, page; // all finished pages; the open page
        quint32 seed = 7;
        auto next = [&seed](quint32 n) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 16) % n;
        };
        auto tick = [&] {
            keeping.countTyped();
            dropping.countTyped();
        };
        qsizetype mostHeld = 0;
        for (int step = 0; step < 20000; ++step) {
            if (next(6) == 0 && !page.isEmpty())
                page.chop(page.back().isLowSurrogate() ? 2 : 1);
            else
                page += pieces.at(int(next(quint32(pieces.size()))));
            keeping.setTyped(finished + page);
            dropping.setPageTyped(page);
            QVERIFY((finished + page).endsWith(dropping.typed()));
            if (page.size() >= 40) { // the page is finished and locked
                dropping.finishPage(page);
                finished += page;
                page.clear();
                QVERIFY(finished.endsWith(dropping.typed()));
            }
            if (next(4) == 0)
                tick();
            QCOMPARE(dropping.figures().characters, keeping.figures().characters);
            mostHeld = std::max(mostHeld, dropping.typed().size());
        }
        tick();
        QCOMPARE(dropping.figures().characters, keeping.figures().characters);
        const TypedCounts all = CountTypedText(finished + page);
        const TypedCounts counted = dropping.typedCounts();
        QVERIFY(all.totalCount > 20000);
        QCOMPARE(counted.totalCount, all.totalCount);
        QCOMPARE(counted.characterCount, all.characterCount);
        QCOMPARE(counted.punctuationCount, all.punctuationCount);
        QVERIFY2(mostHeld < 200, qPrintable(QString::number(mostHeld)));

        // Without the live figures nothing is let go: the count taken later
        // from the texts must still see everything.
        TypingRun unwatched(clock);
        unwatched.start(QStringLiteral("line"));
        unwatched.finishPage(QStringLiteral("你好，世界"));
        QCOMPARE(unwatched.typed(), QStringLiteral("你好，世界"));
        QCOMPARE(unwatched.typedCounts().totalCount, 5);
    }

    void reportRows()
    {
        QCOMPARE(ReportTitle(true, false), QStringLiteral("统计资料——打字类型：中文打字"));
        QCOMPARE(ReportTitle(false, false), QStringLiteral("统计资料——打字类型：英文打字"));
        QCOMPARE(ReportTitle(true, true), QStringLiteral("统计资料——打字类型：自由录入"));
        const auto chinese = ReportCaptions(true);
        const auto english = ReportCaptions(false);
        QCOMPARE(chinese[1], QStringLiteral("文字字数"));
        QCOMPARE(english[1], QStringLiteral("字母数"));
        QCOMPARE(english[3], QStringLiteral("总字数(包括空格)"));
        QCOMPARE(chinese[5], QStringLiteral("所用时间"));

        TypedCounts counts;
        counts.totalCount = 200;
        counts.characterCount = 180;
        counts.punctuationCount = 12;
        const auto values = ReportValues(counts, 5, QStringLiteral("  85 字/分 "), QStringLiteral("00:02:21"));
        const std::array<QString, 6> expected = {"85 字/分", "180", "12", "200", "97.50%", "00:02:21"};
        QCOMPARE(values, expected);

        const auto empty = ReportValues(TypedCounts{}, 0, QStringLiteral("   0 字/分"), QString());
        QCOMPARE(empty[3], QStringLiteral("0"));
        QCOMPARE(empty[4], QString());
    }

    void startNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("check");
        QTest::addColumn<int>("value");
        const int empty = int(StartNumberCheck::Empty), bad = int(StartNumberCheck::NotNumeric),
                  range = int(StartNumberCheck::OutOfRange), ok = int(StartNumberCheck::Accepted);
        QTest::newRow("empty") << "" << empty << 0;
        QTest::newRow("spaces") << "   " << empty << 0;
        QTest::newRow("letters") << "abc" << bad << 0;
        QTest::newRow("mixed") << "12a" << bad << 0;
        QTest::newRow("inner space") << "1 2" << bad << 0;
        QTest::newRow("zero") << "0" << range << 0;
        QTest::newRow("negative") << "-5" << range << 0;
        QTest::newRow("above") << "30001" << range << 0;
        QTest::newRow("huge exponent") << "1e400" << range << 0;
        QTest::newRow("one") << "1" << ok << 1;
        QTest::newRow("max") << "30000" << ok << 30000;
        QTest::newRow("padded") << "  60 " << ok << 60;
        QTest::newRow("half to even down") << "2.5" << ok << 2;
        QTest::newRow("half to even up") << "3.5" << ok << 4;
        QTest::newRow("exponent") << "1.2e2" << ok << 120;
        QTest::newRow("signed") << "+7" << ok << 7;
        QTest::newRow("point only") << ".5e1" << ok << 5;
    }
    void startNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, check);
        QFETCH(int, value);
        const StartNumber n = ReadStartNumber(text);
        QCOMPARE(int(n.check), check);
        if (n.check == StartNumberCheck::Accepted)
            QCOMPARE(n.value, value);
    }
};

QTEST_GUILESS_MAIN(StatisticsTest)
#include "statistics.moc"
