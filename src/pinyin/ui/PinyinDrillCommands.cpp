#include "pinyin/ui/PinyinDrillCommands.h"

#include "pinyin/GradedMaterial.h"
#include "pinyin/PinyinData.h"
#include "pinyin/PinyinDrills.h"
#include "practice/PracticeState.h"
#include "progress/ProgressData.h"
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "shell/ui/PinyinDrill.h"

namespace {

// Frequency bands of the common words: the first 500, then wider bands.
struct WordBand {
    const char *key;
    int first;
    int count;
};
const WordBand kWordBands[] = {
    {"pinyin.words1", 0, 500}, {"pinyin.words2", 500, 1500}, {"pinyin.words3", 2000, 3000}, {"pinyin.words4", 5000, 5000}};

} // namespace

void RegisterPinyinDrills(AppContext &ctx, Shell &shell)
{
    const auto soundDrill = [&ctx, &shell](const QString &key, const QString &title, const QString &kind,
                                           auto groupsOf) {
        shell.setCommand(key, [&ctx, &shell, title, kind, groupsOf] {
            RunPinyinDrill(ctx, shell, title, kind, [&ctx, groupsOf](PinyinData &data, int characters) {
                return pinyin::SoundDrillText(groupsOf(*data.lexicon(), *data.readings()), characters, ctx.random);
            });
        });
    };
    soundDrill(QStringLiteral("pinyin.initials"), QStringLiteral("拼音声母练习"), exercise::kPinyinInitials,
               &pinyin::InitialGroups);
    soundDrill(QStringLiteral("pinyin.finals"), QStringLiteral("拼音韵母练习"), exercise::kPinyinFinals,
               &pinyin::FinalGroups);
    soundDrill(QStringLiteral("pinyin.wholeSyllables"), QStringLiteral("整体认读音节练习"),
               exercise::kPinyinWholeSyllables, &pinyin::WholeSyllableGroups);

    const QString levelTitles[] = {QStringLiteral("一级字练习"), QStringLiteral("二级字练习"), QStringLiteral("三级字练习")};
    for (int level = 1; level <= 3; ++level) {
        const QString title = levelTitles[level - 1];
        shell.setCommand(QStringLiteral("pinyin.level%1").arg(level), [&ctx, &shell, level, title] {
            RunPinyinDrill(ctx, shell, title, exercise::kPinyinCharacters, [&ctx, level](PinyinData &data, int characters) {
                return pinyin::CharacterDrillText(CharactersOfLevel(*data.readings(), level), characters, ctx.random);
            });
        });
    }

    for (const WordBand &band : kWordBands) {
        const QString title = QStringLiteral("常用词练习（%1–%2）").arg(band.first + 1).arg(band.first + band.count);
        shell.setCommand(QString::fromLatin1(band.key), [&ctx, &shell, band, title] {
            RunPinyinDrill(ctx, shell, title, exercise::kPinyinWords, [&ctx, band](PinyinData &data, int characters) {
                const QStringList words = CommonWords(*data.lexicon(), band.first + band.count).mid(band.first);
                return pinyin::WordDrillText(words, characters, ctx.random);
            });
        });
    }

    // The bundled texts, line by line with their pinyin: the ordinary line
    // practice, filed as a pinyin drill.
    shell.setCommand(QStringLiteral("pinyin.text"), [&ctx, &shell] {
        if (!PinyinDrillsAvailable(ctx, shell) || !shell.runCommand(QStringLiteral("chinese.line")))
            return;
        ctx.state.exerciseKind = exercise::kPinyinText;
        ctx.state.practiceTitle = QStringLiteral("拼音课文练习");
    });
}
