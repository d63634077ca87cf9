#pragma once
// The learning progress window: for the current learner, speed and accuracy
// per day and exercise kind as line charts, a heat map of the keys missed,
// the twenty weakest characters with their Wubi codes, the totals, and the
// pinyin confusions of the pinyin drills.
// Docked like the record viewer; Escape closes it.
#include "progress/ProgressSummary.h"
#include "progress/ReviewSchedule.h"
#include "shell/ExercisePanel.h"

#include <QWidget>

class KeyHeatMap;
class ProgressService;
class ProgressChart;
class QLabel;
class QTabWidget;
class QTableWidget;
struct AppContext;

class ProgressWindow : public QWidget, public ExercisePanel {
    Q_OBJECT
public:
    static constexpr int kWeakestCount = 20;

    // The charts come from the module at `chartModule`, or from where it is
    // installed when that is empty.
    ProgressWindow(AppContext &ctx, ProgressService &progress, QWidget *parent = nullptr,
                   const QString &chartModule = QString());
    ~ProgressWindow() override;

    // Reads the statistics again and shows them.
    void refresh();

    QLabel *summary() const { return m_summary; }
    // Says why there is nothing to show (no statistics, no database); hidden otherwise.
    QLabel *note() const { return m_note; }
    QTabWidget *pages() const { return m_pages; }
    // The charts: null when the chart module could not be loaded.
    ProgressChart *speedChart() const { return m_speedChart; }
    ProgressChart *accuracyChart() const { return m_accuracyChart; }
    KeyHeatMap *heatMap() const { return m_heatMap; }
    QTableWidget *weakest() const { return m_weakest; }
    QTableWidget *totals() const { return m_totals; }
    QTableWidget *methods() const { return m_methods; }
    // The learner's pinyin confusions: a line per kind, and the pairs.
    QLabel *confusionSummary() const { return m_confusionSummary; }
    QTableWidget *confusions() const { return m_confusions; }
    // The review notebook: today's due, learning and retired items.
    QLabel *notebookCounts() const { return m_notebookCounts; }
    ProgressChart *notebookChart() const { return m_notebookChart; }

private:
    void buildLayout();
    // Shows `text` in place of the pages.
    void showNote(const QString &text);
    void fillCharts(const QVector<DayProgress> &days);
    void fillWeakest(const QVector<WeakCharacter> &weakest);
    void fillTotals(const QVector<KindTotals> &totals);
    void fillMethods(const QVector<MethodTotals> &methods);
    void fillConfusions(const QVector<ConfusionStat> &confusions);
    void fillNotebook(const NotebookCounts &counts, const QVector<NotebookDay> &growth);

    AppContext &m_ctx;
    ProgressService &m_progress;
    const QString m_chartModule;
    QLabel *m_summary = nullptr;
    QLabel *m_note = nullptr;
    QTabWidget *m_pages = nullptr;
    ProgressChart *m_speedChart = nullptr;
    ProgressChart *m_accuracyChart = nullptr;
    KeyHeatMap *m_heatMap = nullptr;
    QTableWidget *m_weakest = nullptr;
    QTableWidget *m_totals = nullptr;
    QTableWidget *m_methods = nullptr;
    QLabel *m_confusionSummary = nullptr;
    QTableWidget *m_confusions = nullptr;
    QLabel *m_notebookCounts = nullptr;
    ProgressChart *m_notebookChart = nullptr;
};
