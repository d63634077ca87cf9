#pragma once
// The result window: the six rows of the statistics report, saving the result
// into the record file, opening the record viewer.
#include <QString>
#include <array>

struct AppContext;

struct PracticeReport {
    QString title;                   // "统计资料——打字类型：中文打字" ...
    std::array<QString, 6> captions; // lblCaption(0..5)
    std::array<QString, 6> values;   // lblMessage(0..5)
};

// Loads CountMessage with the report and shows it modally.
void ShowCountMessage(AppContext &ctx, const PracticeReport &report);
