#include "progress/ui/ProgressCommands.h"

#include "data/Clock.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "pinyin/PinyinData.h"
#include "progress/PinyinConfusions.h"
#include "progress/ProgressSummary.h"
#include "keyboard/KeyboardPicture.h"
#include "progress/WeakKeys.h"
#include "data/Clock.h"
#include "practice/Passage.h"
#include "progress/ui/PassageRankingWindow.h"
#include "progress/ui/ProgressService.h"
#include "records/RecordFile.h"
#include "shell/AppContext.h"
#include "shell/KeyDrills.h"
#include "shell/LineDrill.h"
#include "shell/Shell.h"
#include "shell/ui/NameField.h"
#include "shell/ui/PinyinDrill.h"
#include "wubi/Wubi.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// Drill kinds of the line practice (Shell::selectDrillKind).
constexpr int kRandomCharacters = 2;
constexpr int kTwoCharacterPhrases = 3;
// Items drawn into a pool: enough for the proportions to hold.
constexpr int kPoolItems = 1000;
// Pairs of syllables the confusion drill contrasts at most.
constexpr int kConfusedPairs = 8;

QVector<WeightedItem> LearnerCharacterWeights(const ProgressService &progress)
{
    return CharacterWeights(progress.store().itemStats(progress.learner()));
}

// With nothing to build the drill from: says so and offers `ordinary`.
void OfferOrdinaryDrill(Shell &shell, const QString &what, const QString &ordinary,
                        const QString &ordinaryCaption)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("薄弱%1练习").arg(what),
                    QStringLiteral("还没有你的%1练习统计，无法找出薄弱之处。\n先做一次“%2”吗？").arg(what, ordinaryCaption),
                    QMessageBox::Yes | QMessageBox::No, shell.mainWindow());
    if (box.exec() == QMessageBox::Yes)
        shell.runCommand(ordinary);
}

// A weak-spot drill is filed under the kind of drill it is.
void RunWeakDrill(AppContext &ctx, Shell &shell, int kind, const QString &title, const QString &pool,
                  std::function<QString(AppContext &)> firstPage)
{
    const QString exerciseKind = kind == kRandomCharacters ? exercise::kWubiCharacters : exercise::kWubiPhrases;
    RunLineDrill(ctx, shell, {kind, title, false, [pool, firstPage](AppContext &c) {
                                  c.state.drillPool = pool;
                                  return firstPage(c);
                              }, exerciseKind});
}

// The line drill of today's review: every due character and phrase on the
// first page, the due characters drawn at random after it.
void RunReviewDrill(AppContext &ctx, Shell &shell, const QVector<ReviewItem> &due)
{
    QString characters;
    QStringList words;
    for (const ReviewItem &item : due) {
        if (item.kind == review::kCharacter)
            characters += item.item;
        if (item.kind != review::kKey)
            words.append(item.item);
    }
    if (characters.isEmpty()) // phrases alone: their characters come round again
        characters = words.join(QString());
    RunLineDrill(ctx, shell, {kRandomCharacters, QStringLiteral("今日复习"), false,
                              [characters, words](AppContext &c) {
                                  c.state.drillPool = characters;
                                  QStringList lines;
                                  QString line;
                                  for (const QString &w : words) {
                                      if (line.size() + w.size() > wubi::kDrillCharsPerLine) {
                                          lines.append(line);
                                          line.clear();
                                      }
                                      line += w;
                                  }
                                  if (!line.isEmpty())
                                      lines.append(line);
                                  c.state.charsGenerated += int(lines.join(QString()).size());
                                  return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
                              },
                              exercise::kWubiCharacters});
}

} // namespace

void EditGoal(AppContext &ctx, Shell &shell, ProgressService &progress)
{
    const QString material = ctx.state.practiceTitle;
    if (material.isEmpty()) {
        QMessageBox::information(shell.mainWindow(), QStringLiteral("练习目标"),
                                 QStringLiteral("先打开一篇文章或一种练习，再为它设目标。"));
        return;
    }
    const PracticeGoal goal = progress.currentGoal();
    QDialog dialog(shell.mainWindow());
    dialog.setWindowTitle(QStringLiteral("练习目标"));
    auto *form = new QFormLayout(&dialog);
    auto *about = new QLabel(goal.isSet() ? GoalText(goal) : QStringLiteral("还没有目标"), &dialog);
    about->setObjectName(QStringLiteral("goalState"));
    form->addRow(QStringLiteral("练习："), new QLabel(material, &dialog));
    form->addRow(QStringLiteral("现在："), about);
    auto *speed = new QSpinBox(&dialog);
    speed->setObjectName(QStringLiteral("targetSpeed"));
    speed->setRange(1, 400);
    speed->setSuffix(QStringLiteral(" 字/分"));
    speed->setValue(goal.isSet() ? int(goal.targetSpeed) : 40);
    auto *accuracy = new QSpinBox(&dialog);
    accuracy->setObjectName(QStringLiteral("targetAccuracy"));
    accuracy->setRange(50, 100);
    accuracy->setSuffix(QStringLiteral(" %"));
    accuracy->setValue(goal.isSet() ? int(goal.targetAccuracy) : 95);
    form->addRow(QStringLiteral("目标速度："), speed);
    form->addRow(QStringLiteral("目标正确率："), accuracy);
    form->addRow(new QLabel(QStringLiteral("反复练习，直到一次练习同时达到两个目标。"), &dialog));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!progress.setGoal(speed->value(), accuracy->value()))
        shell.setStatusMessage(QStringLiteral("目标无法保存：") + progress.store().error());
    else
        shell.setStatusMessage(QStringLiteral("已设目标：") + GoalText(progress.currentGoal()));
}

QString ReviewDueText(const QVector<ReviewItem> &due)
{
    int counts[3] = {0, 0, 0};
    for (const ReviewItem &item : due)
        ++counts[item.kind == review::kCharacter ? 0 : item.kind == review::kPhrase ? 1 : 2];
    return QStringLiteral("今日待复习 %1 项（字 %2，词组 %3，键 %4）")
        .arg(due.size())
        .arg(counts[0])
        .arg(counts[1])
        .arg(counts[2]);
}

void OpenTodaysReview(AppContext &ctx, Shell &shell, ProgressService &progress)
{
    progress.flush();
    const QVector<ReviewItem> due = progress.store().reviewItems(progress.learner(), ctx.clock.now().date());
    if (due.isEmpty()) {
        QMessageBox::information(shell.mainWindow(), QStringLiteral("今日复习"),
                                 QStringLiteral("今日没有待复习的项目。打错、打慢或用了长码的字、词组和键会记入错字本。"));
        return;
    }
    shell.setStatusMessage(ReviewDueText(due));
    const bool textDue = std::any_of(due.cbegin(), due.cend(),
                                     [](const ReviewItem &item) { return item.kind != review::kKey; });
    if (textDue) {
        RunReviewDrill(ctx, shell, due);
        shell.setStatusMessage(ReviewDueText(due)); // opening the drill clears the strip
        return;
    }
    if (!ctx.keyDrills)
        return;
    // Keys alone: the key drill draws from them, each as often.
    const KeyboardPicture keyboard = KeyboardPicture::mainBlock();
    std::vector<int> targets;
    for (const ReviewItem &item : due)
        targets.push_back(keyboard.codeOf(item.item));
    ctx.keyDrills->openWeakKeyDrill(targets);
}

QString WeakCharacterPool(const ProgressService &progress, RandomSource &random)
{
    return DrawWeakSpots(LearnerCharacterWeights(progress), kPoolItems, random).join(QString());
}

QString WeakPhrasePool(const ProgressService &progress, const QString &phrasePool, RandomSource &random)
{
    QHash<QString, double> weightOf;
    for (const WeightedItem &w : LearnerCharacterWeights(progress))
        weightOf.insert(w.item, w.weight);
    QVector<WeightedItem> phrases;
    for (int i = 0; i + 2 <= phrasePool.size(); i += 2) {
        const QString phrase = phrasePool.mid(i, 2);
        const double weight = weightOf.value(phrase.left(1)) + weightOf.value(phrase.mid(1, 1));
        if (weight > 0)
            phrases.append({phrase, weight});
    }
    return DrawWeakSpots(phrases, kPoolItems, random).join(QString());
}

bool ChooseLearner(AppContext &ctx, ProgressService &progress, QWidget *parent)
{
    const QString current = progress.learner();
    QStringList names = progress.store().learners();
    names.removeAll(QString());
    if (!current.isEmpty() && !names.contains(current))
        names.prepend(current);
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("学习者"));
    dialog.setLabelText(QStringLiteral("选择学习者，或输入新的名字："));
    dialog.setComboBoxItems(names);
    dialog.setComboBoxEditable(true);
    dialog.setTextValue(names.value(qMax(0, names.indexOf(current))));
    // The box takes no more than the stored name holds, so a long name is
    // seen cut while typing rather than cut silently when saved.
    if (auto *box = dialog.findChild<QComboBox *>())
        LimitToNameField(box->lineEdit());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString chosen = dialog.textValue().trimmed();
    if (chosen.isEmpty())
        return false;
    progress.endRun(); // what was typed so far belongs to the previous learner
    const QString name = FitTextField(chosen, kNameWidth).trimmed();
    // The result window offers the same name when a result is saved.
    ctx.settings.write(QStringLiteral("User"), QStringLiteral("Name"), name);
    // Practice done before any name was set can be handed to this learner.
    if (progress.store().learners().contains(QString())
        && QMessageBox::question(parent, QStringLiteral("学习者"),
                                 QStringLiteral("把未署名时的练习统计归到“%1”名下吗？").arg(name),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes)
        progress.adoptUnnamed(name);
    return true;
}

void RegisterProgressCommands(AppContext &ctx, Shell &shell, ProgressService &progress)
{
    RegisterGradedDrills(ctx, shell);
    shell.setCommand(QStringLiteral("other.learner"), [&ctx, &shell, &progress] {
        ChooseLearner(ctx, progress, shell.mainWindow());
    });
    // The tries at the passage practised last, or else at today's passage.
    shell.setCommand(QStringLiteral("chinese.passageRanking"), [&ctx, &shell, &progress] {
        QString title = ctx.state.passageTitle, text = ctx.state.passageText;
        if (text.isEmpty()) {
            const Passage today = DailyPassage(ctx.paths, ctx.clock.now().date());
            title = QStringLiteral("每日赛文 ") + today.title;
            text = today.text;
        }
        if (text.isEmpty())
            return (void)QMessageBox::information(shell.mainWindow(), QStringLiteral("赛文成绩"),
                                                  QStringLiteral("还没有打过赛文。"));
        progress.flush();
        ShowPassageRanking(shell.mainWindow(), progress.store(), progress.learner(), title, PassageKey(text), 0);
    });
    shell.setCommand(QStringLiteral("other.weakChars"), [&ctx, &shell, &progress] {
        progress.flush(); // the keystrokes of this session count too
        const QString pool = WeakCharacterPool(progress, ctx.random);
        if (pool.isEmpty())
            return OfferOrdinaryDrill(shell, QStringLiteral("字"), QStringLiteral("chinese.line"),
                                      QStringLiteral("中文逐行对打"));
        RunWeakDrill(ctx, shell, kRandomCharacters, QStringLiteral("薄弱字练习"), pool, [](AppContext &c) {
            return wubi::CharacterDrillText(c.state, c.state.drillPool, wubi::kDrillCharsPerLine,
                                            wubi::kDrillPageLines, c.random);
        });
    });
    shell.setCommand(QStringLiteral("other.weakKeys"), [&ctx, &shell, &progress] {
        progress.flush();
        const std::vector<int> targets = WeakKeyTargets(
            progress.store().itemStats(progress.learner(), exercise::kKeys), kPoolItems, ctx.random);
        if (targets.empty() || !ctx.keyDrills)
            return OfferOrdinaryDrill(shell, QStringLiteral("键"), QStringLiteral("keyboard.positions"),
                                      QStringLiteral("打字键区键位练习"));
        ctx.keyDrills->openWeakKeyDrill(targets);
    });
    // The learner's own confused pairs of syllables, from the menu 拼音练习 and 其他.
    const auto confusionDrill = [&ctx, &shell, &progress] {
        progress.flush();
        const QVector<pinyin::ConfusedPair> pairs =
            PairsToDrill(progress.store().confusions(progress.learner()), kConfusedPairs);
        if (pairs.isEmpty())
            return OfferOrdinaryDrill(shell, QStringLiteral("读音"), QStringLiteral("pinyin.initials"),
                                      QStringLiteral("拼音声母练习"));
        RunPinyinDrill(ctx, shell, QStringLiteral("易混读音练习"), exercise::kPinyinConfusions,
                       [pairs](PinyinData &data, int characters) {
                           return pinyin::ConfusedPairsText(pairs, characters, *data.lexicon(), *data.readings());
                       });
    };
    shell.setCommand(QStringLiteral("pinyin.confusions"), confusionDrill);
    shell.setCommand(QStringLiteral("other.pinyinConfusions"), confusionDrill);
    shell.setCommand(QStringLiteral("other.goal"), [&ctx, &shell, &progress] { EditGoal(ctx, shell, progress); });
    shell.setCommand(QStringLiteral("other.review"), [&ctx, &shell, &progress] {
        OpenTodaysReview(ctx, shell, progress);
    });
    shell.setCommand(QStringLiteral("other.weakPhrases"), [&ctx, &shell, &progress] {
        progress.flush();
        const QString pool = WeakPhrasePool(progress, wubi::PhrasePool(CodeTablesOf(ctx.state), 2, true), ctx.random);
        if (pool.isEmpty())
            return OfferOrdinaryDrill(shell, QStringLiteral("词组"), QStringLiteral("wubi.phrases2.86"),
                                      QStringLiteral("二字词组"));
        RunWeakDrill(ctx, shell, kTwoCharacterPhrases, QStringLiteral("薄弱词组练习"), pool, [](AppContext &c) {
            return wubi::PhraseDrillText(c.state, c.state.drillPool, 2, c.random);
        });
    });
}
