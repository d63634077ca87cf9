// Keystroke to hare move in the race window, while both runners animate:
// the tortoise steps every 60 ms (pace 1000) and the frames change every
// 100 ms. Each keystroke is posted as the window system would deliver it,
// at a random moment between timer ticks; the time runs until the hare's
// picture has moved and been painted. Prints the median, the 99th
// percentile and the worst case over 2000 keystrokes, as wall time and as
// the processor time the program spent (which a busy machine does not
// inflate).
// Run with QT_QPA_PLATFORM=offscreen or under a display.
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "game/ui/RaceWindow.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kKeystrokes = 2000;

// Notices when the hare's picture is painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> sorted, double p)
{
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, std::size_t(p * double(sorted.size())))];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir home;
    const AppPaths paths{QStringLiteral(QUORVEL_DATA_ROOT), home.path() + "/config", home.path() + "/data"};
    PracticeState state;
    SettingsStore settings(paths.settingsFile());
    RecordingCuePlayer cues;
    SystemClock clock;
    SeededRandom random(1);
    AppContext ctx{state, settings, cues, clock, random, paths};

    RaceWindow game(ctx);
    game.show();
    RaceSetup setup;
    setup.material = race::Material::Letters;
    setup.settings = {3599, race::PaceInterval(1000)};
    setup.pool = race::Pool(state.tables, setup.material);
    setup.firstLine = race::NextLine(state, setup.pool, setup.material, true, random);
    game.startRace(setup);
    for (int i = 0; i < race::kCountdownTicks; ++i)
        game.tickCountdown();

    PaintWatch watch;
    game.harePicture()->installEventFilter(&watch);
    SeededRandom pause(7);
    std::vector<double> latencies, cpu;
    QElapsedTimer idle, measure;
    for (int k = 0; k < kKeystrokes; ++k) {
        // Let the timers run for a random while, as between real keystrokes.
        idle.start();
        const int wait = pause.uniform(0, 40);
        while (idle.elapsed() < wait)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);

        const QChar target = game.raceLine().at(game.race()->typedInLine());
        const int before = game.race()->hareCount();
        watch.painted = false;
        measure.start();
        const double cpuStart = threadCpuMs();
        QCoreApplication::postEvent(game.input(), new QKeyEvent(QEvent::KeyPress, Qt::Key_unknown,
                                                                Qt::NoModifier, QString(target)));
        while (game.race()->hareCount() == before || !watch.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        latencies.push_back(double(measure.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - cpuStart);
    }
    std::printf("keystroke to hare move over %d keystrokes (ms): median %.3f  p99 %.3f  max %.3f\n",
                kKeystrokes, percentile(latencies, 0.5), percentile(latencies, 0.99),
                *std::max_element(latencies.begin(), latencies.end()));
    std::printf("processor time for the same (ms): median %.3f  p99 %.3f  max %.3f\n", percentile(cpu, 0.5),
                percentile(cpu, 0.99), *std::max_element(cpu.begin(), cpu.end()));
    std::printf("hare count %d, tortoise count %d\n", game.race()->hareCount(), game.race()->tortoiseCount());
    return 0;
}
