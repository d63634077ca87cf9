#pragma once
// The figures of a keyboard drill: keystrokes and errors since the first
// counted keystroke, the start and latest second of the day, and what the
// statistics panel shows for them.
#include <QString>

class QTime;

struct DrillStatistics {
    float keystrokes = 0;
    float errors = 0;
    int start = 0; // second of the day of the first counted keystroke
    int now = 0;   // second of the latest keystroke; past midnight + 86 400
    bool started = false;

    // Counts one keystroke at local time `t`; the first one starts the run.
    void countKeystroke(const QTime &t);
    void countError() { errors += 1; }
    // Updates `now` to the local time `t`.
    void takeTime(const QTime &t);
    void reset() { *this = DrillStatistics(); }
};

// How a window draws the bars, in pixels: the accuracy frame's width, the
// bars' length before they grow and before the first keystroke, and the
// keystrokes per minute one pixel of the speed bar stands for.
struct BarScale {
    double accuracyFrame = 0;
    double base = 16;
    double reset = 17;
    double keystrokesPerPixel = 1;
};

// What the panel shows. Widths in pixels: the accuracy bar is correct /
// keystrokes of the frame width plus the base, the speed bar the scaled speed
// plus the base.
struct StatisticsDisplay {
    double accuracyBarWidth = 0;
    double speedBarWidth = 0;
    QString accuracyText; // "95.24 %"
    QString speedText;    // "48.00 次/分"
    QString keysPerSecondText; // 击键, keys a second: "击键 0.80"
};

// Keystrokes per minute: over the seconds from start to now, or K × 60 when
// both fall in the same second.
double KeystrokesPerMinute(const DrillStatistics &stats);
// The panel after a counted keystroke; the reset panel before the first.
StatisticsDisplay DisplayOf(const DrillStatistics &stats, const BarScale &scale);
