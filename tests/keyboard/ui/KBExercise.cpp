// The key-position and fingering drills in their window, driven by key
// events as the learner's keyboard sends them.
#include "keyboard/ui/KBExercise.h"
#include "keyboard/ui/KeyboardRegistration.h"

#include "keyboard/KeyCodes.h"
#include "support/TestContext.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {
QString Text(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QString::fromLatin1(name))->text();
}
int Width(QWidget *window, const char *name)
{
    return window->findChild<QFrame *>(QString::fromLatin1(name))->width();
}
// The Qt key that types `c` of a drill line.
Qt::Key KeyFor(QChar c)
{
    if (c.isLetter())
        return Qt::Key(Qt::Key_A + (c.unicode() - 'a'));
    if (c.isDigit())
        return Qt::Key(Qt::Key_0 + (c.unicode() - '0'));
    switch (c.unicode()) {
    case ';': return Qt::Key_Semicolon;
    case ',': return Qt::Key_Comma;
    case '.': return Qt::Key_Period;
    default: return Qt::Key_Slash;
    }
}
} // namespace

class KBExerciseTest : public QObject {
    Q_OBJECT
private:
    KBExercise *open(TestContext &t)
    {
        RegisterKeyboard(t.ctx, t.shell);
        t.shell.runCommand(QStringLiteral("OnlyKeyBoard"));
        return qobject_cast<KBExercise *>(t.shell.window(ManagedWindow::KeysForm));
    }

private slots:
    void opensInTheKeyPositionDrillWithInputMethodsOff()
    {
        TestContext t;
        KBExercise *w = open(t);
        QVERIFY(w);
        QVERIFY(t.state.shown(ManagedWindow::KeysForm));
        QCOMPARE(w->drill().target(), int('A'));
        QCOMPARE(w->picture().look('A').state, KeyState::Target);
        QVERIFY(!w->WordCompare()->isEnabled());
        QVERIFY(!w->findChild<QGroupBox *>(QStringLiteral("LeftHand"))->isVisibleTo(w));
        QVERIFY(!w->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!w->WordCompare()->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(t.shell.closeOthersCount, 1);
        delete w;
        QVERIFY(!t.state.shown(ManagedWindow::KeysForm));
    }

    void keysMoveTheTargetMarkMissesAndFillTheFigures()
    {
        TestContext t;
        KBExercise *w = open(t);
        // The release of the Enter that chose the drill in the menu.
        QTest::keyRelease(w, Qt::Key_Return);
        QVERIFY(t.cues.played.empty());
        QCOMPARE(w->picture().look(vk::Enter).state, KeyState::Normal);
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f);

        QTest::keyPress(w, Qt::Key_S);
        QVERIFY(w->picture().look('S').pressed);
        QTest::keyRelease(w, Qt::Key_S);
        QCOMPARE(w->picture().look('S').state, KeyState::Wrong);
        QVERIFY(!w->picture().look('S').pressed);
        QCOMPARE(t.cues.played, (std::vector<Cue>{Cue::Confirm, Cue::Error}));
        QCOMPARE(Text(w, "lblCD"), QStringLiteral("60.00 次/分"));
        QCOMPARE(Text(w, "lblJZ"), QStringLiteral("00.00 %"));

        QTest::keyClick(w, Qt::Key_A); // a hit in the same second
        QCOMPARE(w->picture().look('S').state, KeyState::Normal);
        QCOMPARE(w->picture().look(w->drill().target()).state, KeyState::Target);
        QCOMPARE(Text(w, "lblCD"), QStringLiteral("120.00 次/分"));
        QCOMPARE(Text(w, "lblJZ"), QStringLiteral("50.00 %"));
        // Bars in twips: half of the 4500-twip frame plus 16; 120 + 16 for the speed.
        QCOMPARE(Width(w, "picCu"), qRound((0.5 * 4500 + 16) / 15));
        QCOMPARE(Width(w, "picCD"), qRound(136 / 15.0));

        // Escape is a keystroke, not an error, and sounds only on the way down.
        t.cues.played.clear();
        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(t.cues.played, std::vector<Cue>{Cue::Confirm});
        QCOMPARE(w->drill().statistics().keystrokes, 3.0f);
        QCOMPARE(w->drill().statistics().errors, 1.0f);

        // Tab stays in the drill: no cue going down, judged coming up.
        t.cues.played.clear();
        QTest::keyClick(w, Qt::Key_Tab);
        QCOMPARE(t.cues.played, std::vector<Cue>{Cue::Error});
        QCOMPARE(w->picture().look(vk::Tab).state, KeyState::Wrong);
    }

    void functionKeysSwitchPoolsAndDrillsWithoutCounting()
    {
        TestContext t;
        KBExercise *w = open(t);
        QTest::keyClick(w, Qt::Key_F4);
        QVERIFY(!w->typingAreaOnly());
        QCOMPARE(t.shell.statusMessage, QStringLiteral("按F5可切换到打字键区指法练习    按F3可限制在打字区练习"));
        QTest::keyClick(w, Qt::Key_F3);
        QVERIFY(w->typingAreaOnly());
        QCOMPARE(t.shell.statusMessage, QStringLiteral("按F5可切换到打字键区指法练习    按F4可扩展至整个键盘区练习"));
        QTest::keyClick(w, Qt::Key_NumLock);
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f);

        QTest::keyClick(w, Qt::Key_K); // a wrong mark, cleared by the switch
        QTest::keyClick(w, Qt::Key_F5);
        QVERIFY(w->fingeringMode());
        QVERIFY(w->WordCompare()->isEnabled());
        QVERIFY(!w->findChild<QFrame *>(QStringLiteral("picto"))->isVisibleTo(w));
        QCOMPARE(w->picture().look('K').state, KeyState::Normal);
        QCOMPARE(w->picture().look('A').state, KeyState::Normal);
        QCOMPARE(w->WordCompare()->text().size(), 43);
        QCOMPARE(w->WordCompare()->selectionStart(), 0);
        QCOMPARE(w->WordCompare()->selectedText().size(), 1);

        // F6 in the drill line: back, figures cleared, the target marked again,
        // also when the fingering drill last marked the target's key itself.
        QTest::keyClick(w->WordCompare(), Qt::Key_A);
        QCOMPARE(w->fingering().lastPaintedKey(), int('A'));
        QTest::keyClick(w->WordCompare(), Qt::Key_F6);
        QVERIFY(!w->fingeringMode());
        QVERIFY(!w->WordCompare()->isEnabled());
        QVERIFY(w->WordCompare()->text().isEmpty());
        QCOMPARE(w->picture().look('A').state, KeyState::Target);
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f);
        QVERIFY(Text(w, "lblCD").isEmpty());
        QCOMPARE(Width(w, "picCD"), qRound(17 / 15.0));

        // The main window's commands reach the same switches.
        t.shell.runCommand(QStringLiteral("FingerEx"));
        QVERIFY(w->fingeringMode());
        t.shell.runCommand(QStringLiteral("OnlyKeyBoard"));
        QVERIFY(!w->fingeringMode());
        QCOMPARE(t.shell.window(ManagedWindow::KeysForm), w);
    }

    void theFingeringDrillFollowsTheLineKeyByKey()
    {
        TestContext t;
        KBExercise *w = open(t);
        w->switchToFingeringDrill();
        QLineEdit *box = w->WordCompare();
        w->LFinger(4)->click();
        w->RFinger(1)->click();
        QCOMPARE(w->fingering().keySet(), QStringLiteral("0p;/4rfv5tgb"));
        for (QChar c : box->text())
            QVERIFY(QStringLiteral("0p;/4rfv5tgb").contains(c));

        // Delete is never right, not even for "." ; a wrong key is marked.
        t.cues.played.clear();
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->selectionStart(), 0);
        QVERIFY(t.cues.played.empty()); // off the picture: no cue at all
        const QChar first = box->text()[0];
        const Qt::Key wrong = first == QLatin1Char('q') ? Qt::Key_W : Qt::Key_Q;
        QTest::keyClick(box, wrong);
        QCOMPARE(t.cues.played, (std::vector<Cue>{Cue::Confirm, Cue::Error}));
        QCOMPARE(w->picture().look(int(wrong)).state, KeyState::Wrong);

        // The whole line, letters typed with Shift held; then a fresh line.
        const QString line = box->text();
        for (int i = 0; i < 43; ++i) {
            QCOMPARE(box->selectionStart(), i);
            QTest::keyClick(box, KeyFor(line[i]), line[i].isLetter() ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QCOMPARE(box->selectionStart(), 0);
        QCOMPARE(box->selectedText().size(), 1);
        QCOMPARE(box->text().size(), 43);
        QCOMPARE(w->picture().look(int(wrong)).state, KeyState::Normal);
    }
};

QTEST_MAIN(KBExerciseTest)
#include "KBExercise.moc"
