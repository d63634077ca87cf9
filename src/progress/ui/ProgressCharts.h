#pragma once
// The line charts of the progress window. They are drawn with Qt Charts in a
// module of their own (quorvel-charts.so), loaded when the window first opens,
// so that the program itself does not load Qt Charts and OpenGL at start.
// The module sees only this header and Qt.
#include <QDate>
#include <QFont>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

// One line of a chart: its name in the legend and a value per day.
struct ChartLine {
    QString name;
    QVector<QPair<QDate, double>> points;
};

struct ChartFonts {
    QFont title, legend, axisTitle, axisLabels;
};

// A chart shown in a widget owned by the parent it was made for; the chart
// goes with that widget.
class ProgressChart {
public:
    virtual ~ProgressChart() = default;
    virtual QWidget *view() = 0;
    // Draws `lines` over a date axis; the value axis, titled `unit`, reaches
    // down to `floor` at least.
    virtual void setLines(const QVector<ChartLine> &lines, const QString &unit, double floor) = 0;
    // The lines as the chart holds them.
    virtual QVector<ChartLine> lines() const = 0;
};

class ProgressChartFactory {
public:
    virtual ~ProgressChartFactory() = default;
    virtual ProgressChart *newChart(const QString &title, const ChartFonts &fonts, QWidget *parent) = 0;
};

// The module's one entry point, resolved by name when the module is loaded.
extern "C" ProgressChartFactory *quorvel_progress_charts();
inline constexpr char kChartsEntryPoint[] = "quorvel_progress_charts";

namespace progress_charts {
// Where the module is looked for: beside the executable (the build tree),
// then in the installed library folder relative to it.
QStringList modulePaths();
// The factory of the module at `path` (the first of modulePaths() that exists
// when empty), loaded once and kept for the rest of the run; null, with the
// reason in `error`, when it cannot be loaded.
ProgressChartFactory *load(const QString &path, QString *error);
} // namespace progress_charts
