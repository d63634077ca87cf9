// Time from a key event to the redrawn keyboard in the key-position drill:
// key-down and key-up of one key, judged, figures updated, and the whole
// keyboard picture drawn; also one drawing of each keyboard alone. Drawing
// goes into an image, so no window system is involved.
#include "BenchServices.h"
#include "OffscreenBenchmarkMain.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "keyboard/ui/KeypadDrillWindow.h"
#include "keyboard/ui/KeyDrillWindow.h"
#include "keyboard/ui/KeyboardView.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <vector>

namespace {

struct Services : BenchServices {
    Services() : BenchServices(AppPaths{QStringLiteral(QUORVEL_DATA_ROOT), {}, {}}) {}
};

void Strike(PhysicalKeyWindow *w, Qt::Key key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QApplication::sendEvent(w, &up);
    w->keyStrokes().settle(); // judged now, not once no repeat has followed
}

void BM_KeystrokeToRepaint(benchmark::State &bench)
{
    Services s;
    KeyDrillWindow window(s.ctx);
    QImage image(window.view()->size(), QImage::Format_ARGB32_Premultiplied);
    // Alternately the target (a hit) and a key next to it (a miss).
    std::vector<double> perKeystroke;
    int n = 0;
    for (auto _ : bench) {
        const int target = window.drill().target();
        const bool typeable = (target >= '0' && target <= '9') || (target >= 'A' && target <= 'Z');
        const Qt::Key key = typeable && n++ % 2 == 0 ? Qt::Key(target) : Qt::Key_Q;
        const auto start = std::chrono::steady_clock::now();
        Strike(&window, key);
        window.view()->render(&image);
        perKeystroke.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        s.clock.advanceSeconds(1);
    }
    std::sort(perKeystroke.begin(), perKeystroke.end());
    bench.counters["median_us"] = perKeystroke[perKeystroke.size() / 2];
    bench.counters["p99_us"] = perKeystroke[perKeystroke.size() * 99 / 100];
}
BENCHMARK(BM_KeystrokeToRepaint)->Unit(benchmark::kMicrosecond)->Iterations(2000);

template <class Window>
void BM_FullRepaint(benchmark::State &bench)
{
    Services s;
    Window window(s.ctx);
    QImage image(window.view()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : bench)
        window.view()->render(&image);
}
BENCHMARK_TEMPLATE(BM_FullRepaint, KeyDrillWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_FullRepaint, KeypadDrillWindow)->Unit(benchmark::kMicrosecond);

} // namespace

QUORVEL_OFFSCREEN_BENCHMARK_MAIN()
