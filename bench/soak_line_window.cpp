// Soak: one million keystrokes through the line-by-line window on generated
// drill pages (an unlimited character drill, so page follows page), one
// input-method commit per character, every 25th character wrong, the event
// loop run after each, with the status window open beside it as in the
// program (its timers keep the live figures). Prints the resident memory at
// the start, after the warm-up (the first 50,000 keystrokes: glyph caches,
// allocator pools), along the way and at the end, and the time per keystroke.
// Run: build/bench_soak_line_window [keystrokes]
#include "shell/AppContext.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "BenchServices.h"
#include "practice/TypingRun.h"
#include "practice/ui/LinePracticeWindow.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/StartDialog.h"
#include "practice/ui/RunPanel.h"
#include "shell/ui/TypingLine.h"
#include "wubi/Wubi.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Resident set size in KiB, from /proc/self/status.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long keystrokes = argc > 1 ? std::atol(argv[1]) : 1000000;

    AppPaths paths;
    paths.dataRoot = QStringLiteral(QUORVEL_DATA_ROOT);
    BenchShell f(paths);
    PracticeState &state = f.state;
    AppContext &ctx = f.ctx;
    RecordingCuePlayer &cues = f.cues;
    SeededRandom random(11);
    f.shell.openLinePractice();
    RunPanel &status = *f.window<RunPanel>(ManagedWindow::RunPanel);
    LinePracticeWindow &form = *f.window<LinePracticeWindow>(ManagedWindow::LinePracticeWindow);
    const TypingRun &run = status.run();
    state.generatedDrill = true;
    state.randomCharDrill = true;
    state.drillPool = QStringLiteral("工了以在有地一上不是中国同民为这我的要和产发人经主");
    state.charBudget = 200;
    state.unlimitedRun = true;
    state.pendingText = wubi::CharacterDrillText(state, state.drillPool, 30, 4, random);
    form.fillReferencePage();
    StartDialog(ctx).startOnEnter(Qt::Key_Return);

    constexpr long kWarmUp = 50000;
    // Filled in advance, so that the timings' own pages are resident from the start.
    std::vector<float> micros(size_t(std::max(1L, keystrokes)));
    const long startKiB = residentKiB();
    long warmKiB = -1;
    std::printf("keystrokes: %ld\nresident at start: %ld KiB\n", keystrokes, startKiB);
    const auto begin = std::chrono::steady_clock::now();
    long typed = 0;
    while (typed < keystrokes && run.isStarted()) {
        const int line = state.activeLine;
        const QString reference = form.reference(line)->text();
        const int at = int(form.input(line)->text().size());
        const QChar expected = at < reference.size() ? reference.at(at) : QChar(0x9519);
        QInputMethodEvent commit;
        commit.setCommitString(QString(typed % 25 == 24 ? QChar(0x9519) : expected));
        const auto start = std::chrono::steady_clock::now();
        QApplication::sendEvent(form.input(line), &commit);
        QApplication::processEvents(); // repaints and deferred work, as the event loop would
        micros[size_t(typed)] = std::chrono::duration<float, std::micro>(std::chrono::steady_clock::now() - start).count();
        ++typed;
        if (typed == kWarmUp) {
            warmKiB = residentKiB();
            std::printf("resident after the warm-up (%ld keystrokes): %ld KiB\n", typed, warmKiB);
        }
        if (typed % 50000 == 0) {
            cues.played.clear(); // the recording player stands in for sound; it keeps nothing in the program
            if (typed % 200000 == 0)
                std::printf("resident after %ld keystrokes: %ld KiB\n", typed, residentKiB());
            std::fflush(stdout);
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    QApplication::processEvents();
    const long endKiB = residentKiB();
    micros.resize(size_t(std::max(1L, typed)));
    std::sort(micros.begin(), micros.end());
    std::printf("resident at end: %ld KiB (%+ld KiB since the start", endKiB, endKiB - startKiB);
    if (warmKiB >= 0)
        std::printf(", %+ld KiB since the warm-up", endKiB - warmKiB);
    std::printf(")\n");
    std::printf("typed %ld keystrokes in %.1f s: %.1f us each on average, median %.1f us, p99 %.1f us, max %.1f us\n",
                typed, seconds, seconds * 1e6 / double(std::max(1L, typed)), double(micros[micros.size() / 2]),
                double(micros[micros.size() * 99 / 100]), double(micros.back()));
    std::printf("text kept by the run: %lld characters; characters counted: %d; live count: %s\n",
                static_cast<long long>(run.typed().size()), run.typedCounts().totalCount,
                qPrintable(status.typedCountLabel->text()));
    std::printf("characters generated: %d, run still going: %s\n", state.charsGenerated,
                run.isStarted() ? "yes" : "no");
    return typed == keystrokes ? 0 : 1;
}
