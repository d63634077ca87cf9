#pragma once
// The services a window needs, for a benchmark: settings in a folder of its
// own, cues recorded instead of played, a clock that only moves when told.
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "practice/ui/Register.h"
#include "shell/AppContext.h"
#include "support/FakeShell.h"

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

// The services with a shell, as in the program: the practice windows come
// from the registry, beside the status window that keeps their run.
struct BenchShell : BenchServices {
    explicit BenchShell(AppPaths appPaths = {}) : BenchServices(std::move(appPaths)), shell(ctx)
    {
        ctx.shell = &shell;
        RegisterLinePractice(ctx, shell);
        RegisterTextPractice(ctx, shell);
        shell.mainWindow()->show(); // the windows are painted as on screen
    }
    template <class Window>
    Window *window(ManagedWindow which) const { return dynamic_cast<Window *>(shell.window(which)); }

    FakeShell shell;
};
