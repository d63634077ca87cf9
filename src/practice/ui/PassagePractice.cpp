#include "practice/ui/PassagePractice.h"

#include "data/Clock.h"
#include "practice/Passage.h"
#include "practice/PracticeState.h"
#include "practice/TextFile.h"
#include "practice/TypingRun.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/ReferenceFileDialog.h"
#include "practice/ui/RunControl.h"
#include "progress/ProgressData.h"
#include "shell/AppContext.h"
#include "shell/PracticeRun.h"
#include "shell/Shell.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

namespace {
const QString kCaption = QStringLiteral("赛文");

void Tell(AppContext &ctx, const QString &text)
{
    QMessageBox::warning(ctx.shell ? ctx.shell->mainWindow() : nullptr, kCaption, text);
}

// A passage is typed in one go: a long text is cut, and the learner told.
QString FitPassage(AppContext &ctx, QString text)
{
    QString cut;
    int characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate())
            continue;
        if (++characters > kMaxPassageCharacters) {
            cut = text.left(i);
            break;
        }
    }
    if (cut.isNull())
        return text;
    Tell(ctx, QStringLiteral("这篇文章超过 %1 字，赛文只取前 %1 字。").arg(kMaxPassageCharacters));
    return cut;
}

void StartPassage(AppContext &ctx, Shell &shell, const QString &title, const QString &text)
{
    if (text.trimmed().isEmpty())
        return Tell(ctx, QStringLiteral("“%1”里没有可以打的文字。").arg(title));
    shell.openTextPractice();
    PracticeState &s = ctx.state;
    s.chineseText = true;
    s.practiceTitle = QStringLiteral("赛文：") + title;
    s.exerciseKind = exercise::kPassage;
    s.passageTitle = title;
    s.passageText = FitPassage(ctx, text);
    PreparePassageRun(ctx);
}
} // namespace

void PreparePassageRun(AppContext &ctx)
{
    PracticeState &s = ctx.state;
    const TypingRun *run = ctx.practiceRun ? ctx.practiceRun->run() : nullptr;
    if ((run && run->isStarted()) || s.passageText.isEmpty() || !ctx.shell || !s.shown(ManagedWindow::TextPracticeWindow))
        return;
    auto *window = dynamic_cast<PracticeWindow *>(ctx.shell->window(ManagedWindow::TextPracticeWindow));
    if (!window)
        return;
    s.pendingText = s.passageText;
    window->placeMaterial();
    ShowStartDialog(ctx);
}

void RegisterPassagePractice(AppContext &ctx, Shell &shell)
{
    shell.setCommand(QStringLiteral("chinese.passageDaily"), [&ctx, &shell] {
        const Passage passage = DailyPassage(ctx.paths, ctx.clock.now().date());
        if (!passage.error.isEmpty())
            return Tell(ctx, passage.error);
        StartPassage(ctx, shell, QStringLiteral("每日赛文 ") + passage.title, passage.text);
    });
    shell.setCommand(QStringLiteral("chinese.passageFile"), [&ctx, &shell] {
        const QString file = ChooseReferenceFile(shell.mainWindow(), ctx.paths.data(QStringLiteral("text/Czh")));
        if (file.isEmpty())
            return;
        const TextReadResult read = ReadTextFile(file, false);
        if (!read.ok)
            return Tell(ctx, QStringLiteral("无法读取“%1”：%2").arg(QDir::toNativeSeparators(file), read.error));
        if (!read.warning.isEmpty())
            Tell(ctx, QStringLiteral("“%1”没有完整读出：%2。").arg(QDir::toNativeSeparators(file), read.warning));
        StartPassage(ctx, shell, PassageTitleOfFile(file), read.text);
    });
    shell.setCommand(QStringLiteral("chinese.passageClipboard"), [&ctx, &shell] {
        const QString copied = QGuiApplication::clipboard()->text();
        if (copied.trimmed().isEmpty())
            return Tell(ctx, QStringLiteral("剪贴板里没有文字。先复制一段要打的文章，再选“剪贴板赛文”。"));
        const TextReadResult prepared = PrepareText(copied, false);
        if (!prepared.warning.isEmpty())
            Tell(ctx, prepared.warning + QStringLiteral("。"));
        StartPassage(ctx, shell, QStringLiteral("剪贴板文章"), prepared.text);
    });
}
