#include "shell/ui/PinyinDrill.h"

#include "pinyin/PinyinData.h"
#include "practice/PracticeState.h"
#include "shell/AppContext.h"
#include "shell/LineDrill.h"
#include "shell/Shell.h"

#include <QMessageBox>

namespace {

// Characters of a drill with no count limit: the run ends by time or by the
// stop button long before they are typed.
constexpr int kOpenEndedCharacters = 5000;

int DrillCharacters(const PracticeState &s)
{
    return s.timeLimited || s.unlimitedRun || s.charBudget <= 0 ? kOpenEndedCharacters : s.charBudget;
}

} // namespace

QString PinyinUnavailableMessage(AppContext &ctx)
{
    if (ctx.pinyinData && ctx.pinyinData->available())
        return QString();
    return QStringLiteral("拼音练习不可用：")
           + (ctx.pinyinData ? ctx.pinyinData->error() : QStringLiteral("没有拼音数据"));
}

bool PinyinDrillsAvailable(AppContext &ctx, Shell &shell)
{
    const QString unavailable = PinyinUnavailableMessage(ctx);
    if (unavailable.isEmpty())
        return true;
    QMessageBox::information(shell.mainWindow(), QStringLiteral("拼音练习"), unavailable);
    return false;
}

void RunPinyinDrill(AppContext &ctx, Shell &shell, const QString &title, const QString &kind,
                    std::function<QString(PinyinData &data, int characters)> makeText)
{
    if (!PinyinDrillsAvailable(ctx, shell))
        return;
    RunLineDrill(ctx, shell, {0, title, false, [makeText](AppContext &c) {
                                  return makeText(*c.pinyinData, DrillCharacters(c.state));
                              }, kind});
}

