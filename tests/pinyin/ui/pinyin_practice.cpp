// Pinyin in the line-by-line practice: toned pinyin over the reference, read
// in context, on the learner's demand (F7, kept in the settings) and always
// in a pinyin drill; the wrong characters of a pinyin drill diagnosed as
// confusions, shown in the report and kept per learner.
#include "../../practice/ui/PracticeHarness.h"
#include "pinyin/ui/PinyinDrillCommands.h"
#include "practice/ui/ReferencePinyin.h"
#include "practice/ui/TextPracticeWindow.h"
#include "progress/ui/ProgressService.h"
#include "shell/PracticeRun.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QDir>
#include <QtTest>

class PinyinPracticeTest : public QObject {
    Q_OBJECT
private slots:
    void readingsInContextOverTheReferenceOnDemand()
    {
        PracticeHarness h;
        h.state.pendingText = QStringLiteral("行走在银行\r\n");
        h.line->fillReferencePage();
        ReferenceLine *line = h.line->reference(0);
        QVERIFY(line->readings().isEmpty()); // off unless asked for
        QVERIFY(!h.line->pinyinBox()->isChecked());

        QTest::keyClick(h.line->input(0), Qt::Key_F7);
        QCOMPARE(line->readings(), (QStringList{QStringLiteral("xíng"), QStringLiteral("zǒu"), QStringLiteral("zài"),
                                                QStringLiteral("yín"), QStringLiteral("háng")}));
        QVERIFY(h.line->pinyinBox()->isChecked());
        QVERIFY(PinyinChosen(h.ctx)); // kept for the next time
        // Each reading over its own character: side by side, none overlapping.
        for (int i = 0; i + 1 < line->charCount(); ++i)
            QVERIFY2(line->readingRect(i).right() < line->readingRect(i + 1).left(), qPrintable(QString::number(i)));
        QVERIFY(line->readingRect(0).bottom() < line->height() / 2);

        QTest::keyClick(h.line->input(0), Qt::Key_F7);
        QVERIFY(line->readings().isEmpty());
        QVERIFY(!PinyinChosen(h.ctx));
    }

    // The text practice shows the line being typed with its pinyin, the
    // character to type marked, also further into the text.
    void textPracticeShowsTheLineBeingTyped()
    {
        TestContext t;
        TextPracticeWindow w(t.ctx);
        t.state.pendingText = QStringLiteral("他在银行工作。") + QStringLiteral("我们走在长长的街道上。").repeated(8);
        w.placeMaterial();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.pinyinLine()->isVisible());
        QTest::keyClick(w.input(), Qt::Key_F7);
        QVERIFY(w.pinyinLine()->isVisible());
        const QString first = w.pinyinLine()->text();
        QVERIFY2(first.startsWith(QStringLiteral("他在银行工作。")), qPrintable(first));
        QCOMPARE(w.pinyinLine()->readings().mid(0, 4),
                 (QStringList{QStringLiteral("tā"), QStringLiteral("zài"), QStringLiteral("yín"), QStringLiteral("háng")}));
        QCOMPARE(w.pinyinLine()->selectionStart(), 0);

        // Typed past the first line of the box: the pinyin line follows, and
        // marks the same character as the box.
        w.beginRun();
        QInputMethodEvent commit;
        commit.setCommitString(first);
        w.noteKeyPressed();
        QApplication::sendEvent(w.input(), &commit);
        const ReferenceLine *line = w.pinyinLine();
        QVERIFY(line->text() != first);
        QCOMPARE(line->selectedText(), w.selectedReference());
        QCOMPARE(line->readings().size(), line->charCount());
        QCOMPARE(line->readings().value(line->text().indexOf(QStringLiteral("长长"))), QStringLiteral("cháng"));
    }

    void mistypedSyllablesAreDiagnosedInReportAndStore()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        ProgressService progress(h.ctx, QDir(h.ctx.paths.userDataDir).filePath(QStringLiteral("progress.sqlite")), nullptr);
        h.settings.write(QStringLiteral("User"), QStringLiteral("Name"), QStringLiteral("小明"));
        h.state.exerciseKind = exercise::kPinyinWords;
        h.startRun(QStringLiteral("中国银行\r\n"));
        // A pinyin drill shows the pinyin whatever was chosen: 行 of 银行 is háng.
        QCOMPARE(h.line->reference(0)->readings().value(3), QStringLiteral("háng"));
        QVERIFY(!h.line->pinyinBox()->isEnabled());

        h.commit(0, QStringLiteral("宗")); // zōng for zhōng
        h.commit(0, QStringLiteral("国"));
        h.commit(0, QStringLiteral("银"));
        h.commit(0, QStringLiteral("寒")); // hán for háng: the run ends
        QTRY_COMPARE(watcher.reports.size(), std::size_t(1));
        QCOMPARE(watcher.reports.front().pinyinMistakes,
                 (QStringList{QStringLiteral("平翘舌 z/zh：1 处"), QStringLiteral("前后鼻音 -n/-ng：1 处")}));

        const QVector<ConfusionStat> stored = progress.store().confusions(QStringLiteral("小明"));
        QCOMPARE(stored.size(), 2);
        QStringList rows;
        for (const ConfusionStat &c : stored)
            rows << QStringList{c.kind, c.expectedSyllable, c.typedSyllable, c.expectedChar, c.typedChar,
                                QString::number(c.count)}
                        .join(QLatin1Char(' '));
        rows.sort();
        QCOMPARE(rows, (QStringList{QStringLiteral("n-ng háng hán 行 寒 1"), QStringLiteral("z-zh zhōng zōng 中 宗 1")}));
    }

    // A composer's misspelt syllables count in a pinyin drill, and only there.
    void composerSyllablesThroughTheRunHook()
    {
        for (const QString &kind : {exercise::kPinyinCharacters, exercise::kLine}) {
            PracticeHarness h;
            ModalWatcher watcher;
            h.state.exerciseKind = kind;
            h.startRun(QStringLiteral("山\r\n"));
            QVERIFY(h.ctx.practiceRun);
            h.ctx.practiceRun->notePinyinSyllables(QStringLiteral("shān"), QStringLiteral("san"), QStringLiteral("山"));
            h.commit(0, QStringLiteral("山"));
            QTRY_COMPARE(watcher.reports.size(), std::size_t(1));
            QCOMPARE(watcher.reports.front().pinyinMistakes,
                     kind == exercise::kLine ? QStringList() : QStringList{QStringLiteral("平翘舌 s/sh：1 处")});
        }
    }

    // Without its data pinyin practice says why it cannot run, and the line
    // practice goes on as it was.
    void withoutDataEveryDrillSaysWhy()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        PinyinData missing(h.env.path() + QStringLiteral("/nowhere"));
        h.ctx.pinyinData = &missing;
        RegisterPinyinDrills(h.ctx, h.shell);
        for (const char *key : {"pinyin.initials", "pinyin.level2", "pinyin.words1", "pinyin.text"}) {
            watcher.messages.clear();
            QVERIFY(h.shell.runCommand(QString::fromLatin1(key)));
            QCOMPARE(watcher.messages.size(), 1);
            QVERIFY2(watcher.messages.first().startsWith(QStringLiteral("拼音练习不可用：")), key);
            QVERIFY(watcher.messages.first().size() > 8); // and the reason
        }
        QCOMPARE(h.state.exerciseKind, exercise::kLine);
        h.state.pendingText = QStringLiteral("银行\r\n");
        h.line->fillReferencePage();
        QTest::keyClick(h.line->input(0), Qt::Key_F7);
        QVERIFY(h.line->reference(0)->readings().isEmpty());
        QCOMPARE(h.line->reference(0)->text(), QStringLiteral("银行"));
    }
};

QTEST_MAIN(PinyinPracticeTest)
#include "pinyin_practice.moc"
