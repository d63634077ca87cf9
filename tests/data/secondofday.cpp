// The keyboard drills' second of the day, across midnight.
#include "data/Clock.h"

#include <QTest>

class SecondOfDayTest : public QObject {
    Q_OBJECT
private slots:
    void countsFromMidnight()
    {
        QCOMPARE(secondOfDay(QTime(0, 0, 0)), 0);
        QCOMPARE(secondOfDay(QTime(1, 2, 3)), 3723);
        QCOMPARE(secondOfDay(QTime(23, 59, 59)), 86399);
    }

    void passingMidnightAddsADay()
    {
        const int start = secondOfDay(QTime(23, 59, 50));
        QCOMPARE(secondOfDaySince(QTime(23, 59, 55), start), 86395);
        QCOMPARE(secondOfDaySince(QTime(0, 0, 5), start) - start, 15);
        // The same second as the start is not a day later.
        QCOMPARE(secondOfDaySince(QTime(23, 59, 50), start), start);
        // An elapsed time measured with a manual clock crossing midnight.
        ManualClock clock(QDateTime(QDate(2026, 3, 1), QTime(23, 58, 0)));
        const int begin = secondOfDay(clock.now().time());
        clock.advanceSeconds(150);
        QCOMPARE(secondOfDaySince(clock.now().time(), begin) - begin, 150);
    }
};

QTEST_GUILESS_MAIN(SecondOfDayTest)
#include "secondofday.moc"
