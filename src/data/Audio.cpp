#include "data/Audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <QFileInfo>
#include <atomic>
#include <mutex>
#include <thread>

namespace {
enum class DeviceState { Untried, Open, Failed, Closed };
std::atomic<DeviceState> g_state{DeviceState::Untried};
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

void loadSoundFont()
{
    for (const char *font : {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2"}) {
        if (QFileInfo::exists(QString::fromLatin1(font))) {
            Mix_SetSoundFonts(font);
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
    // Qt owns SIGINT/SIGTERM handling; SDL must not install its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0)
        return false;
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    loadSoundFont();
    g_state = DeviceState::Open;
    return true;
}

void AudioDevice::openInBackground()
{
    if (g_state != DeviceState::Untried || g_worker.thread.joinable())
        return;
    // SDL keeps per-thread data (its error text) that this thread must release.
    g_worker.thread = std::thread([] {
        open();
        SDL_TLSCleanup();
    });
}

bool AudioDevice::isOpen()
{
    return g_state == DeviceState::Open;
}

void AudioDevice::close()
{
    if (g_worker.thread.joinable())
        g_worker.thread.join();
    const std::lock_guard<std::mutex> lock(g_opening);
    if (g_state != DeviceState::Open)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_state = DeviceState::Closed;
}
