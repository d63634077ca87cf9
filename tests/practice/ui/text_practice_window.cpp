// The whole-text window: judging as the learner types (keys and input-method
// commits), the end of the text, the erase correction, the one-character
// selection and the font sizes.
#include "practice/ui/TextPracticeWindow.h"
#include "practice/ui/Register.h"
#include "practice/ui/StartDialog.h"
#include "records/ui/Register.h"
#include "support/ModalScript.h"
#include "support/TestContext.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

class TextPracticeWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestContext> t;
    TextPracticeWindow *form = nullptr;

    // The reference is read and placed, then Enter in the start dialog.
    void startRun(const QString &reference)
    {
        t->state.pendingText = reference;
        form->placeMaterial();
        StartDialog(t->ctx).startOnEnter(Qt::Key_Return);
    }

    void commit(const QString &text)
    {
        QInputMethodEvent e;
        e.setCommitString(text);
        QApplication::sendEvent(form->input(), &e);
    }

    int confirmCues() const { return int(std::count(t->cues.played.begin(), t->cues.played.end(), Cue::Confirm)); }
    int errorCues() const { return int(std::count(t->cues.played.begin(), t->cues.played.end(), Cue::Error)); }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        RegisterRecords(t->ctx, t->shell); // the result window
        RegisterLinePractice(t->ctx, t->shell); // the status window, which keeps the run
        RegisterTextPractice(t->ctx, t->shell);
        t->shell.showWindow(ManagedWindow::RunPanel);
        form = qobject_cast<TextPracticeWindow *>(t->shell.showWindow(ManagedWindow::TextPracticeWindow));
        t->shell.mainWindow()->show();
    }
    void cleanup()
    {
        delete form;
        t.reset();
    }

    void loadingLocksTheInputUntilTheRunStarts()
    {
        QVERIFY(t->state.shown(ManagedWindow::TextPracticeWindow));
        QVERIFY(form->input()->isReadOnly());
        QVERIFY(form->reference()->isReadOnly());
        startRun(QStringLiteral("春眠不觉晓"));
        QVERIFY(!form->input()->isReadOnly());
        QCOMPARE(form->selectedReference(), QStringLiteral("春"));
        QCOMPARE(form->expectedChar(), QStringLiteral("春"));
        form->lockInput();
        QVERIFY(form->input()->isReadOnly());
        form->resumeInput();
        QVERIFY(!form->input()->isReadOnly());

        delete form;
        form = nullptr;
        QVERIFY(!t->state.shown(ManagedWindow::TextPracticeWindow));
        QVERIFY(!t->runStarted());
        QVERIFY(!t->clockRunning());
    }

    void typingTheWholeTextEndsOnItsLastCharacter()
    {
        startRun(QStringLiteral("abcde"));
        ReportCatcher catcher;
        QTest::keyClicks(form->input(), QStringLiteral("abcde"));
        QCOMPARE(catcher.reports.size(), size_t(1));
        QVERIFY(!t->runStarted());
        QVERIFY(!t->clockRunning());
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(t->run().typed(), QStringLiteral("abcde"));
        QCOMPARE(catcher.reports[0].values.at(3), QStringLiteral("5")); // the last character counts too
        QCOMPARE(confirmCues(), 5);
        QCOMPARE(errorCues(), 0);
    }

    void wrongCharactersAreCountedAndTheSelectionFollowsTheCaret()
    {
        startRun(QStringLiteral("hello world"));
        QTest::keyClicks(form->input(), QStringLiteral("hx"));
        QCOMPARE(t->run().errors(), 1);
        QCOMPARE(errorCues(), 1);
        QCOMPARE(form->selectedReference(), QStringLiteral("l"));
        QCOMPARE(form->expectedChar(), QStringLiteral("l"));
        QCOMPARE(form->reference()->textCursor().selectionEnd() - form->reference()->textCursor().selectionStart(), 1);
        QCOMPARE(t->run().typed(), QStringLiteral("hx"));
    }

    void aOneCharacterReferenceIsNotEndedByTyping()
    {
        startRun(QStringLiteral("好"));
        ReportCatcher catcher;
        commit(QStringLiteral("好"));
        QTest::qWait(30);
        QVERIFY(catcher.reports.empty());
        QVERIFY(t->runStarted());
        QCOMPARE(t->run().errors(), 0);
    }

    void erasingAWrongCharacterTakesOneErrorOff()
    {
        startRun(QStringLiteral("abcdef"));
        QTest::keyClicks(form->input(), QStringLiteral("ax"));
        QCOMPARE(t->run().errors(), 1);
        QTest::keyClick(form->input(), Qt::Key_Backspace);
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(form->selectedReference(), QStringLiteral("b"));
        // Erasing a right character changes nothing; Backspace is never judged.
        QTest::keyClick(form->input(), Qt::Key_Backspace);
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(errorCues(), 1);
        QCOMPARE(form->input()->toPlainText(), QString());
        QCOMPARE(form->selectedReference(), QStringLiteral("a"));
        QTest::keyClicks(form->input(), QStringLiteral("ab"));
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(form->expectedChar(), QStringLiteral("c"));
    }

    void inputMethodCommitsAreJudgedCharacterByCharacter()
    {
        startRun(QStringLiteral("你好世界和平"));
        commit(QStringLiteral("你"));
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(form->expectedChar(), QStringLiteral("好"));
        // Two characters at once: each against its own, one cue.
        commit(QStringLiteral("好世"));
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(form->selectedReference(), QStringLiteral("界"));
        QCOMPARE(t->run().typed(), QStringLiteral("你好世"));
        QCOMPARE(confirmCues(), 2);
        commit(QStringLiteral("届"));
        QCOMPARE(t->run().errors(), 1);
        QTest::keyClick(form->input(), Qt::Key_Backspace);
        QCOMPARE(t->run().errors(), 0);
        commit(QStringLiteral("界"));

        // The last character ends the text and is judged and counted like
        // the one before it in the same commit: a wrong one is an error.
        ReportCatcher catcher;
        commit(QStringLiteral("和瓶"));
        QCOMPARE(catcher.reports.size(), size_t(1));
        QCOMPARE(t->run().typed(), QStringLiteral("你好世界和瓶"));
        QCOMPARE(t->run().errors(), 1);
        QVERIFY(!t->runStarted());
    }

    // A key that changes nothing, then composition: no error, no cue.
    void escapeThenCompositionIsNoError()
    {
        startRun(QStringLiteral("你好世界"));
        QTest::keyClick(form->input(), Qt::Key_Escape);
        for (const QString &code : {QStringLiteral("w"), QStringLiteral("wq")}) {
            QInputMethodEvent compose(code, {});
            QApplication::sendEvent(form->input(), &compose);
        }
        QCOMPARE(t->run().errors(), 0);
        QVERIFY(t->cues.played.empty());
        commit(QStringLiteral("你好"));
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(confirmCues(), 1);
        QCOMPARE(t->run().typed(), QStringLiteral("你好"));
    }

    void selectAllAndDeleteTakesOffEveryError()
    {
        startRun(QStringLiteral("abcdef"));
        QTest::keyClicks(form->input(), QStringLiteral("aXcY"));
        QCOMPARE(t->run().errors(), 2);
        QTest::keyClick(form->input(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(form->input(), Qt::Key_Delete);
        QCOMPARE(form->input()->toPlainText(), QString());
        QCOMPARE(t->run().errors(), 0);
        QCOMPARE(form->selectedReference(), QStringLiteral("a"));
    }

    void changesWithoutAKeyPressAreNotJudged()
    {
        startRun(QStringLiteral("abc"));
        form->input()->insertPlainText(QStringLiteral("zz"));
        QCOMPARE(t->run().errors(), 0);
        QVERIFY(t->cues.played.empty());
        QCOMPARE(t->run().typed(), QString());
    }

    void theSelectionStaysOneCharacterWhereverTheLearnerClicks()
    {
        startRun(QStringLiteral("abcdef"));
        QTextCursor c = form->reference()->textCursor();
        c.setPosition(3);
        form->reference()->setTextCursor(c);
        QCOMPARE(form->selectedReference(), QStringLiteral("d"));
        // Typing is judged by position: the text starts at its first character.
        QCOMPARE(form->expectedChar(), QStringLiteral("a"));
        c.setPosition(1);
        c.setPosition(4, QTextCursor::KeepAnchor);
        form->reference()->setTextCursor(c);
        QCOMPARE(form->selectedReference(), QStringLiteral("b"));
    }

    void aCharacterBeyondTheBasicPlaneIsSelectedWhole()
    {
        const QString wide = QString::fromUcs4(U"\U00020000"); // 𠀀, a surrogate pair
        startRun(QStringLiteral("a") + wide + QStringLiteral("b"));
        commit(QStringLiteral("a"));
        QCOMPARE(form->selectedReference(), wide);
        commit(wide);
        QCOMPARE(form->selectedReference(), QStringLiteral("b"));
        QCOMPARE(t->run().errors(), 0);
    }

    void aLongReferenceScrollsTheSelectionIntoView()
    {
        QString text;
        for (int i = 0; i < 400; ++i)
            text += QStringLiteral("天地玄黄宇宙洪荒");
        form->reference()->resize(300, 80);
        startRun(text);
        const QString typed = text.left(2500);
        commit(typed);
        QCOMPARE(form->selectedReference(), text.mid(2500, 1));
        const QRect caret = form->reference()->cursorRect();
        QVERIFY(form->reference()->viewport()->rect().intersects(caret));
        QVERIFY(form->reference()->verticalScrollBar()->value() > 0);
    }

    void aVeryLongReferenceIsShownAStretchAtATime()
    {
        QString text;
        for (int i = 0; i < 20000; ++i)
            text += QStringLiteral("天地玄黄，") + QString::number(i % 10);
        startRun(text); // 120 000 characters
        QVERIFY(form->reference()->document()->characterCount() < text.size() / 2);
        commit(text.left(70000));
        QCOMPARE(form->selectedReference(), text.mid(70000, 1));
        const int errors = t->run().errors();
        commit(QStringLiteral("错"));
        QCOMPARE(t->run().errors(), errors + 1);
        QCOMPARE(form->selectedReference(), text.mid(70001, 1));
        commit(text.mid(70001, 1));
        QCOMPARE(t->run().errors(), errors + 1);
        QCOMPARE(form->selectedReference(), text.mid(70002, 1));
        // The end of the text still ends the run.
        ReportCatcher catcher;
        commit(text.mid(70002));
        QCOMPARE(catcher.reports.size(), size_t(1));
        QVERIFY(!t->runStarted());
    }

    void fontSizesComeFromTheSettings()
    {
        QCOMPARE(form->input()->font().pointSizeF(), 10.5);
        t->state.fonts.intIn = 16;
        form->applyFontSizes();
        QCOMPARE(form->input()->font().pointSize(), 16);
        QCOMPARE(form->reference()->font().pointSize(), 16);
        TextPracticeWindow second(t->ctx);
        QCOMPARE(second.reference()->font().pointSize(), 16);
    }

    void closingOthersEmptiesBothBoxes()
    {
        startRun(QStringLiteral("abc"));
        QTest::keyClicks(form->input(), QStringLiteral("a"));
        form->clearContents();
        QCOMPARE(form->input()->toPlainText(), QString());
        QCOMPARE(form->reference()->toPlainText(), QString());
    }
};

QTEST_MAIN(TextPracticeWindowTest)
#include "text_practice_window.moc"
