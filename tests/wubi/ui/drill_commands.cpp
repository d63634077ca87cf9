// The generated drills as the menu runs them: start settings, first page,
// start dialog, and every later page under the budget.
#include "practice/TextFile.h"
#include "practice/ui/RunLimitsDialog.h"
#include "wubi/Wubi.h"
#include "WubiHarness.h"

#include <QRadioButton>
#include <QTest>

namespace {
enum class Limit { Count, Time, None, Cancel };

const QString kKeyNames = KeyNameCharacters();

struct DrillCase {
    const char *command;
    int kind;
    const char *title;
    bool titleAfterStart;
};

const DrillCase kDrills[] = {
    {"wubi.keyNames", 2, "五笔键名字练习", false},        {"wubi.shortCodes1", 2, "五笔一级简码练习", false},
    {"wubi.shortCodes2.86", 2, "五笔二级简码练习", true},      {"wubi.shortCodes2.98", 2, "五笔二级简码练习", true},
    {"wubi.shortCodes3.86", 2, "五笔三级简码练习", true},      {"wubi.shortCodes3.98", 2, "五笔三级简码练习", true},
    {"wubi.phrases2.86", 3, "五笔二字词组练习", false},    {"wubi.phrases2.98", 3, "五笔二字词组练习", false},
    {"wubi.phrases3.86", 4, "五笔三字词组练习", false},    {"wubi.phrases3.98", 4, "五笔三字词组练习", false},
    {"wubi.phrases4.86", 5, "五笔四字词组练习", false},    {"wubi.phrases4.98", 5, "五笔四字词组练习", false},
    {"wubi.phrasesMany.86", 6, "五笔四字词组练习", false},    {"wubi.phrasesMany.98", 6, "五笔四字词组练习", false},
};

// Answers the start settings with `limit` (and `value`), Enter in the start
// dialog, and closes the result window.
struct DrillRun {
    WubiHarness &h;
    ModalAnswerer answerer;
    QString titleAtStartDialog;
    int reports = 0;

    DrillRun(WubiHarness &harness, Limit limit, const QString &value = QString()) : h(harness)
    {
        answerer.handle = [this, limit, value](QWidget *w) {
            if (auto *settings = qobject_cast<RunLimitsDialog *>(w)) {
                if (limit == Limit::Cancel) {
                    settings->cancel();
                    return;
                }
                const int option = limit == Limit::Count ? 0 : limit == Limit::Time ? 1 : 2;
                settings->limitKindButtons[option]->click();
                (limit == Limit::Time ? settings->timeLimitBox : settings->countLimitBox)->setText(value);
                settings->confirmLimits();
            } else if (auto *start = qobject_cast<StartDialog *>(w)) {
                titleAtStartDialog = h.state.practiceTitle;
                h.stopStatusTimers();
                start->startOnEnter(Qt::Key_Return);
            } else if (w->objectName() == QLatin1String("CountMessage")) {
                ++reports;
            }
        };
    }
};

// Types every line of the current page as its reference shows it, one
// character at a time.
void typePage(WubiHarness &h)
{
    LinePracticeWindow *line = h.line();
    for (int i = 0; i < LinePracticeWindow::kLines && h.runStarted(); ++i) {
        const QString text = line->reference(i)->text();
        for (QChar c : text)
            WubiHarness::commit(line->input(i), QString(c));
    }
}

bool allCharactersIn(const QString &text, const QString &pool)
{
    for (QChar c : text)
        if (!pool.contains(c))
            return false;
    return true;
}
} // namespace

class DrillCommands : public QObject {
    Q_OBJECT
private slots:
    void everyDrillStartsWithItsKindTitleAndFirstPage();
    void cancelledRunLimitsChangeNothingElse();
    void countLimitedDrillEndsWithTheLastGeneratedPage();
    void timeLimitedDrillKeepsProducingPages();
    void lettersDrillDrawsThirtyKeysSixtyALine();
    void phraseDrillsTintEveryOtherPhrase();
};

void DrillCommands::everyDrillStartsWithItsKindTitleAndFirstPage()
{
    for (const DrillCase &drill : kDrills) {
        WubiHarness h;
        h.state.practiceTitle = QStringLiteral("中文逐行对照练习");
        DrillRun run(h, Limit::None);
        QVERIFY2(h.shell.runCommand(QLatin1String(drill.command)), drill.command);

        QCOMPARE(run.answerer.seen, (QStringList{QStringLiteral("frmStartSet"), QStringLiteral("StartDialog")}));
        QCOMPARE(h.shell.lastDrillKind, drill.kind);
        QCOMPARE(h.state.practiceTitle, QString::fromUtf8(drill.title));
        QCOMPARE(run.titleAtStartDialog,
                 drill.titleAfterStart ? QStringLiteral("中文逐行对照练习") : QString::fromUtf8(drill.title));
        QVERIFY(h.state.chineseText);
        QVERIFY(h.state.generatedDrill);
        QVERIFY(h.runStarted());
        QVERIFY(h.state.unlimitedRun);

        const QString first = h.line()->reference(0)->text();
        QVERIFY2(first.size() >= 22 && first.size() <= 30, drill.command);
        for (int i = 1; i < LinePracticeWindow::kLines; ++i)
            QVERIFY(!h.line()->reference(i)->text().isEmpty());
        const QString name = QLatin1String(drill.command);
        if (name == QLatin1String("wubi.keyNames"))
            QVERIFY(allCharactersIn(first, kKeyNames));
        if (name == QLatin1String("wubi.shortCodes1"))
            QVERIFY(allCharactersIn(first, wubi::ShortCodePool(h.state.tables, {true, false, false, false, false})));
        if (name == QLatin1String("wubi.shortCodes2.98"))
            QVERIFY(allCharactersIn(first, wubi::ShortCodePool(h.state.tables, {false, false, true, false, false})));
        if (name.startsWith(QLatin1String("wubi.phrasesMany.")))
            QCOMPARE(h.state.phraseEdition86, name.endsWith(QLatin1String("86")));
        if (name.startsWith(QLatin1String("wubi.phrases")) && !name.startsWith(QLatin1String("wubi.phrasesMany."))) {
            const int length = name.mid(12, 1).toInt();
            QCOMPARE(h.state.drillPool, wubi::PhrasePool(h.state.tables, length, name.endsWith(QLatin1String("86"))));
        }
    }
}

void DrillCommands::cancelledRunLimitsChangeNothingElse()
{
    for (const char *command : {"wubi.shortCodes2.86", "wubi.keyNames", "wubi.phrasesMany.86", "english.letters"}) {
        WubiHarness h;
        h.state.practiceTitle = QStringLiteral("旧标题");
        h.state.randomCharDrill = true; // left over: close-others clears it
        DrillRun run(h, Limit::Cancel);
        h.shell.runCommand(QLatin1String(command));
        QCOMPARE(run.answerer.seen, QStringList{QStringLiteral("frmStartSet")});
        QCOMPARE(h.state.practiceTitle, QStringLiteral("旧标题"));
        QVERIFY(!h.runStarted());
        QVERIFY(h.state.pendingText.isEmpty());
        QVERIFY(h.line()->reference(0)->text().isEmpty());
        QVERIFY(!h.state.randomCharDrill);
        const bool letters = QLatin1String(command) == QLatin1String("english.letters");
        QCOMPARE(h.state.lettersOnlyDrill, letters);
        if (QLatin1String(command) == QLatin1String("wubi.keyNames"))
            QCOMPARE(h.state.drillPool, kKeyNames);
    }
}

void DrillCommands::countLimitedDrillEndsWithTheLastGeneratedPage()
{
    WubiHarness h;
    DrillRun run(h, Limit::Count, QStringLiteral("100"));
    h.shell.runCommand(QStringLiteral("wubi.phrases2.86"));
    QVERIFY(h.runStarted());
    QCOMPARE(h.state.charBudget, 100);
    QCOMPARE(h.state.charsGenerated, 100);
    QCOMPARE(h.line()->reference(3)->text().size(), 10);

    typePage(h);
    QVERIFY(!h.runStarted());
    QCOMPARE(run.reports, 1);
    QCOMPARE(h.state.charsGenerated, 100);
    QCOMPARE(h.run().errors(), 0);
}

void DrillCommands::timeLimitedDrillKeepsProducingPages()
{
    WubiHarness h;
    DrillRun run(h, Limit::Time, QStringLiteral("600"));
    h.shell.runCommand(QStringLiteral("wubi.shortCodes3.98"));
    QVERIFY(h.state.timeLimited);
    const QString pool = wubi::ShortCodePool(h.state.tables, {false, false, false, false, true});
    QStringList firstLines;
    for (int page = 0; page < 4; ++page) {
        firstLines << h.line()->reference(0)->text();
        QCOMPARE(h.line()->reference(3)->text().size(), 30);
        QVERIFY(allCharactersIn(h.line()->reference(2)->text(), pool));
        typePage(h);
        QVERIFY(h.runStarted());
        QCOMPARE(h.state.activeLine, 0);
    }
    QCOMPARE(run.reports, 0);
    QCOMPARE(h.state.charsGenerated, 5 * 120);
    QVERIFY(h.state.charBudget >= h.state.charsGenerated);
    QCOMPARE(firstLines.removeDuplicates(), 0);
}

void DrillCommands::lettersDrillDrawsThirtyKeysSixtyALine()
{
    WubiHarness h;
    DrillRun run(h, Limit::Count, QStringLiteral("1000"));
    for (int time = 0; time < 2; ++time) {
        h.shell.runCommand(QStringLiteral("english.letters"));
        QCOMPARE(h.state.letterPool, BuildLetterPool());
        QCOMPARE(h.shell.lastDrillKind, 1);
        QVERIFY(h.state.lettersOnlyDrill);
        QVERIFY(!h.state.chineseText);
        QVERIFY(h.state.generatedDrill);
        QCOMPARE(h.state.practiceTitle, QStringLiteral("英文纯字母对照练习"));
        const QString first = h.line()->reference(0)->text();
        QCOMPARE(first.size(), 60);
        QVERIFY(allCharactersIn(first, h.state.letterPool));
    }
}

namespace {
// The runs of equally tinted characters of a reference line.
QStringList TintRuns(const ReferenceLine *reference)
{
    QStringList runs;
    for (int i = 0; i < reference->charCount(); ++i) {
        if (i == 0 || reference->isTinted(i) != reference->isTinted(i - 1))
            runs.append(QString());
        runs.last() += reference->charAt(i);
    }
    return runs;
}
} // namespace

void DrillCommands::phraseDrillsTintEveryOtherPhrase()
{
    for (const char *command : {"wubi.phrases3.86", "wubi.phrasesMany.98", "wubi.keyNames"}) {
        WubiHarness h;
        DrillRun run(h, Limit::None);
        h.shell.runCommand(QLatin1String(command));
        const QString name = QLatin1String(command);
        for (int i = 0; i < LinePracticeWindow::kLines; ++i) {
            const ReferenceLine *reference = h.line()->reference(i);
            const QStringList runs = TintRuns(reference);
            QVERIFY2(!reference->isTinted(0), command);
            if (name == QLatin1String("wubi.keyNames")) { // no phrases, no tints
                QCOMPARE(runs.size(), 1);
                continue;
            }
            QVERIFY2(runs.size() >= 2, command);
            for (const QString &phrase : runs) {
                if (name == QLatin1String("wubi.phrases3.86"))
                    QCOMPARE(phrase.size(), 3);
                else
                    QVERIFY2(phrase.size() >= 5 && h.state.tables.t98.codeOf(phrase), qPrintable(phrase));
            }
            QCOMPARE(runs.join(QString()), reference->text()); // nothing added between phrases
        }
        // Typed and judged as before: the whole first line, right.
        const QString first = h.line()->reference(0)->text();
        for (QChar c : first)
            WubiHarness::commit(h.line()->input(0), QString(c));
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.state.activeLine, 1);
    }
}

QTEST_MAIN(DrillCommands)
#include "drill_commands.moc"
