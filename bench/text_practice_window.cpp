// Time per keystroke in the whole-text window with a 30 MB reference text:
// one committed character judged, the reference selection moved and both
// boxes repainted. Loading the text is timed separately.
#include "BenchServices.h"
#include "OffscreenBenchmarkMain.h"
#include "shell/AppContext.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "practice/ui/StartDialog.h"
#include "practice/ui/TextPracticeWindow.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace {
constexpr qsizetype kReferenceBytes = 30 * 1024 * 1024;
constexpr int kKeystrokes = 400;

// A text of 30 MB as the program holds it (UTF-16, one paragraph).
QString LargeReference()
{
    const QString sentence = QStringLiteral("春天来了，小草从地下探出头来，柳树抽出了新的枝条。The quick brown fox. ");
    QString text;
    text.reserve(kReferenceBytes / 2 + sentence.size());
    while (text.size() * 2 < kReferenceBytes)
        text += sentence;
    return text;
}

using Fixture = BenchShell;

void BM_WholeTextKeystroke(benchmark::State &bench)
{
    Fixture f;
    const QString reference = LargeReference();
    f.shell.openTextPractice();
    TextPracticeWindow &form = *f.window<TextPracticeWindow>(ManagedWindow::TextPracticeWindow);
    f.state.pendingText = reference;
    const auto loadStart = std::chrono::steady_clock::now();
    form.placeMaterial();
    form.reference()->repaint();
    const double loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - loadStart).count();
    StartDialog(f.ctx).startOnEnter(Qt::Key_Return);

    std::vector<double> perKey;
    int at = 0;
    for (auto _ : bench) {
        for (int i = 0; i < kKeystrokes; ++i, ++at) {
            // Every 20th character is typed wrong, so errors are counted too.
            const QChar c = at % 20 == 19 ? QChar(0x9519) : reference.at(at);
            const auto start = std::chrono::steady_clock::now();
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(form.input(), &commit);
            form.reference()->viewport()->repaint();
            form.input()->viewport()->repaint();
            perKey.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
    }
    bench.SetItemsProcessed(int64_t(perKey.size()));
    std::sort(perKey.begin(), perKey.end());
    bench.counters["load_ms"] = loadMs;
    bench.counters["median_us"] = perKey[perKey.size() / 2];
    bench.counters["p99_us"] = perKey[perKey.size() * 99 / 100];
    bench.counters["max_us"] = perKey.back();
}
BENCHMARK(BM_WholeTextKeystroke)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

QUORVEL_OFFSCREEN_BENCHMARK_MAIN()
