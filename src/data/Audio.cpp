#include "data/Audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <QFileInfo>

namespace {
enum class DeviceState { Untried, Open, Failed, Closed };
DeviceState g_state = DeviceState::Untried;

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

bool AudioDevice::isOpen()
{
    return g_state == DeviceState::Open;
}

void AudioDevice::close()
{
    if (g_state != DeviceState::Open)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_state = DeviceState::Closed;
}
