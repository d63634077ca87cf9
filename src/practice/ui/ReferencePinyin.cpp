#include "practice/ui/ReferencePinyin.h"

#include "data/Settings.h"
#include "pinyin/PinyinData.h"
#include "practice/PracticeState.h"
#include "practice/TypingRun.h"
#include "practice/ui/RunControl.h"
#include "practice/ui/RunPanel.h"
#include "progress/ProgressData.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "shell/ui/PinyinDrill.h"

bool PinyinChosen(const AppContext &ctx)
{
    return SettingToInt(ctx.settings.read(referencepinyin::kSection, referencepinyin::kShowValue)) != 0;
}

void SetPinyinChosen(AppContext &ctx, bool shown)
{
    ctx.settings.write(referencepinyin::kSection, referencepinyin::kShowValue,
                       shown ? QStringLiteral("1") : QStringLiteral("0"));
    if (const QString unavailable = PinyinUnavailableMessage(ctx); shown && ctx.shell && !unavailable.isEmpty())
        ctx.shell->setStatusMessage(unavailable);
}

bool PinyinDrillRun(const AppContext &ctx)
{
    return exercise::IsPinyin(ctx.state.exerciseKind);
}

bool PinyinOverReference(const AppContext &ctx)
{
    return PinyinChosen(ctx) || PinyinDrillRun(ctx);
}

QStringList ReferenceReadings(AppContext &ctx, const QString &text)
{
    PinyinData *data = ctx.pinyinData;
    if (!data || text.isEmpty() || !data->available())
        return {};
    return TonedContextReading(text, *data->lexicon(), *data->readings());
}

QStringList ReadingsInContext(AppContext &ctx, const std::function<QString(int position)> &charAt, int first,
                              int count)
{
    // Longer than most words: a word cut at the edge would be read wrongly.
    constexpr int kContext = 8;
    const int from = qMax(0, first - kContext);
    QString text;
    for (int i = from; i < first + count + kContext; ++i) {
        const QString c = charAt(i);
        if (c.isEmpty())
            break;
        text += c;
    }
    const QStringList readings = ReferenceReadings(ctx, text);
    if (readings.isEmpty())
        return {};
    return readings.mid(first - from, count);
}

void NotePinyinMistakes(AppContext &ctx, const QVector<CharacterVerdict> &verdicts,
                        const std::function<QString(int position)> &readingAt)
{
    if (!PinyinDrillRun(ctx) || !ctx.pinyinData || !ctx.pinyinData->available())
        return;
    TypingRun *run = OpenRun(ctx);
    if (!run)
        return;
    for (const CharacterVerdict &v : verdicts)
        if (!v.right && !v.expected.isEmpty() && !v.typed.isEmpty())
            run->pinyinMistakes().noteCharacter(v.expected, readingAt(v.position), v.typed,
                                                *ctx.pinyinData->readings());
}

void NotePinyinSyllables(AppContext &ctx, const QString &expectedSyllable, const QString &typedSyllable,
                         const QString &expectedChar)
{
    if (!PinyinDrillRun(ctx))
        return;
    if (TypingRun *run = OpenRun(ctx))
        run->pinyinMistakes().noteSyllables(expectedSyllable, typedSyllable, expectedChar);
}
