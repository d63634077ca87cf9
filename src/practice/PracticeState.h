#pragma once
// The state shared by every exercise: kind of practice, material, the run's
// limits, the window registry, the code tables, the cue flags and font sizes.
// One plain object, created by the program and handed to whoever needs it;
// every test starts from a fresh one.
#include "data/CodeTable.h"
#include "data/Settings.h"
#include "practice/TextFile.h"

#include <QString>
#include <array>
#include <functional>

// The managed windows of the registry, named like the classes they create.
enum class ManagedWindow {
    LinePracticeWindow,
    TextPracticeWindow,
    FreeInputWindow,
    RunPanel,
    IdleBackground,
    StatusStrip,
    KeyDrillWindow,
    RadicalChartDrillWindow,
    RaceWindow,
    RecordViewer,
    KeypadDrillWindow,
    RadicalDrillWindow,
    ProgressWindow,
    ShuangpinChartWindow,
    ShuangpinDrillWindow,
};
inline constexpr int kManagedWindowCount = 15;

struct WindowFlags {
    // All three are written by the window registry alone.
    bool shown = false;          // set when the window is shown, cleared when it goes
    bool opening = false;        // kept open by the close-others step under way
    bool hiddenWithMain = false; // hidden because the main window was minimized
};

struct PracticeState {
    // Kind of practice
    bool chineseText = false;
    bool generatedDrill = false;
    QString practiceTitle;
    QString exerciseKind; // how the progress statistics file the run (exercise::kLine ...)
    bool lettersOnlyDrill = false;
    bool randomCharDrill = false;
    std::array<bool, 6> phraseDrillKind{}; // used at 2..5: two-, three-, four-, multi-character
    bool phraseEdition86 = false;
    QString drillPool;
    QString letterPool;

    // Material
    QString pendingText; // lines, each ended by CR LF
    // The passage (赛文) of a passage practice, whole, and its title; empty otherwise.
    QString passageText;
    QString passageTitle;

    // The line the caret is on in the line-by-line window. The run itself
    // (started, paused, typed text, errors) is kept by the status window's
    // TypingRun.
    int activeLine = 0;

    // Limits
    int charBudget = 0;
    int charsGenerated = 0;
    bool timeLimited = false;
    int timeLimitSeconds = 0;
    bool unlimitedRun = false;
    bool runLimitsCancelled = false;

    // Open dialogs and helpers
    bool startDialogShown = false;
    bool hintShown = false;
    bool resultWindowOpen = false;
    bool lookupWindowOpen = false;
    bool radicalCardOpen = false;

    // Window registry
    std::array<WindowFlags, kManagedWindowCount> windows{};
    WindowFlags &window(ManagedWindow w) { return windows[static_cast<int>(w)]; }
    const WindowFlags &window(ManagedWindow w) const { return windows[static_cast<int>(w)]; }
    bool shown(ManagedWindow w) const { return window(w).shown; }

    // Geometry values set once at start-up
    int dockOffset = 103; // pixels
    int dockCorrection = 4;

    // Code tables and the result of the last successful lookup. Read the
    // tables through CodeTablesOf(): the program leaves them on disk until
    // something needs them (tests fill `tables` directly).
    CodeTables tables;
    mutable std::function<void()> loadCodeTables; // set while they are still on disk; called once
    QString lookupCode;

    // Settings loaded at start-up
    CueFlags cues;
    FontSizes fonts;
};

// True when the edition's table has an entry for exactly `word`; then
// state.lookupCode holds its code (unchanged otherwise).
bool LookUpCode(PracticeState &state, QStringView word, bool edition86);

// The code tables, read first if they are still on disk.
const CodeTables &CodeTablesOf(const PracticeState &state);
// True when "#" + text occurs in the edition's table.
bool IsEntryPrefix(const PracticeState &state, QStringView text, bool edition86);
