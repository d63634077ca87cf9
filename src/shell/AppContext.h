#pragma once
// What every window is handed: the shared state and the services around it.
#include "data/Paths.h"

struct PracticeState;
class SettingsStore;
class CuePlayer;
class Clock;
class RandomSource;
class Shell;
class WubiHelp;

struct AppContext {
    PracticeState &state;
    SettingsStore &settings;
    CuePlayer &cues;
    Clock &clock;
    RandomSource &random;
    AppPaths paths;
    Shell *shell = nullptr;       // the main window, once it exists
    WubiHelp *wubiHelp = nullptr; // hints and radical cards, once registered
};
