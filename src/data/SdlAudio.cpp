#include "data/SdlAudio.h"

#include <dlfcn.h>

namespace {
template <typename Function>
bool Resolve(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const SdlAudioLibrary *Load()
{
    // Never closed: sound may be used until the process ends.
    void *sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    void *mixer = sdl ? dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!mixer)
        return nullptr;
    static SdlAudioLibrary api;
    const bool complete = Resolve(sdl, "SDL_SetHint", api.setHint) && Resolve(sdl, "SDL_Init", api.init) &&
                          Resolve(sdl, "SDL_QuitSubSystem", api.quitSubSystem) &&
                          Resolve(sdl, "SDL_TLSCleanup", api.tlsCleanup) && Resolve(mixer, "Mix_Init", api.mixInit) &&
                          Resolve(mixer, "Mix_Quit", api.mixQuit) && Resolve(mixer, "Mix_OpenAudio", api.openAudio) &&
                          Resolve(mixer, "Mix_CloseAudio", api.closeAudio) &&
                          Resolve(mixer, "Mix_SetSoundFonts", api.setSoundFonts) &&
                          Resolve(mixer, "Mix_AllocateChannels", api.allocateChannels) &&
                          Resolve(mixer, "Mix_LoadWAV", api.loadWav) && Resolve(mixer, "Mix_FreeChunk", api.freeChunk) &&
                          Resolve(mixer, "Mix_PlayChannel", api.playChannel) &&
                          Resolve(mixer, "Mix_HaltChannel", api.haltChannel) &&
                          Resolve(mixer, "Mix_Playing", api.playing) && Resolve(mixer, "Mix_LoadMUS", api.loadMusic) &&
                          Resolve(mixer, "Mix_FreeMusic", api.freeMusic) &&
                          Resolve(mixer, "Mix_PlayMusic", api.playMusic) &&
                          Resolve(mixer, "Mix_HaltMusic", api.haltMusic) &&
                          Resolve(mixer, "Mix_PlayingMusic", api.playingMusic);
    return complete ? &api : nullptr;
}
} // namespace

const SdlAudioLibrary *LoadSdlAudio()
{
    static const SdlAudioLibrary *const loaded = Load();
    return loaded;
}

const SdlAudioLibrary &Sdl()
{
    return *LoadSdlAudio();
}
