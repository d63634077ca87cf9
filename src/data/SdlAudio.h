#pragma once
// SDL and SDL_mixer, loaded when sound is first needed instead of with the
// program: they bring some forty libraries (sound servers, decoders, MIDI
// synthesis) that a program sitting at its main window never uses.
#include <SDL.h>
#include <SDL_mixer.h>

struct SdlAudioLibrary {
    decltype(&::SDL_SetHint) setHint;
    decltype(&::SDL_Init) init;
    decltype(&::SDL_QuitSubSystem) quitSubSystem;
    decltype(&::SDL_TLSCleanup) tlsCleanup;
    decltype(&::Mix_Init) mixInit;
    decltype(&::Mix_Quit) mixQuit;
    decltype(&::Mix_OpenAudio) openAudio;
    decltype(&::Mix_CloseAudio) closeAudio;
    decltype(&::Mix_SetSoundFonts) setSoundFonts;
    decltype(&::Mix_AllocateChannels) allocateChannels;
    decltype(&::Mix_LoadWAV) loadWav;
    decltype(&::Mix_FreeChunk) freeChunk;
    decltype(&::Mix_PlayChannel) playChannel;
    decltype(&::Mix_HaltChannel) haltChannel;
    decltype(&::Mix_Playing) playing;
    decltype(&::Mix_LoadMUS) loadMusic;
    decltype(&::Mix_FreeMusic) freeMusic;
    decltype(&::Mix_PlayMusic) playMusic;
    decltype(&::Mix_HaltMusic) haltMusic;
    decltype(&::Mix_PlayingMusic) playingMusic;
};

// Loads the libraries once per process (any thread); nullptr when they or
// one of their functions are missing, and the program is then silent.
const SdlAudioLibrary *LoadSdlAudio();
// The loaded libraries; only once LoadSdlAudio() has succeeded, which every
// open sound device and every loaded sound implies.
const SdlAudioLibrary &Sdl();
