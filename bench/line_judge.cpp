// Time to judge typing in the line-by-line window, including the repaint:
// one committed character at a time over 10 000 characters, and four-character
// phrases committed in one go, as an input method hands them over.
#include "BenchServices.h"
#include "OffscreenBenchmarkMain.h"
#include "shell/AppContext.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "practice/ui/LinePracticeWindow.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/StartDialog.h"
#include "shell/ui/TypingLine.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <vector>

namespace {
constexpr int kCharacters = 10000;
constexpr int kPerLine = 40;

// `perLine` characters a line, cycling through a set of common characters.
QString ReferenceText(int perLine)
{
    const QString alphabet = QStringLiteral("天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏，。");
    QString text;
    for (int i = 0; i < kCharacters; ++i) {
        text += alphabet.at((i * 7) % alphabet.size());
        if ((i + 1) % perLine == 0)
            text += QStringLiteral("\r\n");
    }
    return text;
}

// A line window with a started run over `reference`, fed commit by commit;
// the median and 99th percentile of the time per commit go to the counters.
struct LineRun : BenchShell {
    std::vector<double> perCommit;

    void run(benchmark::State &bench, const QString &reference, const QStringList &commits,
             const std::function<void(LinePracticeWindow &)> &repaint)
    {
        paths.dataRoot = QStringLiteral(QUORVEL_DATA_ROOT);
        perCommit.reserve(size_t(commits.size()) * 16);
        for (auto _ : bench) {
            bench.PauseTiming();
            shell.openLinePractice(); // the same windows, emptied, from the second time on
            LinePracticeWindow &form = *window<LinePracticeWindow>(ManagedWindow::LinePracticeWindow);
            state.pendingText = reference + QStringLiteral("末\r\n");
            form.fillReferencePage();
            StartDialog(ctx).startOnEnter(Qt::Key_Return);
            // The status window's ticks are not part of a keystroke.
            for (QTimer *timer : shell.window(ManagedWindow::RunPanel)->findChildren<QTimer *>())
                timer->stop();
            bench.ResumeTiming();
            for (const QString &text : commits) {
                const auto start = std::chrono::steady_clock::now();
                QInputMethodEvent commit;
                commit.setCommitString(text);
                QApplication::sendEvent(form.input(state.activeLine), &commit);
                repaint(form);
                perCommit.push_back(std::chrono::duration<double, std::micro>(
                                        std::chrono::steady_clock::now() - start).count());
            }
            bench.PauseTiming();
            cues.played.clear();
            bench.ResumeTiming();
        }
        bench.SetItemsProcessed(bench.iterations() * commits.size());
        std::sort(perCommit.begin(), perCommit.end());
        bench.counters["median_us"] = perCommit[perCommit.size() / 2];
        bench.counters["p99_us"] = perCommit[perCommit.size() * 99 / 100];
    }
};

// The reference without line ends; every 25th character typed wrong, so
// marks are set as well.
QString TypedText(const QString &reference)
{
    QString typed = reference;
    typed.remove(QStringLiteral("\r\n"));
    for (int i = 24; i < typed.size(); i += 25)
        typed[i] = QChar(0x9519);
    return typed;
}

void BM_JudgeCommittedCharacter(benchmark::State &bench)
{
    const QString reference = ReferenceText(kPerLine);
    QStringList commits;
    for (const QChar c : TypedText(reference))
        commits << QString(c);
    LineRun run;
    run.run(bench, reference, commits, [&](LinePracticeWindow &form) { form.reference(run.state.activeLine)->repaint(); });
}
BENCHMARK(BM_JudgeCommittedCharacter)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true);

// Four-character phrases on lines of 28 characters, as a four-character
// phrase drill shows them; the event loop then repaints what changed, as it
// does between two keystrokes.
void BM_JudgeFourCharacterCommit(benchmark::State &bench)
{
    const QString reference = ReferenceText(28);
    const QString typed = TypedText(reference);
    QStringList commits;
    for (int i = 0; i < typed.size(); i += 4)
        commits << typed.mid(i, 4);
    LineRun run;
    run.run(bench, reference, commits, [](LinePracticeWindow &) { QApplication::processEvents(); });
}
BENCHMARK(BM_JudgeFourCharacterCommit)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true);
} // namespace

// A reference file of one 5 MB line (about 1.7 million characters): showing
// it and moving along its first thousand characters, painted each time.
void BM_ShowVeryLongReferenceLine(benchmark::State &bench)
{
    const QString alphabet = QStringLiteral("天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏，。");
    QString line;
    line.reserve(5 * 1024 * 1024 / 3);
    while (line.size() < 5 * 1024 * 1024 / 3)
        line += alphabet;
    ReferenceLine reference;
    reference.setFont(QFont(QStringLiteral("宋体"), 13));
    reference.resize(680, 30);
    reference.show();
    for (auto _ : bench) {
        reference.setText(line);
        reference.setSelectionVisible(true);
        for (int i = 0; i < 1000; ++i) {
            reference.select(i);
            reference.repaint();
        }
    }
}
BENCHMARK(BM_ShowVeryLongReferenceLine)->Unit(benchmark::kMillisecond)->Iterations(1);

QUORVEL_OFFSCREEN_BENCHMARK_MAIN()
