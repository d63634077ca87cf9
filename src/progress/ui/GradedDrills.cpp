#include "progress/ui/ProgressCommands.h"

#include "pinyin/GradedMaterial.h"
#include "pinyin/PinyinData.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/LineDrill.h"
#include "shell/Shell.h"
#include "wubi/Wubi.h"

#include <QMessageBox>

namespace {

// Drill kinds of the line practice (Shell::selectDrillKind).
constexpr int kRandomCharacters = 2;
constexpr int kTwoCharacterPhrases = 3;
constexpr int kCommonWords = 2000;

// The pinyin data, or a message why it is missing.
PinyinData *AvailablePinyinData(AppContext &ctx, Shell &shell)
{
    if (ctx.pinyinData && ctx.pinyinData->available())
        return ctx.pinyinData;
    QMessageBox::warning(shell.mainWindow(), QStringLiteral("分级练习"),
                         ctx.pinyinData ? ctx.pinyinData->error() : QStringLiteral("拼音数据不可用"));
    return nullptr;
}

void RunCharacterDrill(AppContext &ctx, Shell &shell, const QString &title, const QString &pool)
{
    RunLineDrill(ctx, shell, {kRandomCharacters, title, false, [pool](AppContext &c) {
                                  c.state.drillPool = pool;
                                  return wubi::CharacterDrillText(c.state, pool, wubi::kDrillCharsPerLine,
                                                                  wubi::kDrillPageLines, c.random);
                              }, exercise::kWubiCharacters});
}

} // namespace

void RegisterGradedDrills(AppContext &ctx, Shell &shell)
{
    const QString levelTitles[] = {QStringLiteral("一级字（3500 常用字）"), QStringLiteral("二级字"),
                                   QStringLiteral("三级字")};
    for (int level = 1; level <= 3; ++level) {
        shell.setCommand(QStringLiteral("graded.level%1").arg(level), [&ctx, &shell, level, title = levelTitles[level - 1]] {
            if (PinyinData *data = AvailablePinyinData(ctx, shell))
                RunCharacterDrill(ctx, shell, title, CharactersOfLevel(*data->readings(), level));
        });
    }
    for (int band = 0; band < 3; ++band) {
        const int first = band * 500;
        const QString title = QStringLiteral("最常用字 %1–%2").arg(first + 1).arg(first + 500);
        shell.setCommand(QStringLiteral("graded.common%1").arg(first + 500), [&ctx, &shell, first, title] {
            if (PinyinData *data = AvailablePinyinData(ctx, shell))
                RunCharacterDrill(ctx, shell, title, CommonCharacters(*data->lexicon(), *data->readings(), first, 500));
        });
    }
    shell.setCommand(QStringLiteral("graded.words"), [&ctx, &shell] {
        PinyinData *data = AvailablePinyinData(ctx, shell);
        if (!data)
            return;
        // The most common two-character words, as the phrase drill takes them.
        const QString pool = data->lexicon()->mostCommon(kCommonWords, 2).join(QString());
        RunLineDrill(ctx, shell, {kTwoCharacterPhrases, QStringLiteral("常用词"), false, [pool](AppContext &c) {
                                      c.state.drillPool = pool;
                                      return wubi::PhraseDrillText(c.state, pool, 2, c.random);
                                  }, exercise::kWubiPhrases});
    });
}
