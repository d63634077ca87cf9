// Start-up of the main window: from nothing to the window shown and idle with
// every subsystem registered (code tables, settings, background, status
// strip), and the peak resident memory of the process afterwards. Run with
// QT_QPA_PLATFORM=offscreen or under a display.
#include "shell/AppContext.h"
#include "app/ui/Fonts.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Registration.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {
class SilentPlayer final : public MusicPlayer {
public:
    bool play(const QString &) override { return false; }
    void stop() override {}
    bool isPlaying() const override { return false; }
};

double PeakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_MainWindowShownAndIdle(benchmark::State &st)
{
    QTemporaryDir home;
    const AppPaths paths{QStringLiteral(QUORVEL_DATA_ROOT), home.path() + "/config", home.path() + "/data"};
    for (auto _ : st) {
        PracticeState state;
        SettingsStore settings(paths.settingsFile());
        RecordingCuePlayer cues;
        SystemClock clock;
        SeededRandom random(1);
        AppContext ctx{state, settings, cues, clock, random, paths};
        MainWindow main(ctx, std::make_unique<SilentPlayer>());
        main.startUp();
        RegisterEverything(ctx, main);
        main.show();
        // Idle: nothing left to paint or lay out.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        st.PauseTiming();
        main.dismissSplash();
        main.close();
        st.ResumeTiming();
    }
    st.counters["peak_rss_MiB"] = PeakResidentMiB();
}
BENCHMARK(BM_MainWindowShownAndIdle)->Unit(benchmark::kMillisecond)->Iterations(10);
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    InstallChineseFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
