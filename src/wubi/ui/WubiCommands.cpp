// The generated Wubi and letter drills of the menu, and the code lookup.
#include "wubi/ui/Register.h"

#include "practice/PracticeState.h"
#include "practice/TextFile.h"
#include "progress/ProgressData.h"
#include "shell/AppContext.h"
#include "shell/LineDrill.h"
#include "shell/PracticeRun.h"
#include "shell/Shell.h"
#include "wubi/Wubi.h"
#include "wubi/ui/CodeLookup.h"
#include "wubi/ui/RadicalDrillCommands.h"
#include "wubi/ui/WubiHints.h"

#include <QWidget>
#include <functional>

namespace {

enum DrillKind { Letters = 1, RandomChars = 2, TwoCharPhrases = 3, ThreeCharPhrases = 4, FourCharPhrases = 5,
                 LongPhrases = 6 };

using Drill = LineDrill;

QString characterPage(AppContext &ctx, const QString &pool)
{
    ctx.state.drillPool = pool;
    return wubi::CharacterDrillText(ctx.state, pool, wubi::kDrillCharsPerLine, wubi::kDrillPageLines, ctx.random);
}

Drill shortCodeDrill(ShortCodeSelectors which, const QString &title, bool titleAfterStart)
{
    return {RandomChars, title, titleAfterStart, [which](AppContext &ctx) {
                return characterPage(ctx, wubi::ShortCodePool(CodeTablesOf(ctx.state), which));
            }, exercise::kWubiShortCodes};
}

Drill phraseDrill(int length, bool edition86, const QString &title)
{
    return {DrillKind(length + 1), title, false, [length, edition86](AppContext &ctx) {
                ctx.state.drillPool = wubi::PhrasePool(CodeTablesOf(ctx.state), length, edition86);
                return wubi::PhraseDrillText(ctx.state, ctx.state.drillPool, length, ctx.random);
            }, exercise::kWubiPhrases};
}

Drill longPhraseDrill(bool edition86)
{
    return {LongPhrases, QStringLiteral("五笔四字词组练习"), false, [edition86](AppContext &ctx) {
                ctx.state.phraseEdition86 = edition86;
                return wubi::LongPhraseDrillText(ctx.state, edition86, ctx.random);
            }, exercise::kWubiPhrases};
}

void runLettersDrill(AppContext &ctx, Shell &shell)
{
    PracticeState &s = ctx.state;
    PracticeRun *run = ctx.practiceRun;
    if (!run)
        return;
    shell.openLinePractice();
    // The pool is rebuilt rather than appended to, so it stays the same size
    // however often the drill is chosen.
    s.letterPool = BuildLetterPool();
    shell.selectDrillKind(Letters); // the start settings read lettersOnlyDrill
    run->showRunLimits();
    if (s.runLimitsCancelled)
        return;
    s.chineseText = false;
    s.pendingText = wubi::CharacterDrillText(s, s.letterPool, wubi::kLetterDrillPerLine, wubi::kDrillPageLines, ctx.random);
    run->fillReferencePage();
    s.generatedDrill = true;
    s.practiceTitle = QStringLiteral("英文纯字母对照练习");
    s.exerciseKind = exercise::kLetters;
    run->showStartDialog();
}

void registerDrill(AppContext &ctx, Shell &shell, const QString &key, const Drill &drill)
{
    shell.setCommand(key, [&ctx, &shell, drill] { RunLineDrill(ctx, shell, drill); });
}

} // namespace

void RegisterWubi(AppContext &ctx, Shell &shell)
{
    auto *hints = new WubiHints(ctx, shell.mainWindow());
    ctx.wubiHelp = hints;

    const QString second = QStringLiteral("五笔二级简码练习");
    const QString third = QStringLiteral("五笔三级简码练习");
    shell.setCommand(QStringLiteral("wubi.keyNames"), [&ctx, &shell] {
        // The key-name pool is in place before the start settings, also when
        // they are cancelled.
        ctx.state.drillPool = KeyNameCharacters();
        RunLineDrill(ctx, shell, {RandomChars, QStringLiteral("五笔键名字练习"), false, [](AppContext &c) {
                                  return characterPage(c, KeyNameCharacters());
                              }, exercise::kWubiKeyNames});
    });
    registerDrill(ctx, shell, QStringLiteral("wubi.shortCodes1"),
                  shortCodeDrill({true, false, false, false, false}, QStringLiteral("五笔一级简码练习"), false));
    registerDrill(ctx, shell, QStringLiteral("wubi.shortCodes2.86"), shortCodeDrill({false, true, false, false, false}, second, true));
    registerDrill(ctx, shell, QStringLiteral("wubi.shortCodes2.98"), shortCodeDrill({false, false, true, false, false}, second, true));
    registerDrill(ctx, shell, QStringLiteral("wubi.shortCodes3.86"), shortCodeDrill({false, false, false, true, false}, third, true));
    registerDrill(ctx, shell, QStringLiteral("wubi.shortCodes3.98"), shortCodeDrill({false, false, false, false, true}, third, true));

    const QString phraseTitles[] = {QStringLiteral("五笔二字词组练习"), QStringLiteral("五笔三字词组练习"),
                                    QStringLiteral("五笔四字词组练习")};
    for (int length = 2; length <= 4; ++length) {
        for (bool edition86 : {true, false}) {
            const QString name = QStringLiteral("wubi.phrases%1.%2").arg(length).arg(edition86 ? 86 : 98);
            registerDrill(ctx, shell, name, phraseDrill(length, edition86, phraseTitles[length - 2]));
        }
    }
    registerDrill(ctx, shell, QStringLiteral("wubi.phrasesMany.86"), longPhraseDrill(true));
    registerDrill(ctx, shell, QStringLiteral("wubi.phrasesMany.98"), longPhraseDrill(false));

    shell.setCommand(QStringLiteral("english.letters"), [&ctx, &shell] { runLettersDrill(ctx, shell); });
    shell.setCommand(QStringLiteral("help.codeLookup"), [&ctx] { ShowCodeLookup(ctx); });
    RegisterRadicalDrills(ctx, shell);
}
