#pragma once
// The statistics report a practice run ends with, and the result window that
// shows it (the records subsystem provides it).
#include "practice/TextFile.h"
#include "practice/TypingFigures.h"
#include "practice/TypingRun.h"

#include <QDateTime>
#include <QString>
#include <array>

struct PracticeReport {
    QString title;                   // "统计资料——打字类型：中文打字" ...
    std::array<QString, 6> captions; // lblCaption(0..5)
    std::array<QString, 6> values;   // figureLabel(0..5), shown as the figures below say
    QStringList pinyinMistakes;      // "平翘舌 z/zh：2 处" ... of a pinyin drill, one per kind of confusion

    // The run's figures, which the record file and the statistics keep.
    QString exerciseKind;
    QDateTime start;
    RunFigures figures;
    TypedCounts counts;
    TypingFigures typing; // 击键, 码长 ... as far as the way it was typed shows them
};

class ReportWindow {
public:
    virtual ~ReportWindow() = default;
    // Shows the report modally; the learner may save it or browse the records.
    virtual void showReport(const PracticeReport &report) = 0;
};
