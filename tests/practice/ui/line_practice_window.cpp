// Judging in the line-by-line window: input-method commits, errors and their
// correction, line and page advance, end of text, and the report it ends in.
#include "PracticeHarness.h"
#include "records/RecordFile.h"
#include "shell/WubiHelp.h"

#include <QFile>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kTwoPages = QStringLiteral(
    "你好，世界\r\n春眠不觉晓\r\n处处闻啼鸟\r\nab cd\r\n夜来风雨声\r\n花落知多少。\r\n");

class RecordingWubiHelp : public WubiHelp {
public:
    void hintKey(bool edition86, const QString &referenceLine, int pos, int line, QWidget *, QWidget *) override
    {
        hints << QStringLiteral("%1|%2|%3|%4").arg(edition86 ? 86 : 98).arg(referenceLine).arg(pos).arg(line);
    }
    void showRadicalCard(int keyCode, bool edition86) override
    {
        cards << QStringLiteral("%1|%2").arg(QChar(keyCode)).arg(edition86 ? 86 : 98);
    }
    void closeHint() override { ++closed; }
    QStringList hints, cards;
    int closed = 0;
};
} // namespace

class LinePracticeWindowTest : public QObject {
    Q_OBJECT
private slots:
    void wholeChineseRunSavesItsRecord()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        int step = 0;
        watcher.handle = [&](QWidget *w) {
            if (w->objectName() != QLatin1String("CountMessage"))
                return false; // the "saved" message box is closed
            if (step == 0) {
                w->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("小明"));
                QTimer::singleShot(0, w->findChild<QPushButton *>(QStringLiteral("comSave")), &QPushButton::click);
                step = 1;
                return true;
            }
            return step == 1 && !watcher.messages.contains(QStringLiteral("记录已成功保存"));
        };
        h.startRun(kTwoPages);
        QCOMPARE(h.unlockedInputs(), 1);
        QVERIFY(!h.line->input(0)->isReadOnly());
        QVERIFY(h.line->reference(0)->selectionVisible());
        QCOMPARE(h.line->expectedChar(), QStringLiteral("你"));

        // Line 0: right, right, right, one wrong character erased again, then
        // a phrase of two characters, each judged against its own.
        h.commitEach(0, QStringLiteral("你好，"));
        QCOMPARE(h.run().errors(), 0);
        h.commit(0, QStringLiteral("事"));
        QCOMPARE(h.run().errors(), 1);
        QVERIFY(h.line->reference(0)->isMarked(3));
        QCOMPARE(h.cues.played.back(), Cue::Error);
        h.backspace(0);
        QCOMPARE(h.line->input(0)->text(), QStringLiteral("你好，"));
        QCOMPARE(h.run().errors(), 0);
        QVERIFY(!h.line->reference(0)->isMarked(3));
        h.commit(0, QStringLiteral("世界"));
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.line->reference(0)->markCount(), 0);
        QCOMPARE(h.cues.played.back(), Cue::Confirm);
        QCOMPARE(h.state.activeLine, 1);
        QVERIFY(h.line->input(0)->isReadOnly());
        QVERIFY(!h.line->reference(0)->selectionVisible());
        QVERIFY(h.line->reference(1)->selectionVisible());
        QCOMPARE(h.line->expectedChar(), QStringLiteral("春"));

        h.commit(1, QStringLiteral("春眠不觉晓")); // one commit of the whole line
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.line->reference(1)->markCount(), 0);
        h.commitEach(2, QStringLiteral("处处闻啼鸟"));
        QTest::keyClicks(h.line->input(3), QStringLiteral("ab cd"));
        QCOMPARE(h.run().errors(), 0);

        // The second page: lines 0 and 1 hold the rest, no marks, line 0 active.
        QCOMPARE(h.line->reference(0)->text(), QStringLiteral("夜来风雨声"));
        QCOMPARE(h.line->reference(1)->text(), QStringLiteral("花落知多少。"));
        QCOMPARE(h.line->reference(2)->text(), QString());
        QCOMPARE(h.line->reference(0)->markCount(), 0);
        QCOMPARE(h.state.activeLine, 0);
        QCOMPARE(h.line->expectedChar(), QStringLiteral("夜"));
        QCOMPARE(h.line->reference(0)->selectionStart(), 0);
        QVERIFY(h.line->reference(0)->selectionVisible());
        QVERIFY(!h.line->reference(3)->selectionVisible());
        QCOMPARE(h.unlockedInputs(), 1);
        QCOMPARE(h.run().typed(), QStringLiteral("你好，世界春眠不觉晓处处闻啼鸟ab cd"));

        h.commitEach(0, QStringLiteral("夜来风鱼声"));
        QCOMPARE(h.run().errors(), 1);
        QCOMPARE(h.state.activeLine, 1);

        // Backspace at the start of line 1 goes back to the end of line 0
        // without erasing; the next one erases a right character: no change.
        h.backspace(1);
        QCOMPARE(h.state.activeLine, 0);
        QCOMPARE(h.line->input(0)->text(), QStringLiteral("夜来风鱼声"));
        QVERIFY(!h.line->input(0)->isReadOnly());
        QVERIFY(h.line->input(1)->isReadOnly());
        h.backspace(0);
        QCOMPARE(h.line->input(0)->text(), QStringLiteral("夜来风鱼"));
        QCOMPARE(h.run().errors(), 1);
        QCOMPARE(h.line->expectedChar(), QStringLiteral("声"));
        h.commit(0, QStringLiteral("声"));
        QCOMPARE(h.state.activeLine, 1);

        h.status->tickFigures();
        h.commitEach(1, QStringLiteral("花落知多少"));
        h.runSeconds(60);
        QCOMPARE(h.status->timeLabel->text(), QStringLiteral("00:01:00"));
        QCOMPARE(h.status->speedLabel->text(), QStringLiteral("  30 字/分"));
        QCOMPARE(h.status->typedCountLabel->text(), QStringLiteral("30"));
        QCOMPARE(h.status->accuracyLabel->text(), QStringLiteral("96.67%"));

        h.commit(1, QStringLiteral("。")); // the end of the text
        QVERIFY(!h.runStarted());
        QVERIFY(!h.clockRunning());
        QCOMPARE(watcher.reports.size(), size_t(1));
        const PracticeReport &report = watcher.reports[0];
        QCOMPARE(report.title, QStringLiteral("统计资料——打字类型：中文打字"));
        QCOMPARE(report.captions[1], QStringLiteral("文字字数"));
        // The speed counts the closing mark too: 31 characters in a minute.
        const std::array<QString, 6> expected = {"31 字/分", "28", "2", "31", "96.77%", "00:01:00"};
        QCOMPARE(report.values, expected);
        QVERIFY(h.status->speedLabel->text().isEmpty()); // live figures emptied
        QCOMPARE(h.run().typedCounts().totalCount, 31); // both pages, the closing mark too

        // The record as saved from the result window.
        QFile file(h.ctx.paths.recordFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(RecordCountForLength(bytes.size()), 1);
        const TypingRecord saved = DecodeRecord(bytes.constData());
        QCOMPARE(saved.number, 1);
        QCOMPARE(saved.name.trimmed(), QStringLiteral("小明"));
        QCOMPARE(saved.speed, 31);
        QCOMPARE(saved.characters, 28);
        QCOMPARE(saved.punctuation, 2);
        QCOMPARE(saved.total, 31);
        QCOMPARE(saved.accuracy.trimmed(), QStringLiteral("96.77%"));
        QCOMPARE(saved.timeUsed.trimmed(), QStringLiteral("00:01:00"));
        QCOMPARE(saved.kind.trimmed(), QStringLiteral("中文逐行对照练习"));
        TypingRecord expectedRecord;
        expectedRecord.number = 1;
        expectedRecord.name = QStringLiteral("小明");
        expectedRecord.speed = 31;
        expectedRecord.characters = 28;
        expectedRecord.punctuation = 2;
        expectedRecord.total = 31;
        expectedRecord.accuracy = QStringLiteral("96.77%");
        expectedRecord.timeUsed = QStringLiteral("00:01:00");
        expectedRecord.kind = QStringLiteral("中文逐行对照练习");
        expectedRecord.savedAt = SaveTimeText(h.clock.now());
        QCOMPARE(bytes.left(kRecordDataSize), EncodeRecord(expectedRecord));
    }

    void emptyTextEndsOnTheFirstKeystroke()
    {
        PracticeHarness h(false);
        ModalWatcher watcher;
        h.startRun(QString());
        QTest::keyClick(h.line->input(0), Qt::Key_A);
        QVERIFY(!h.runStarted());
        QCOMPARE(watcher.titles, QStringList{QStringLiteral("统计资料——打字类型：英文打字")});
        QCOMPARE(watcher.reports.size(), size_t(1));
        const auto &values = watcher.reports[0].values;
        QCOMPARE(values[3], QStringLiteral("1"));
        QCOMPARE(values[4], QStringLiteral("00.00%"));
        QCOMPARE(watcher.reports[0].captions[1], QStringLiteral("字母数"));
    }

    void blankLinesInThePageTakeOneKeystrokeEach()
    {
        PracticeHarness h(false);
        ModalWatcher watcher;
        // The blank line is followed by text on the same (last) page: the run
        // goes on to it rather than ending there.
        h.startRun(QStringLiteral("ab\r\n\r\ncd\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("ab"));
        QVERIFY(h.runStarted());
        QCOMPARE(h.state.activeLine, 1);
        QCOMPARE(h.line->expectedChar(), QString());
        QTest::keyClicks(h.line->input(1), QStringLiteral("x")); // judged wrong, then on
        QCOMPARE(h.run().errors(), 1);
        QCOMPARE(h.state.activeLine, 2);
        QTest::keyClicks(h.line->input(2), QStringLiteral("cd"));
        QVERIFY(!h.runStarted());
        QCOMPARE(watcher.reports.size(), size_t(1));
        QCOMPARE(watcher.reports[0].values[3], QStringLiteral("5"));
        QCOMPARE(watcher.reports[0].values[4], QStringLiteral("80.00%"));
    }

    void trailingBlankLinesEndTheRun()
    {
        PracticeHarness h(false);
        ModalWatcher watcher;
        h.startRun(QStringLiteral("ab\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("ab"));
        QVERIFY(!h.runStarted());
        QCOMPARE(watcher.titles.size(), 1);
    }

    // Input-method commits of several characters, each into the active line:
    // every character is judged against the reference character at its own
    // position, one cue per commit, and what runs past the end of a line
    // goes on in the next line (or page) as if typed one at a time.
    void phrasesCommittedInOneGo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("commits");
        QTest::addColumn<int>("errors");
        QTest::addColumn<QString>("marks"); // line:position of each marked reference character
        QTest::addColumn<int>("activeLine");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cues"); // C confirm, E error
        QTest::addColumn<bool>("running");

        QTest::newRow("two-character phrases right")
            << "你好世界中国人民\r\n我的工人\r\n" << QStringList{"你好", "世界", "中国", "人民"} << 0 << ""
            << 1 << QStringList{"你好世界中国人民", "", "", ""} << "你好世界中国人民" << "CCCC" << true;
        QTest::newRow("second of three wrong")
            << "中国人民万岁\r\n下\r\n" << QStringList{"中果人"} << 1 << "0:1" << 0
            << QStringList{"中果人", "", "", ""} << "中果人" << "E" << true;
        QTest::newRow("a phrase crossing two line ends")
            << "你好\r\n再见\r\n后来\r\n" << QStringList{"你好再见后"} << 0 << "" << 2
            << QStringList{"你好", "再见", "后", ""} << "你好再见后" << "C" << true;
        QTest::newRow("past the line end, judged on the next line")
            << "你好\r\n再见\r\n" << QStringList{"你好吗"} << 1 << "1:0" << 1
            << QStringList{"你好", "吗", "", ""} << "你好吗" << "E" << true;
        QTest::newRow("past the page end, on the next page")
            << "一\r\n二\r\n三\r\n四\r\n五六\r\n七\r\n" << QStringList{"一二三四五"} << 0 << "" << 0
            << QStringList{"五", "", "", ""} << "一二三四五" << "C" << true;
        QTest::newRow("past the end of the text, dropped")
            << "你好\r\n" << QStringList{"你好吗"} << 0 << "" << 1 << QStringList{"你好", "", "", ""} << "你好"
            << "C" << false;
    }
    void phrasesCommittedInOneGo()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, commits);
        PracticeHarness h;
        ModalWatcher watcher;
        h.startRun(text);
        for (const QString &commit : commits)
            h.commit(h.state.activeLine, commit);
        QTEST(h.run().errors(), "errors");
        QStringList marks;
        QStringList inputs;
        for (int line = 0; line < LinePracticeWindow::kLines; ++line) {
            for (int i = 0; i < h.line->reference(line)->charCount(); ++i)
                if (h.line->reference(line)->isMarked(i))
                    marks << QStringLiteral("%1:%2").arg(line).arg(i);
            inputs << h.line->input(line)->text();
        }
        QTEST(marks.join(QLatin1Char(',')), "marks");
        QTEST(h.state.activeLine, "activeLine");
        QTEST(inputs, "inputs");
        QTEST(h.run().typed(), "typed");
        QString cues;
        for (Cue cue : h.cues.played)
            cues += cue == Cue::Confirm ? QLatin1Char('C') : QLatin1Char('E');
        QTEST(cues, "cues");
        QTEST(h.runStarted(), "running");
    }

    // Erasing takes off exactly the marks of the characters erased, however
    // they go: select all, Ctrl+Backspace, a selection typed over.
    void erasuresTakeOffExactlyTheirMarks()
    {
        PracticeHarness h;
        h.startRun(QStringLiteral("中国人民万岁\r\n下一行\r\n"));
        auto *in = h.line->input(0);
        h.commit(0, QStringLiteral("中果人"));
        QCOMPARE(h.run().errors(), 1);
        QTest::keyClick(in, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(in, Qt::Key_Backspace);
        QCOMPARE(in->text(), QString());
        QCOMPARE(h.run().errors(), 0);
        h.backspace(0); // nothing left to erase: never below 0
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.line->reference(0)->markCount(), 0);

        h.commit(0, QStringLiteral("中果仁"));
        QCOMPARE(h.run().errors(), 2);
        QTest::keyClick(in, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(in, Qt::Key_Delete);
        QCOMPARE(h.run().errors(), 0);

        h.commit(0, QStringLiteral("中果仁民"));
        QTest::keyClick(in, Qt::Key_Backspace, Qt::ControlModifier);
        QVERIFY(in->text().size() < 4);
        QCOMPARE(h.run().errors(), h.line->reference(0)->markCount());

        // A mouse selection of the wrong character, typed over with the right one.
        in->setText(QString());
        h.commit(0, QStringLiteral("中果人"));
        QCOMPARE(h.run().errors(), 1);
        in->setSelection(1, 1);
        h.commit(0, QStringLiteral("国"));
        QCOMPARE(in->text(), QStringLiteral("中国人"));
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.line->reference(0)->markCount(), 0);
        QCOMPARE(h.line->expectedChar(), QStringLiteral("民"));
    }

    // Composition of an input method is not typing: only the commit counts.
    void preeditIsNeverJudged()
    {
        PracticeHarness h;
        h.startRun(QStringLiteral("你好世界\r\n"));
        for (const QString &code : {QStringLiteral("w"), QStringLiteral("wq"), QStringLiteral("wqvb")}) {
            QInputMethodEvent compose(code, {});
            QApplication::sendEvent(h.line->input(0), &compose);
        }
        QVERIFY(h.cues.played.empty());
        QCOMPARE(h.run().errors(), 0);
        h.commit(0, QStringLiteral("你好"));
        QCOMPARE(h.cues.played, std::vector<Cue>{Cue::Confirm});
        QCOMPARE(h.run().typed(), QStringLiteral("你好"));
    }

    // A locked line that got the focus by a click takes no key.
    void lockedLineTakesNoKey()
    {
        PracticeHarness h(false);
        h.startRun(QStringLiteral("ab\r\ncd\r\nef\r\n"));
        h.line->input(2)->setFocus();
        h.backspace(2);
        QTest::keyClick(h.line->input(2), Qt::Key_X);
        QCOMPARE(h.unlockedInputs(), 1);
        QVERIFY(!h.line->input(0)->isReadOnly());
        QCOMPARE(h.state.activeLine, 0);
        QCOMPARE(h.line->input(2)->text(), QString());
    }

    void characterOutsideTheBasicPlaneIsOneCharacter()
    {
        PracticeHarness h;
        ModalWatcher watcher;
        const QString rare = QString::fromUcs4(U"𠀀");
        h.startRun(rare + QStringLiteral("字\r\n下行\r\n"));
        QCOMPARE(h.line->reference(0)->charCount(), 2);
        QCOMPARE(h.line->expectedChar(), rare);
        h.commit(0, rare);
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.line->expectedChar(), QStringLiteral("字"));
        h.backspace(0);
        QCOMPARE(h.line->input(0)->text(), QString());
        QCOMPARE(h.run().errors(), 0);
        h.commit(0, rare + QStringLiteral("字"));
        QCOMPARE(h.state.activeLine, 1);
    }

    void erasingRightCharacterChangesNothing()
    {
        PracticeHarness h(false);
        h.startRun(QStringLiteral("abcdef\r\nxyz\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("abX"));
        QCOMPARE(h.run().errors(), 1);
        QCOMPARE(h.cues.played, (std::vector<Cue>{Cue::Confirm, Cue::Confirm, Cue::Error}));
        h.backspace(0);
        h.backspace(0);
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.line->reference(0)->markCount(), 0);
        QCOMPARE(h.line->expectedChar(), QStringLiteral("b"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("b"));
        QCOMPARE(h.run().errors(), 0);
        QCOMPARE(h.cues.played.back(), Cue::Confirm);
        QCOMPARE(h.run().typed(), QStringLiteral("ab"));
    }

    void cuesFollowTheSettings()
    {
        PracticeHarness h(false);
        h.state.cues.zwRight = false;
        h.startRun(QStringLiteral("ab\r\ncd\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("aX"));
        QCOMPARE(h.cues.played, std::vector<Cue>{Cue::Error});
    }

    void programmaticChangesAreNotJudged()
    {
        PracticeHarness h(false);
        h.startRun(QStringLiteral("ab\r\ncd\r\nef\r\ngh\r\nij\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("aX"));
        QCOMPARE(h.run().errors(), 1);
        h.line->clearReferencePage(); // as the close-others step does
        QCOMPARE(h.run().errors(), 1);
        QVERIFY(h.runStarted());
        for (int i = 0; i < LinePracticeWindow::kLines; ++i) {
            QVERIFY(h.line->input(i)->text().isEmpty());
            QVERIFY(h.line->reference(i)->text().isEmpty());
            QVERIFY(!h.line->input(i)->isReadOnly());
        }
    }

    void pausedLineTakesNoInput()
    {
        PracticeHarness h(false);
        h.startRun(QStringLiteral("abc\r\ndef\r\n"));
        QTest::keyClicks(h.line->input(0), QStringLiteral("abc"));
        QTest::keyClicks(h.line->input(1), QStringLiteral("d"));
        h.status->tickFigures();
        h.status->togglePause();
        QVERIFY(!h.clockRunning());
        QVERIFY(h.line->input(1)->isReadOnly());
        QCOMPARE(h.status->pauseButton->toolTip(), QStringLiteral("继续"));
        QVERIFY(h.status->pauseButton->isChecked()); // held down while paused
        QVERIFY(!h.status->startButton->isEnabled());
        QTest::keyClicks(h.line->input(1), QStringLiteral("e"));
        QCOMPARE(h.line->input(1)->text(), QStringLiteral("d"));
        h.status->togglePause();
        QVERIFY(h.clockRunning());
        QVERIFY(!h.line->input(1)->isReadOnly());
        QCOMPARE(h.line->input(1)->cursorPosition(), 1);
        QCOMPARE(h.status->pauseButton->toolTip(), QStringLiteral("暂停"));
        QVERIFY(!h.status->pauseButton->isChecked());
        // A click on the button itself pauses and resumes the same way.
        QTest::mouseClick(h.status->pauseButton, Qt::LeftButton);
        QVERIFY(!h.clockRunning() && h.status->pauseButton->isChecked());
        QTest::mouseClick(h.status->pauseButton, Qt::LeftButton);
        QVERIFY(h.clockRunning() && !h.status->pauseButton->isChecked());
        QTest::keyClicks(h.line->input(1), QStringLiteral("e"));
        QCOMPARE(h.line->input(1)->text(), QStringLiteral("de"));
        QCOMPARE(h.run().errors(), 0);
    }

    void wubiKeysReachTheHelpAndNeverTheLine()
    {
        PracticeHarness h;
        RecordingWubiHelp help;
        h.ctx.wubiHelp = &help;
        h.state.generatedDrill = true;
        h.startRun(QStringLiteral("工人\r\n大地\r\n"));
        QTest::keyClick(h.line->input(0), Qt::Key_F5);
        QTest::keyClick(h.line->input(0), Qt::Key_F6);
        QTest::keyClick(h.line->input(0), Qt::Key_A, Qt::AltModifier);
        QTest::keyClick(h.line->input(0), Qt::Key_B, Qt::AltModifier | Qt::ControlModifier);
        QTest::keyClick(h.line->input(0), Qt::Key_Z, Qt::AltModifier); // Z has no card
        QCOMPARE(help.hints, (QStringList{QStringLiteral("86|工人|0|0"), QStringLiteral("98|工人|0|0")}));
        QCOMPARE(help.cards, (QStringList{QStringLiteral("A|86"), QStringLiteral("B|98")}));
        QVERIFY(h.line->input(0)->text().isEmpty());

        h.state.hintShown = true;
        h.commit(0, QStringLiteral("工"));
        QCOMPARE(help.closed, 1);

        // File practice: the keys do nothing, and still type nothing.
        h.state.generatedDrill = false;
        QTest::keyClick(h.line->input(0), Qt::Key_F5);
        QTest::keyClick(h.line->input(0), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(help.hints.size(), 2);
        QCOMPARE(help.cards.size(), 2);
        QCOMPARE(h.line->input(0)->text(), QStringLiteral("工"));
    }

    void longLineScrollsToTheHighlight()
    {
        ReferenceLine line;
        line.resize(120, 30);
        line.setText(QString(40, QChar(0x5b57)));
        line.setSelectionVisible(true);
        line.select(39);
        const QImage shot = line.grab().toImage();
        // The highlight is painted inside the box, at its right end, above the glyph.
        const QColor base = line.palette().base().color();
        int highlighted = 0;
        for (int x = 0; x < 120; ++x)
            highlighted += shot.pixelColor(x, 4) != base ? 1 : 0;
        QVERIFY(highlighted > 8);
        QVERIFY(shot.pixelColor(110, 4) != base);
    }

    void closingTheWindowEndsTheRun()
    {
        PracticeHarness h;
        h.startRun(QStringLiteral("你好\r\n"));
        h.state.randomCharDrill = true;
        QVERIFY(h.state.shown(ManagedWindow::LinePracticeWindow));
        h.shell.unloadWindow(ManagedWindow::LinePracticeWindow);
        QVERIFY(!h.state.shown(ManagedWindow::LinePracticeWindow));
        QVERIFY(!h.runStarted());
        QVERIFY(!h.clockRunning());
        QVERIFY(!h.state.randomCharDrill);
    }
};

QTEST_MAIN(LinePracticeWindowTest)
#include "line_practice_window.moc"
