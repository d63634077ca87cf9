#include "progress/ui/ProgressWindow.h"

#include "data/Clock.h"
#include "practice/PracticeState.h"
#include "progress/PinyinConfusions.h"
#include "progress/ui/KeyHeatMap.h"
#include "progress/ui/ProgressCharts.h"
#include "progress/ui/ProgressService.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "shell/ui/SongFont.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kWidth = 710, kHeight = 445; // as the record viewer
constexpr int kRowHeight = 17;

// "3小时05分", or "12分30秒" under an hour.
QString DurationText(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    if (seconds >= 3600)
        return QStringLiteral("%1小时%2分").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1分%2秒").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// A line a kind through its days' values, in the order the days come.
QVector<ChartLine> LinesOf(const QVector<DayProgress> &days, double (DayProgress::*value)() const)
{
    QVector<ChartLine> lines;
    for (const DayProgress &d : days) {
        const QString name = exercise::Caption(d.kind);
        if (lines.isEmpty() || lines.last().name != name)
            lines.append({name, {}});
        lines.last().points.append({d.day, (d.*value)()});
    }
    return lines;
}

ChartFonts SongChartFonts() { return {SongFont(10, true), SongFont(9), SongFont(9), SongFont(8)}; }

QTableWidget *NewTable(const QStringList &headers, QWidget *parent)
{
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFont(SongFont(10));
    // Rows as low as the text allows, so that twenty fit without scrolling.
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setMinimumSectionSize(kRowHeight);
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

void SetRow(QTableWidget *table, int row, const QStringList &cells)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
}

} // namespace

ProgressWindow::ProgressWindow(AppContext &ctx, ProgressService &progress, QWidget *parent,
                               const QString &chartModule)
    : QWidget(parent), m_ctx(ctx), m_progress(progress), m_chartModule(chartModule)
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QStringLiteral("学习进度"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    buildLayout();
    refresh();

    if (Shell *shell = m_ctx.shell) {
        shell->placeDocked(this, ManagedWindow::ProgressWindow);
        // Unloaded once the shortcut's signal has returned.
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(escape, &QShortcut::activated, shell->mainWindow(), [shell] {
            QTimer::singleShot(0, shell->mainWindow(), [shell] { shell->unloadWindow(ManagedWindow::ProgressWindow); });
        });
    }
}

ProgressWindow::~ProgressWindow()
{
}

void ProgressWindow::buildLayout()
{
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setFont(SongFont(11, true));
    m_summary->setWordWrap(true);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblNote"));
    m_note->setFont(SongFont(11));
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setWordWrap(true);
    m_note->setFrameShape(QFrame::StyledPanel);
    m_note->setAutoFillBackground(true);
    m_note->setBackgroundRole(QPalette::Base);

    m_pages = new QTabWidget(this);
    m_pages->setFont(SongFont(10));
    QString chartError;
    ProgressChartFactory *charts = progress_charts::load(m_chartModule, &chartError);
    // Without the module the window still shows its tables, and says why the curves are missing.
    const auto newChart = [&](ProgressChart *&chart, const QString &title, QWidget *parent) -> QWidget * {
        if (charts) {
            chart = charts->newChart(title, SongChartFonts(), parent);
            return chart->view();
        }
        auto *missing = new QLabel(QStringLiteral("图表组件缺失，无法显示曲线：%1").arg(chartError), parent);
        missing->setObjectName(QStringLiteral("lblChartMissing"));
        missing->setFont(SongFont(10));
        missing->setAlignment(Qt::AlignCenter);
        missing->setWordWrap(true);
        return missing;
    };
    m_pages->addTab(newChart(m_speedChart, QStringLiteral("每天的打字速度"), m_pages), QStringLiteral("速度"));
    m_pages->addTab(newChart(m_accuracyChart, QStringLiteral("每天的正确率"), m_pages), QStringLiteral("正确率"));
    m_heatMap = new KeyHeatMap(m_pages);
    m_heatMap->setAccessibleName(QStringLiteral("键位出错热图"));
    m_pages->addTab(m_heatMap, QStringLiteral("键位出错热图"));
    m_weakest = NewTable({QStringLiteral("字"), QStringLiteral("五笔86编码"), QStringLiteral("五笔98编码"),
                          QStringLiteral("练习次数"), QStringLiteral("出错率"), QStringLiteral("平均用时")},
                         m_pages);
    m_weakest->setObjectName(QStringLiteral("weakest"));
    m_pages->addTab(m_weakest, QStringLiteral("最薄弱的二十个字"));
    m_totals = NewTable({QStringLiteral("练习类型"), QStringLiteral("练习时间"), QStringLiteral("打字数"),
                         QStringLiteral("最高速度（字/分）")},
                        m_pages);
    m_totals->setObjectName(QStringLiteral("totals"));
    m_pages->addTab(m_totals, QStringLiteral("总计"));
    m_methods = NewTable({QStringLiteral("输入法"), QStringLiteral("次数"), QStringLiteral("练习时间"),
                          QStringLiteral("打字数"), QStringLiteral("速度"), QStringLiteral("击键"),
                          QStringLiteral("码长"), QStringLiteral("理想码长"), QStringLiteral("打词率"),
                          QStringLiteral("选重"), QStringLiteral("回改")},
                         m_pages);
    m_methods->setObjectName(QStringLiteral("methods"));
    m_methods->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_methods->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_pages->addTab(m_methods, QStringLiteral("按输入法"));

    auto *confusionPage = new QWidget(m_pages);
    m_confusionSummary = new QLabel(confusionPage);
    m_confusionSummary->setObjectName(QStringLiteral("lblConfusions"));
    m_confusionSummary->setWordWrap(true);
    m_confusions = NewTable({QStringLiteral("混淆"), QStringLiteral("应读"), QStringLiteral("读成"),
                             QStringLiteral("字"), QStringLiteral("次数"), QStringLiteral("最近一次")},
                            confusionPage);
    m_confusions->setObjectName(QStringLiteral("confusions"));
    auto *confusionLayout = new QVBoxLayout(confusionPage);
    confusionLayout->setContentsMargins(4, 4, 4, 4);
    confusionLayout->addWidget(m_confusionSummary);
    confusionLayout->addWidget(m_confusions, 1);
    m_pages->addTab(confusionPage, QStringLiteral("读音混淆"));

    auto *notebookPage = new QWidget(m_pages);
    m_notebookCounts = new QLabel(notebookPage);
    m_notebookCounts->setObjectName(QStringLiteral("notebookCounts"));
    m_notebookCounts->setFont(SongFont(11));
    auto *notebookLayout = new QVBoxLayout(notebookPage);
    notebookLayout->setContentsMargins(4, 4, 4, 4);
    notebookLayout->addWidget(m_notebookCounts);
    notebookLayout->addWidget(newChart(m_notebookChart, QStringLiteral("错字本的增长"), notebookPage), 1);
    m_pages->addTab(notebookPage, QStringLiteral("错字本"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(m_summary);
    layout->addWidget(m_note, 1);
    layout->addWidget(m_pages, 1);
}

void ProgressWindow::showNote(const QString &text)
{
    m_note->setText(text);
    m_note->show();
    m_pages->hide();
}

void ProgressWindow::refresh()
{
    const QString learner = m_progress.learner();
    m_summary->setText(QStringLiteral("学习者：%1").arg(learner.isEmpty() ? QStringLiteral("（未署名）") : learner));
    m_progress.flush(); // this session's keystrokes count too, if they can be written
    if (!m_progress.store().isOpen())
        return showNote(QStringLiteral("学习进度数据库无法使用，看不到统计。\n%1").arg(m_progress.store().error()));
    const ProgressStore &store = m_progress.store();
    const QVector<DayProgress> days = store.dailyProgress(learner);
    const QVector<ItemStat> items = store.itemStats(learner);
    fillConfusions(store.confusions(learner));
    if (days.isEmpty() && items.isEmpty())
        return showNote(QStringLiteral("还没有%1的练习统计。\n做几次练习之后，这里会画出每天的速度和正确率，"
                                       "标出常错的键和最薄弱的字。")
                            .arg(learner.isEmpty() ? QStringLiteral("你") : learner));
    m_note->hide();
    m_pages->show();
    fillCharts(days);
    m_heatMap->setTallies(MainBlockKeyTallies(items, KeyboardPicture::mainBlock()));
    fillWeakest(WeakestCharacters(items, kWeakestCount));
    const QVector<KindTotals> totals = store.kindTotals(learner);
    fillTotals(totals);
    fillMethods(store.methodTotals(learner));
    fillNotebook(store.notebookCounts(learner, m_ctx.clock.now().date()), store.notebookGrowth(learner));
    qint64 durationMs = 0, characters = 0;
    for (const KindTotals &t : totals) {
        durationMs += t.durationMs;
        characters += t.characters;
    }
    m_summary->setText(m_summary->text()
                       + QStringLiteral("　　累计练习 %1，共打 %2 字").arg(DurationText(durationMs)).arg(characters));
}

void ProgressWindow::fillCharts(const QVector<DayProgress> &days)
{
    if (m_speedChart)
        m_speedChart->setLines(LinesOf(days, &DayProgress::speed), QStringLiteral("字/分"), 0);
    if (m_accuracyChart)
        m_accuracyChart->setLines(LinesOf(days, &DayProgress::accuracy), QStringLiteral("正确率（%）"), 100);
}

void ProgressWindow::fillWeakest(const QVector<WeakCharacter> &weakest)
{
    const CodeTables &tables = CodeTablesOf(m_ctx.state);
    m_weakest->setRowCount(int(weakest.size()));
    for (int row = 0; row < weakest.size(); ++row) {
        const WeakCharacter &w = weakest[row];
        const double meanMs = w.tally.meanIntervalMs();
        SetRow(m_weakest, row,
               {w.character, tables.t86.codeOf(w.character).value_or(QStringLiteral("—")),
                tables.t98.codeOf(w.character).value_or(QStringLiteral("—")), QString::number(w.tally.attempts),
                QString::number(w.tally.errorRate() * 100, 'f', 1) + QLatin1Char('%'),
                meanMs > 0 ? QStringLiteral("%1 秒").arg(meanMs / 1000, 0, 'f', 2) : QStringLiteral("—")});
    }
}

void ProgressWindow::fillConfusions(const QVector<ConfusionStat> &confusions)
{
    constexpr int kRowsShown = 50;
    const QStringList lines = ConfusionLines(confusions);
    m_confusionSummary->setText(lines.isEmpty() ? QStringLiteral("拼音练习中还没有读音混淆的字。") : lines.join(QLatin1Char('\n')));
    const int rows = int(qMin<qsizetype>(confusions.size(), kRowsShown));
    m_confusions->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const ConfusionStat &c = confusions[row];
        SetRow(m_confusions, row,
               {ConfusionCaption(ConfusionFromKey(c.kind)), c.expectedSyllable, c.typedSyllable,
                c.typedChar.isEmpty() ? c.expectedChar : c.expectedChar + QLatin1Char('/') + c.typedChar,
                QString::number(c.count), QLocale().toString(c.lastSeen.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm"))});
    }
}

void ProgressWindow::fillTotals(const QVector<KindTotals> &totals)
{
    m_totals->setRowCount(int(totals.size()));
    for (int row = 0; row < totals.size(); ++row) {
        const KindTotals &t = totals[row];
        SetRow(m_totals, row,
               {exercise::Caption(t.kind), DurationText(t.durationMs), QString::number(t.characters),
                t.bestSpeed > 0 ? QString::number(std::lround(t.bestSpeed)) : QStringLiteral("—")});
    }
}

void ProgressWindow::fillMethods(const QVector<MethodTotals> &methods)
{
    m_methods->setRowCount(int(methods.size()));
    const QString none = QStringLiteral("—");
    const auto orNone = [&none](const QString &text) { return text.isEmpty() ? none : text; };
    for (int row = 0; row < methods.size(); ++row) {
        const MethodTotals &m = methods[row];
        const TypingFigureTexts t = TextsOf(m.typing, m.keyedDurationMs, m.keyedCharacters);
        SetRow(m_methods, row,
               {input_method::Caption(m.method), QString::number(m.runs), DurationText(m.durationMs),
                QString::number(m.characters), m.speed() > 0 ? QString::number(std::lround(m.speed())) : none,
                orNone(t.keysPerSecond), orNone(t.keysPerCharacter), orNone(t.idealKeysPerCharacter),
                orNone(t.phraseShare), orNone(t.candidatePicks), orNone(t.corrections)});
    }
}

void ProgressWindow::fillNotebook(const NotebookCounts &counts, const QVector<NotebookDay> &growth)
{
    m_notebookCounts->setText(QStringLiteral("今日待复习 %1 项　　学习中 %2 项　　已掌握 %3 项")
                                  .arg(counts.due)
                                  .arg(counts.learning)
                                  .arg(counts.retired));
    // Drawn as two kinds of one chart: the days' totals of items entered and retired.
    QVector<DayProgress> days;
    for (const NotebookDay &d : growth) {
        days.append({QStringLiteral("记入错字本"), d.day, 0, d.entered, 0});
        days.append({QStringLiteral("已掌握"), d.day, 0, d.retired, 0});
    }
    std::stable_sort(days.begin(), days.end(), [](const DayProgress &a, const DayProgress &b) { return a.kind < b.kind; });
    if (m_notebookChart)
        m_notebookChart->setLines(LinesOf(days, &DayProgress::itemCount), QStringLiteral("项"), 0);
}
