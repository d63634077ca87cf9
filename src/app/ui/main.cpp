// Quorvel: a typing tutor for Simplified Chinese.
#include "shell/AppContext.h"
#include "app/CommandLine.h"
#include "app/TerminationSignals.h"
#include "app/Translations.h"
#include "app/ui/AppStyle.h"
#include "app/ui/FrameSync.h"
#include "app/ui/Fonts.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Registration.h"
#include "data/Audio.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "pinyin/PinyinData.h"
#include "practice/PracticeState.h"

#include <QApplication>
#include <QFileInfo>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// The folder of the running executable, also when it was started through
// PATH or a symbolic link.
QString ExecutableDir(const char *argv0)
{
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(self.isEmpty() ? QString::fromLocal8Bit(argv0) : self).absolutePath();
}

int RunProgram(const CommandLineOptions &options, const QString &exeDir)
{
    const AppPaths paths = ResolvePaths(options.dataDir, exeDir);
    SettingsStore settings(paths.settingsFile());
    SdlCuePlayer cues(paths.data(QStringLiteral("sound")));
    SystemClock clock;
    SeededRandom random(std::uint64_t(clock.now().toMSecsSinceEpoch()));
    PracticeState state;
    AppContext ctx{state, settings, cues, clock, random, paths};
    PinyinData pinyinData(paths.data(QStringLiteral("data")));
    ctx.pinyinData = &pinyinData;

    MainWindow main(ctx);
    main.startUp();
    // A settings file that cannot be read whole or written is named in the
    // status strip, once, instead of settings silently not sticking.
    settings.setProblemReporter([&main](const QString &message) { main.setStatusMessage(message); });
    RegisterEverything(ctx, main);
    // SIGTERM and SIGINT leave every event loop, modal dialogs included;
    // the main window then closes as if the learner had closed it.
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, [] { QApplication::quit(); });
    SyncAfterEachFrame(&main);
    main.show();
    main.activateWindow();
    const int result = QApplication::exec();
    if (main.isVisible())
        main.close();
    return result;
}
} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString exeDir = ExecutableDir(argv[0]);
    const CommandLineOptions options = HandleCommandLine(args, exeDir);
    if (options.exitNow)
        return options.exitCode;

#ifdef __GLIBC__
    // The few helper threads (table reading, sound) allocate little; an
    // arena of their own each would keep tens of megabytes of address space
    // and their touched pages for the life of the program.
    mallopt(M_ARENA_MAX, 2);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel"));
    QApplication::setStyle(new AppStyle);
    InstallChineseFonts();
    InstallQtChineseTranslations(app);

    const int result = RunProgram(options, exeDir);
    // Last, after every user of the sound device is gone.
    AudioDevice::close();
    return result;
}
