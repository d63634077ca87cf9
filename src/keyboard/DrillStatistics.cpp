#include "keyboard/DrillStatistics.h"

#include "data/Clock.h"
#include "practice/Statistics.h"

void DrillStatistics::countKeystroke(const QTime &t)
{
    if (!started) {
        start = secondOfDay(t);
        now = start;
        started = true;
    }
    keystrokes += 1;
}

void DrillStatistics::takeTime(const QTime &t)
{
    now = secondOfDaySince(t, start);
}

double KeystrokesPerMinute(const DrillStatistics &stats)
{
    const int elapsed = stats.now - stats.start;
    return elapsed != 0 ? stats.keystrokes * 60.0 / elapsed : stats.keystrokes * 60.0;
}

StatisticsDisplay DisplayOf(const DrillStatistics &stats, const BarScale &scale)
{
    StatisticsDisplay display;
    display.accuracyBarWidth = display.speedBarWidth = scale.reset;
    if (stats.keystrokes <= 0)
        return display;
    const double correctShare = (double(stats.keystrokes) - stats.errors) / stats.keystrokes;
    const double speed = KeystrokesPerMinute(stats);
    display.accuracyBarWidth = correctShare * scale.accuracyFrame + scale.base;
    display.speedBarWidth = speed / scale.keystrokesPerPixel + scale.base;
    display.accuracyText = FormatTwoDecimals(correctShare * 100) + QStringLiteral(" %");
    display.speedText = FormatTwoDecimals(speed) + QStringLiteral(" 次/分");
    display.keysPerSecondText = QStringLiteral("击键 ") + QString::number(speed / 60.0, 'f', 2);
    return display;
}
