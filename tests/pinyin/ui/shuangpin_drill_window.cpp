// The 双拼 key drill window: a slip lights the syllable's keys and keeps it,
// thirty right syllables end a timed run, and every syllable lands in the
// progress statistics under the drill's own kind.
#include "pinyin/ui/ShuangpinDrillWindow.h"
#include "pinyin/ui/ShuangpinKeyboard.h"
#include "progress/ui/ProgressService.h"
#include "support/TestContext.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

class ShuangpinDrillWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aRunOfThirtySyllablesIsTimedAndRecorded()
    {
        TestContext t;
        ProgressService progress(t.ctx, QDir(t.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")),
                                 nullptr);
        ShuangpinDrillWindow window(t.ctx);
        window.schemeBox->setCurrentIndex(window.schemeBox->findData(int(PinyinScheme::Ziranma)));
        QCOMPARE(window.drill().chart().scheme(), PinyinScheme::Ziranma);
        const auto type = [&](const QString &keys) {
            for (QChar k : keys)
                QTest::keyClick(&window, k.toLatin1());
        };

        // Keys of another syllable: wrong, the same syllable stays, its keys lit.
        const SyllableKeys asked = window.drill().current();
        QCOMPARE(window.syllableLabel->text(), asked.syllable);
        const auto other = std::find_if(window.drill().chart().syllables().begin(), window.drill().chart().syllables().end(),
                                        [&](const SyllableKeys &s) { return !window.drill().chart().typesSyllable(s.keys, asked.syllable); });
        type(other->keys.left(1));
        QCOMPARE(window.typedLabel->text(), other->keys.left(1).toUpper());
        type(other->keys.mid(1));
        QCOMPARE(window.drill().current().syllable, asked.syllable);
        QCOMPARE(window.keyboard->highlighted(), asked.keys);
        QCOMPARE(t.cues.played.back(), Cue::Error);

        for (int i = 0; i < ShuangpinDrillWindow::kRunSyllables; ++i) {
            QVERIFY(window.run().isRunning());
            t.clock.advanceSeconds(2);
            type(window.drill().current().keys);
            QCOMPARE(t.cues.played.back(), Cue::Confirm);
        }
        QVERIFY(!window.run().isRunning());
        const RunFigures figures = window.run().figures();
        QCOMPARE(figures.characters, 30);
        QCOMPARE(figures.errors, 1);
        QCOMPARE(figures.speed(), 30); // 30 syllables in 60 seconds
        QVERIFY(window.figuresLabel->text().startsWith(QStringLiteral("本轮结束：30 个音节")));
        QVERIFY(window.figuresLabel->text().endsWith(QStringLiteral("96.77%")));

        const QVector<RunSummary> runs = progress.runSummaries();
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].kind, exercise::kShuangpinKeys);
        qint64 attempts = 0, errors = 0;
        for (const ItemStat &s : progress.store().itemStats(progress.learner(), exercise::kShuangpinKeys)) {
            attempts += s.tally.attempts;
            errors += s.tally.errors;
        }
        QCOMPARE(attempts, 31);
        QCOMPARE(errors, 1);
    }
};

QTEST_MAIN(ShuangpinDrillWindowTest)
#include "shuangpin_drill_window.moc"
