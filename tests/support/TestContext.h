#pragma once
// What every window is handed, over the fresh config and data folders of a
// TestEnv: the shared state, private settings, recorded cues, a manual clock
// and a seeded random source.
#include "shell/AppContext.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "pinyin/PinyinData.h"
#include "practice/PracticeState.h"
#include "practice/TypingRun.h"
#include "shell/PracticeRun.h"
#include "support/FakeShell.h"
#include "support/TestEnv.h"

#include <QDir>
#include <cstdint>

// The services alone: the shell under test sets ctx.shell.
struct TestServices {
    explicit TestServices(std::uint64_t seed = 1) : random(seed)
    {
        // The program creates its writable folders before anything runs.
        QDir().mkpath(ctx.paths.configDir);
        QDir().mkpath(ctx.paths.userDataDir);
        ctx.pinyinData = &pinyinData;
    }

    static AppPaths pathsIn(const TestEnv &env)
    {
        return AppPaths{TestEnv::dataRoot(), env.path() + QStringLiteral("/config/quorvel"),
                        env.path() + QStringLiteral("/share/quorvel")};
    }

    TestEnv env;
    PracticeState state;
    SettingsStore settings{pathsIn(env).settingsFile()};
    RecordingCuePlayer cues;
    ManualClock clock;
    SeededRandom random;
    AppContext ctx{state, settings, cues, clock, random, pathsIn(env)};
    PinyinData pinyinData{TestEnv::dataRoot() + QStringLiteral("/data")};

    // The run of the open status window, which keeps it; null while none is
    // open (or the line practice, which provides it, is not registered).
    TypingRun *openRun() const { return ctx.practiceRun ? ctx.practiceRun->run() : nullptr; }
    TypingRun &run() const
    {
        TypingRun *open = openRun();
        if (!open)
            qFatal("no status window is open");
        return *open;
    }
    bool runStarted() const { return openRun() && openRun()->isStarted(); }
    bool clockRunning() const { return openRun() && openRun()->isRunning(); }
};

// The services with a FakeShell as the main window.
struct TestContext : TestServices {
    explicit TestContext(std::uint64_t seed = 1) : TestServices(seed), shell(ctx)
    {
        ctx.shell = &shell;
    }

    FakeShell shell;
};
