#pragma once
// Practice statistics: the live figures of the status window, the final
// report rows, and the reading of the start-settings numbers. Pure functions.
#include "practice/TextFile.h"

#include <QString>
#include <array>

// "00.00": at least two digits before the point, exactly two after it,
// rounded; a negative value keeps its minus sign.
QString FormatTwoDecimals(double value);
// (total - errors) / total * 100 as "00.00" followed by "%"; empty when total is 0.
QString AccuracyText(int total, int errors);
// Characters per minute: "   0 字/分" when elapsed < 1 or count < 1, otherwise
// count * 60 / elapsed rounded down, left-padded to 4 places when 1..999.
QString SpeedText(int typedCount, int elapsedSeconds);
// Running clock as hours:minutes:seconds, two digits at least each.
QString ElapsedTimeText(int elapsedSeconds);
// Change of the typed count between two snapshots of the typed text: only the
// lengths and the tail are compared; CR and LF never count.
int TypedCountChange(const QString &snapshot, const QString &typed);

// The six rows of the statistics report.
QString ReportTitle(bool chineseText, bool freeInput);
std::array<QString, 6> ReportCaptions(bool chineseText);
std::array<QString, 6> ReportValues(const TypedCounts &counts, int errorCount,
                                    const QString &speedCaption, const QString &timeCaption);

// A number typed into the start-settings dialog.
enum class StartNumberCheck { Empty, NotNumeric, OutOfRange, Accepted };
struct StartNumber {
    StartNumberCheck check = StartNumberCheck::Empty;
    int value = 0; // rounded, halves to even; set when Accepted
};
inline constexpr int kMaxStartNumber = 30000;
StartNumber ReadStartNumber(const QString &text);
