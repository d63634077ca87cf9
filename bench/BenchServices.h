#pragma once
// The services a window needs, for a benchmark: settings in a folder of its
// own, cues recorded instead of played, a clock that only moves when told.
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"

#include <QTemporaryDir>

struct BenchServices {
    explicit BenchServices(AppPaths appPaths = {}) : paths(std::move(appPaths)) {}

    QTemporaryDir dir;
    PracticeState state;
    SettingsStore settings{dir.path() + QStringLiteral("/q.ini")};
    RecordingCuePlayer cues;
    ManualClock clock;
    SeededRandom random{1};
    AppPaths paths;
    AppContext ctx{state, settings, cues, clock, random, paths, nullptr, nullptr};
};
