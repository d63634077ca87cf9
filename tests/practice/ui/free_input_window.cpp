// The free-input window: the press cue, what a run records, its report, and
// the commands that open the whole-text and free-input windows.
#include "practice/ui/Register.h"
#include "records/ui/Register.h"
#include "practice/ui/FreeInputWindow.h"
#include "practice/ui/RunControl.h"
#include "practice/ui/RunPanel.h"
#include "practice/ui/StartDialog.h"
#include "practice/ui/TextPracticeWindow.h"
#include "support/ModalScript.h"
#include "support/TestContext.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTest>

class FreeInputWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestContext> t;

    // Through the registry, beside the status window that keeps the run.
    FreeInputWindow *openFreeInputWindow()
    {
        RegisterLinePractice(t->ctx, t->shell);
        RegisterTextPractice(t->ctx, t->shell);
        t->shell.showWindow(ManagedWindow::RunPanel);
        auto *form = qobject_cast<FreeInputWindow *>(t->shell.showWindow(ManagedWindow::FreeInputWindow));
        t->shell.mainWindow()->show();
        return form;
    }

    void commit(QWidget *box, const QString &text)
    {
        QInputMethodEvent e;
        e.setCommitString(text);
        QApplication::sendEvent(box, &e);
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
    }
    void cleanup()
    {
        t.reset();
    }

    void everyChangeButBackspacePlaysThePressCue()
    {
        std::unique_ptr<FreeInputWindow> form(openFreeInputWindow());
        QTest::keyClicks(form->input(), QStringLiteral("abc"));
        QCOMPARE(t->cues.played, std::vector<Cue>(3, Cue::Confirm));
        QTest::keyClick(form->input(), Qt::Key_Backspace);
        QCOMPARE(t->cues.played.size(), size_t(3));
        // A commit after a Backspace is typing again.
        commit(form->input(), QStringLiteral("你好"));
        QCOMPARE(t->cues.played.size(), size_t(4));
        QCOMPARE(form->input()->toPlainText(), QStringLiteral("ab你好"));

        t->state.cues.zyPress = false;
        QTest::keyClicks(form->input(), QStringLiteral("d"));
        QCOMPARE(t->cues.played.size(), size_t(4));
    }

    void compositionPlaysNoCue()
    {
        std::unique_ptr<FreeInputWindow> form(openFreeInputWindow());
        for (const QString &code : {QStringLiteral("w"), QStringLiteral("wq"), QStringLiteral("wqvb")}) {
            QInputMethodEvent compose(code, {});
            QApplication::sendEvent(form->input(), &compose);
        }
        QVERIFY(t->cues.played.empty());
        commit(form->input(), QStringLiteral("你好"));
        QCOMPARE(t->cues.played.size(), size_t(1));
        QCOMPARE(form->input()->toPlainText(), QStringLiteral("你好"));
    }

    void aRunRecordsTheTypedTextAndReportsFullAccuracy()
    {
        std::unique_ptr<FreeInputWindow> form(openFreeInputWindow());
        QTest::keyClicks(form->input(), QStringLiteral("xy"));
        QCOMPARE(t->run().typed(), QString()); // outside a run nothing is recorded
        form->clearInput();
        QCOMPARE(t->cues.played.size(), size_t(2)); // emptying is not typing

        StartDialog(t->ctx).startOnEnter(Qt::Key_Return);
        QVERIFY(!form->input()->isReadOnly());
        commit(form->input(), QStringLiteral("自由录入，"));
        QTest::keyClicks(form->input(), QStringLiteral(" ok"));
        QCOMPARE(t->run().typed(), QStringLiteral("自由录入， ok"));
        QCOMPARE(t->run().errors(), 0);

        RegisterRecords(t->ctx, t->shell); // the result window
        ReportCatcher catcher;
        ShowPracticeReport(t->ctx);
        QCOMPARE(catcher.reports.size(), size_t(1));
        QCOMPARE(catcher.reports[0].title, QStringLiteral("统计资料——打字类型：自由录入"));
        QCOMPARE(catcher.reports[0].values.at(4), QStringLiteral("100.00%"));
        QCOMPARE(catcher.reports[0].values.at(3), QStringLiteral("8"));
    }

    void loadingAndUnloadingKeepTheRegistryAndFontSize()
    {
        t->state.fonts.outIn = 18;
        t->shell.statusMessage = QStringLiteral("旧提示");
        t->state.window(ManagedWindow::FreeInputWindow).hiddenWithMain = true;
        {
            std::unique_ptr<FreeInputWindow> form(openFreeInputWindow());
            QVERIFY(t->state.shown(ManagedWindow::FreeInputWindow));
            QVERIFY(!t->state.window(ManagedWindow::FreeInputWindow).hiddenWithMain);
            QCOMPARE(t->shell.statusMessage, QString());
            QCOMPARE(form->input()->font().pointSize(), 18);
            QCOMPARE(form->windowTitle(), QStringLiteral("外部对照练习"));
            t->run().start(QStringLiteral("free"));
        }
        QVERIFY(!t->state.shown(ManagedWindow::FreeInputWindow));
        QVERIFY(!t->runStarted());
    }

    void theCommandsOpenTheirWindowsAndSetTheTitles()
    {
        RegisterTextPractice(t->ctx, t->shell);
        QVERIFY(t->shell.runCommand(QStringLiteral("freeInput")));
        QVERIFY(t->state.shown(ManagedWindow::FreeInputWindow));
        QVERIFY(qobject_cast<FreeInputWindow *>(t->shell.window(ManagedWindow::FreeInputWindow)));
        QCOMPARE(t->state.practiceTitle, QStringLiteral("自由录入"));
        QCOMPARE(t->shell.closeOthersCount, 1);
        QVERIFY(!t->state.window(ManagedWindow::FreeInputWindow).opening);
        QVERIFY(!t->state.window(ManagedWindow::RunPanel).opening);

        QVERIFY(t->shell.runCommand(QStringLiteral("english.text")));
        QCOMPARE(t->shell.openTextCount, 1);
        QVERIFY(!t->state.chineseText);
        QCOMPARE(t->state.practiceTitle, QStringLiteral("英文文本对照练习"));
        QVERIFY(qobject_cast<TextPracticeWindow *>(t->shell.window(ManagedWindow::TextPracticeWindow)));
        QVERIFY(!t->state.shown(ManagedWindow::FreeInputWindow)); // closed by the close-others step

        QVERIFY(t->shell.runCommand(QStringLiteral("chinese.text")));
        QVERIFY(t->state.chineseText);
        QCOMPARE(t->state.practiceTitle, QStringLiteral("中文文本对照练习"));
    }
};

QTEST_MAIN(FreeInputWindowTest)
#include "free_input_window.moc"
