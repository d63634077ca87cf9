// Time to judge one committed character in the line-by-line window, including
// the repaint of the reference line, over 10 000 characters.
#include "shell/AppContext.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "practice/ui/LineForm.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/StartDialog.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace {
constexpr int kCharacters = 10000;
constexpr int kPerLine = 40;

QString ReferenceText()
{
    const QString alphabet = QStringLiteral("天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏，。");
    QString text;
    for (int i = 0; i < kCharacters; ++i) {
        text += alphabet.at((i * 7) % alphabet.size());
        if ((i + 1) % kPerLine == 0)
            text += QStringLiteral("\r\n");
    }
    return text;
}

void BM_JudgeCommittedCharacter(benchmark::State &bench)
{
    QTemporaryDir dir;
    PracticeState state;
    SettingsStore settings(dir.path() + QStringLiteral("/q.ini"));
    RecordingCuePlayer cues;
    ManualClock clock;
    SeededRandom random(1);
    AppPaths paths;
    paths.dataRoot = QStringLiteral(QUORVEL_DATA_ROOT);
    AppContext ctx{state, settings, cues, clock, random, paths, nullptr, nullptr};

    const QString reference = ReferenceText();
    // Every 25th character is typed wrong, so marks are set as well.
    QString typed = reference;
    typed.remove(QStringLiteral("\r\n"));
    for (int i = 24; i < typed.size(); i += 25)
        typed[i] = QChar(0x9519);

    std::vector<double> perCharacter;
    perCharacter.reserve(size_t(typed.size()) * 16);
    for (auto _ : bench) {
        bench.PauseTiming();
        LineForm form(ctx);
        form.show();
        state.pendingText = reference + QStringLiteral("末\r\n");
        form.fillReferencePage();
        StartDialog(ctx).Form_KeyPress(13);
        bench.ResumeTiming();
        for (const QChar c : typed) {
            const auto start = std::chrono::steady_clock::now();
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(form.rtbIn(state.activeLine), &commit);
            form.rtbOut(state.activeLine)->repaint();
            perCharacter.push_back(std::chrono::duration<double, std::micro>(
                                       std::chrono::steady_clock::now() - start).count());
        }
        bench.PauseTiming();
        state.runStarted = false;
        cues.played.clear();
        bench.ResumeTiming();
    }
    bench.SetItemsProcessed(bench.iterations() * typed.size());
    std::sort(perCharacter.begin(), perCharacter.end());
    bench.counters["median_us"] = perCharacter[perCharacter.size() / 2];
    bench.counters["p99_us"] = perCharacter[perCharacter.size() * 99 / 100];
}
BENCHMARK(BM_JudgeCommittedCharacter)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
