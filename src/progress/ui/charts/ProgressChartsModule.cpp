// The module that draws the progress window's line charts with Qt Charts
// (see progress/ui/ProgressCharts.h). It uses nothing of the program but
// that header.
#include "progress/ui/ProgressCharts.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// A day's point sits at its noon, so that it lies between the day's ticks.
qreal DayX(const QDate &day) { return qreal(QDateTime(day, QTime(12, 0)).toMSecsSinceEpoch()); }

class LineChart : public QChartView, public ProgressChart {
public:
    LineChart(const QString &title, const ChartFonts &fonts, QWidget *parent)
        : QChartView(new QChart, parent), m_fonts(fonts)
    {
        QChart *c = chart();
        c->setTitle(title);
        c->setTitleFont(fonts.title);
        c->setAnimationOptions(QChart::NoAnimation);
        c->legend()->setAlignment(Qt::AlignBottom);
        c->legend()->setFont(fonts.legend);
        c->setMargins(QMargins(4, 4, 4, 4));
        c->setBackgroundRoundness(0);
        setRenderHint(QPainter::Antialiasing);
        setAccessibleName(title);
    }

    QWidget *view() override { return this; }

    void setLines(const QVector<ChartLine> &lines, const QString &unit, double floor) override
    {
        QChart *c = chart();
        c->removeAllSeries();
        for (QAbstractAxis *axis : c->axes())
            c->removeAxis(axis);
        QDate first, last;
        double lowest = floor, highest = 0;
        for (const ChartLine &line : lines) {
            auto *series = new QLineSeries;
            series->setName(line.name);
            series->setPointsVisible(true);
            for (const auto &[day, y] : line.points) {
                series->append(DayX(day), y);
                first = first.isValid() ? std::min(first, day) : day;
                last = last.isValid() ? std::max(last, day) : day;
                lowest = std::min(lowest, y);
                highest = std::max(highest, y);
            }
            c->addSeries(series);
        }
        auto *dates = new QDateTimeAxis;
        dates->setFormat(QStringLiteral("M月d日"));
        dates->setLabelsFont(m_fonts.axisLabels);
        if (first.isValid())
            dates->setRange(QDateTime(first, QTime(0, 0)), QDateTime(last.addDays(1), QTime(0, 0)));
        dates->setTickCount(int(std::clamp<qint64>(first.daysTo(last) + 2, 2, 7)));
        auto *values = new QValueAxis;
        values->setTitleText(unit);
        values->setTitleFont(m_fonts.axisTitle);
        values->setLabelsFont(m_fonts.axisLabels);
        values->setLabelFormat(QStringLiteral("%d"));
        values->setRange(std::floor(lowest / 10) * 10, std::max(10.0, std::ceil(highest / 10) * 10));
        values->applyNiceNumbers(); // ticks on round figures
        c->addAxis(dates, Qt::AlignBottom);
        c->addAxis(values, Qt::AlignLeft);
        for (QAbstractSeries *s : c->series()) {
            s->attachAxis(dates);
            s->attachAxis(values);
        }
    }

    QVector<ChartLine> lines() const override
    {
        QVector<ChartLine> lines;
        for (QAbstractSeries *s : chart()->series()) {
            lines.append({s->name(), {}});
            for (const QPointF &p : static_cast<QLineSeries *>(s)->points())
                lines.last().points.append({QDateTime::fromMSecsSinceEpoch(qint64(p.x())).date(), p.y()});
        }
        return lines;
    }

private:
    ChartFonts m_fonts;
};

class LineChartFactory : public ProgressChartFactory {
public:
    ProgressChart *newChart(const QString &title, const ChartFonts &fonts, QWidget *parent) override
    {
        return new LineChart(title, fonts, parent);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT ProgressChartFactory *quorvel_progress_charts()
{
    static LineChartFactory factory;
    return &factory;
}
