#include "data/Audio.h"

#include "data/SdlAudio.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {
enum class DeviceState { Untried, Open, Failed, Closed };
std::atomic<DeviceState> g_state{DeviceState::Untried};
std::atomic<int> g_holders{0};
std::mutex g_opening; // one open at a time, also against the worker
// The worker of openInBackground(), joined at the latest when the process
// ends (a joinable thread left at exit would abort it).
struct Worker {
    std::thread thread;
    ~Worker()
    {
        if (thread.joinable())
            thread.join();
    }
} g_worker;
// Who waits for the worker's open, and whether it is through; guarded by g_waiting.
std::mutex g_waiting;
std::vector<std::function<void()>> g_waiters;
bool g_workerDone = false;
std::function<void()> g_openedHandler; // guarded by g_waiting

void RunOnApplicationThread(std::function<void()> call)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
}

void loadSoundFont()
{
    for (const char *font : {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2"}) {
        if (QFileInfo::exists(QString::fromLatin1(font))) {
            Sdl().setSoundFonts(font);
            return;
        }
    }
}
} // namespace

bool AudioDevice::open()
{
    const std::lock_guard<std::mutex> lock(g_opening);
    if (g_state != DeviceState::Untried)
        return g_state == DeviceState::Open;
    g_state = DeviceState::Failed;
    if (!LoadSdlAudio())
        return false; // no sound libraries: a silent program
    // Qt owns SIGINT/SIGTERM handling; SDL must not install its own.
    Sdl().setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (Sdl().init(SDL_INIT_AUDIO) != 0)
        return false;
    Sdl().mixInit(MIX_INIT_MID);
    if (Sdl().openAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Sdl().mixQuit();
        Sdl().quitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    loadSoundFont();
    g_state = DeviceState::Open;
    const std::lock_guard<std::mutex> waiting(g_waiting);
    if (g_openedHandler)
        RunOnApplicationThread(g_openedHandler);
    return true;
}

void AudioDevice::openInBackground(std::function<void()> whenOpen)
{
    std::unique_lock<std::mutex> lock(g_waiting);
    const bool workerRunning = g_worker.thread.joinable() && !g_workerDone;
    if (g_state != DeviceState::Untried && !workerRunning) { // settled already
        lock.unlock();
        if (whenOpen && isOpen())
            RunOnApplicationThread(std::move(whenOpen));
        return;
    }
    if (whenOpen)
        g_waiters.push_back(std::move(whenOpen));
    if (workerRunning)
        return;
    if (g_worker.thread.joinable()) // the worker of an earlier open, through
        g_worker.thread.join();
    g_workerDone = false;
    // SDL keeps per-thread data (its error text) that this thread must release.
    g_worker.thread = std::thread([] {
        open();
        if (const SdlAudioLibrary *sdl = LoadSdlAudio())
            sdl->tlsCleanup();
        std::vector<std::function<void()>> waiters;
        {
            const std::lock_guard<std::mutex> done(g_waiting);
            waiters.swap(g_waiters);
            g_workerDone = true;
        }
        if (isOpen()) {
            for (auto &call : waiters)
                RunOnApplicationThread(std::move(call));
        }
    });
}

bool AudioDevice::isOpen()
{
    return g_state == DeviceState::Open;
}

namespace {
void CloseOpenDevice()
{
    Sdl().haltChannel(-1);
    Sdl().haltMusic();
    Sdl().closeAudio();
    Sdl().mixQuit();
    Sdl().quitSubSystem(SDL_INIT_AUDIO);
}
} // namespace

void AudioDevice::close()
{
    if (g_worker.thread.joinable())
        g_worker.thread.join();
    const std::lock_guard<std::mutex> lock(g_opening);
    if (g_state != DeviceState::Open)
        return;
    CloseOpenDevice();
    g_state = DeviceState::Closed;
}

bool AudioDevice::closeWhenIdle()
{
    {
        const std::lock_guard<std::mutex> waiting(g_waiting);
        if (g_worker.thread.joinable() && !g_workerDone)
            return false; // an open is under way for someone
    }
    const std::lock_guard<std::mutex> lock(g_opening);
    if (g_state != DeviceState::Open)
        return true;
    if (g_holders > 0 || Sdl().playing(-1) > 0 || Sdl().playingMusic())
        return false;
    CloseOpenDevice();
    g_state = DeviceState::Untried;
    return true;
}

void AudioDevice::setOpenedHandler(std::function<void()> handler)
{
    const std::lock_guard<std::mutex> waiting(g_waiting);
    g_openedHandler = std::move(handler);
}

void AudioDevice::hold()
{
    ++g_holders;
}

void AudioDevice::release()
{
    --g_holders;
}
