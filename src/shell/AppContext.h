#pragma once
// What every window is handed: the shared state and the services around it.
// The services one subsystem offers the others are set by its registration
// and stay null while it is not registered.
#include "data/Paths.h"

struct PracticeState;
class SettingsStore;
class CuePlayer;
class Clock;
class RandomSource;
class Shell;
class WubiHelp;
class PracticeRun;
class ReportWindow;
class ProgressLog;
class ComposerMode;
class KeyDrills;
class PinyinData;

struct AppContext {
    PracticeState &state;
    SettingsStore &settings;
    CuePlayer &cues;
    Clock &clock;
    RandomSource &random;
    AppPaths paths;
    Shell *shell = nullptr;             // the main window, once it exists
    WubiHelp *wubiHelp = nullptr;       // hints and radical cards
    PracticeRun *practiceRun = nullptr; // start settings, first page, start dialog, live figures
    ReportWindow *reportWindow = nullptr; // the result window
    ProgressLog *progressLog = nullptr;   // per-character statistics
    ComposerMode *composer = nullptr;     // the built-in Wubi and pinyin composers, once the shell made them
    KeyDrills *keyDrills = nullptr;       // the key-position drill with a chosen target pool
    PinyinData *pinyinData = nullptr;     // character readings and the pinyin lexicon, read on first use
};
