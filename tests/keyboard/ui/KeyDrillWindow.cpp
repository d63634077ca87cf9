// The key-position and fingering drills in their window, driven by key
// events as the learner's keyboard sends them.
#include "keyboard/ui/KeyDrillWindow.h"
#include "keyboard/ui/KeyboardRegistration.h"

#include "keyboard/KeyCodes.h"
#include "support/TestContext.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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
// X keyboard code of the typing key for Qt key `key` (letters and digits).
quint32 XKeyCode(Qt::Key key)
{
    static const QString rows[] = {QStringLiteral("1234567890"), QStringLiteral("QWERTYUIOP"),
                                   QStringLiteral("ASDFGHJKL"), QStringLiteral("ZXCVBNM")};
    static const quint32 starts[] = {10, 24, 38, 52};
    const QChar c(key);
    for (int r = 0; r < 4; ++r)
        if (const int i = int(rows[r].indexOf(c)); i >= 0)
            return starts[r] + quint32(i);
    return 0;
}

// One key event as the X server sends it: with its keyboard code, and the
// auto-repeat mark that Qt sets only when a repeat pair reached it together.
void SendX(QWidget *target, QEvent::Type type, Qt::Key key, bool markedRepeat)
{
    const QString text = QChar(key).toLower();
    QKeyEvent event(type, key, Qt::NoModifier, XKeyCode(key), key, 0, text, markedRepeat);
    QApplication::sendEvent(target, &event);
}

// A key held long enough to repeat, as X delivers it: the first press, repeat
// pairs (release and press) first marked as auto-repeat, then unmarked, then
// the release when the key is let go.
void HoldKey(QWidget *target, Qt::Key key)
{
    SendX(target, QEvent::KeyPress, key, false);
    for (bool marked : {true, true, false, false, false}) {
        SendX(target, QEvent::KeyRelease, key, marked);
        SendX(target, QEvent::KeyPress, key, marked);
        QCoreApplication::processEvents();
    }
    SendX(target, QEvent::KeyRelease, key, false);
}

// A keystroke judged at once: its release is not held back for a repeat.
void Strike(KeyDrillWindow *w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(w, key, modifiers);
    w->keyStrokes().settle();
}
void StrikeLine(KeyDrillWindow *w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(w->input(), key, modifiers);
    w->lineKeyStrokes().settle();
}

// Where the caret of `box` shows, as last painted (it scrolls on painting).
QRect CursorRect(QLineEdit *box)
{
    return box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
}

// Whether the whole text of `box` shows: painted with the caret after its
// last character, its first character has not scrolled out.
bool WholeLineShows(QLineEdit *box)
{
    box->setCursorPosition(int(box->text().size()));
    box->grab();
    box->setCursorPosition(0);
    return CursorRect(box).center().x() >= 0;
}

// Whether the selected character of `box` shows whole as last painted.
bool SelectedCharacterShows(QLineEdit *box)
{
    const int start = box->selectionStart();
    box->grab();
    box->setCursorPosition(start);
    const int left = CursorRect(box).center().x();
    box->setCursorPosition(start + 1);
    const int right = CursorRect(box).center().x();
    box->setSelection(start, 1);
    return left >= 0 && right <= box->width();
}
} // namespace

class KeyDrillWindowTest : public QObject {
    Q_OBJECT
private:
    KeyDrillWindow *open(TestContext &t)
    {
        RegisterKeyboard(t.ctx, t.shell);
        t.shell.runCommand(QStringLiteral("keyboard.positions"));
        return qobject_cast<KeyDrillWindow *>(t.shell.window(ManagedWindow::KeyDrillWindow));
    }

private slots:
    void opensInTheKeyPositionDrillWithInputMethodsOff()
    {
        TestContext t;
        KeyDrillWindow *w = open(t);
        QVERIFY(w);
        QVERIFY(t.state.shown(ManagedWindow::KeyDrillWindow));
        QCOMPARE(w->drill().target(), int('A'));
        QCOMPARE(w->picture().look('A').state, KeyState::Target);
        QVERIFY(!w->input()->isEnabled());
        QVERIFY(!w->findChild<QGroupBox *>(QStringLiteral("LeftHand"))->isVisibleTo(w));
        QVERIFY(!w->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!w->input()->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(t.shell.closeOthersCount, 1);
        delete w;
        QVERIFY(!t.state.shown(ManagedWindow::KeyDrillWindow));
    }

    void keysMoveTheTargetMarkMissesAndFillTheFigures()
    {
        TestContext t;
        KeyDrillWindow *w = open(t);
        // The release of the Enter that chose the drill in the menu.
        QTest::keyRelease(w, Qt::Key_Return);
        w->keyStrokes().settle();
        QVERIFY(t.cues.played.empty());
        QCOMPARE(w->picture().look(vk::Enter).state, KeyState::Normal);
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f);

        QTest::keyPress(w, Qt::Key_S);
        QVERIFY(w->picture().look('S').pressed);
        QTest::keyRelease(w, Qt::Key_S);
        w->keyStrokes().settle();
        QCOMPARE(w->picture().look('S').state, KeyState::Wrong);
        QVERIFY(!w->picture().look('S').pressed);
        QCOMPARE(t.cues.played, (std::vector<Cue>{Cue::Confirm, Cue::Error}));
        QCOMPARE(Text(w, "lblCD"), QStringLiteral("60.00 次/分"));
        QCOMPARE(Text(w, "lblJZ"), QStringLiteral("00.00 %"));

        Strike(w, Qt::Key_A); // a hit in the same second
        QCOMPARE(w->picture().look('S').state, KeyState::Normal);
        QCOMPARE(w->picture().look(w->drill().target()).state, KeyState::Target);
        QCOMPARE(Text(w, "lblCD"), QStringLiteral("120.00 次/分"));
        QCOMPARE(Text(w, "lblKeysPerSecond"), QStringLiteral("击键 2.00"));
        QCOMPARE(Text(w, "lblJZ"), QStringLiteral("50.00 %"));
        // Half of the 300-pixel frame plus 1; a pixel per 15 keystrokes a minute plus 1.
        QCOMPARE(Width(w, "picCu"), 151);
        QCOMPARE(Width(w, "picCD"), 9);

        // Escape is a keystroke, not an error, and sounds only on the way down.
        t.cues.played.clear();
        Strike(w, Qt::Key_Escape);
        QCOMPARE(t.cues.played, std::vector<Cue>{Cue::Confirm});
        QCOMPARE(w->drill().statistics().keystrokes, 3.0f);
        QCOMPARE(w->drill().statistics().errors, 1.0f);

        // Tab stays in the drill: no cue going down, judged coming up.
        t.cues.played.clear();
        Strike(w, Qt::Key_Tab);
        QCOMPARE(t.cues.played, std::vector<Cue>{Cue::Error});
        QCOMPARE(w->picture().look(vk::Tab).state, KeyState::Wrong);
    }

    void functionKeysSwitchPoolsAndDrillsWithoutCounting()
    {
        TestContext t;
        KeyDrillWindow *w = open(t);
        Strike(w, Qt::Key_F4);
        QVERIFY(!w->typingAreaOnly());
        QCOMPARE(t.shell.statusMessage, QStringLiteral("按F5可切换到打字键区指法练习    按F3可限制在打字区练习"));
        Strike(w, Qt::Key_F3);
        QVERIFY(w->typingAreaOnly());
        QCOMPARE(t.shell.statusMessage, QStringLiteral("按F5可切换到打字键区指法练习    按F4可扩展至整个键盘区练习"));
        Strike(w, Qt::Key_NumLock);
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f);

        Strike(w, Qt::Key_K); // a wrong mark, cleared by the switch
        Strike(w, Qt::Key_F5);
        QVERIFY(w->fingeringMode());
        QVERIFY(w->input()->isEnabled());
        QVERIFY(!w->findChild<QFrame *>(QStringLiteral("picto"))->isVisibleTo(w));
        QCOMPARE(w->picture().look('K').state, KeyState::Normal);
        QCOMPARE(w->picture().look('A').state, KeyState::Normal);
        QCOMPARE(w->input()->text().size(), 43);
        QCOMPARE(w->input()->selectionStart(), 0);
        QCOMPARE(w->input()->selectedText().size(), 1);

        // F6 in the drill line: back, figures cleared, the target marked again,
        // also when the fingering drill last marked the target's key itself.
        StrikeLine(w, Qt::Key_A);
        QCOMPARE(w->fingering().lastPaintedKey(), int('A'));
        StrikeLine(w, Qt::Key_F6);
        QVERIFY(!w->fingeringMode());
        QVERIFY(!w->input()->isEnabled());
        QVERIFY(w->input()->text().isEmpty());
        QCOMPARE(w->picture().look('A').state, KeyState::Target);
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f);
        QVERIFY(Text(w, "lblCD").isEmpty());
        QCOMPARE(Width(w, "picCD"), 1);

        // The main window's commands reach the same switches.
        t.shell.runCommand(QStringLiteral("keyboard.fingering"));
        QVERIFY(w->fingeringMode());
        t.shell.runCommand(QStringLiteral("keyboard.positions"));
        QVERIFY(!w->fingeringMode());
        QCOMPARE(t.shell.window(ManagedWindow::KeyDrillWindow), w);
    }

    void theFingeringDrillFollowsTheLineKeyByKey()
    {
        TestContext t;
        KeyDrillWindow *w = open(t);
        w->switchToFingeringDrill();
        QLineEdit *box = w->input();
        w->leftFingerButton(4)->click();
        w->rightFingerButton(1)->click();
        QCOMPARE(w->fingering().keySet(), QStringLiteral("0p;/4rfv5tgb"));
        for (QChar c : box->text())
            QVERIFY(QStringLiteral("0p;/4rfv5tgb").contains(c));

        // Delete is never right, not even for "." ; a wrong key is marked.
        t.cues.played.clear();
        StrikeLine(w, Qt::Key_Delete);
        QCOMPARE(box->selectionStart(), 0);
        QVERIFY(t.cues.played.empty()); // off the picture: no cue at all
        const QChar first = box->text()[0];
        const Qt::Key wrong = first == QLatin1Char('q') ? Qt::Key_W : Qt::Key_Q;
        StrikeLine(w, wrong);
        QCOMPARE(t.cues.played, (std::vector<Cue>{Cue::Confirm, Cue::Error}));
        QCOMPARE(w->picture().look(int(wrong)).state, KeyState::Wrong);

        // The whole line, letters typed with Shift held; then a fresh line.
        const QString line = box->text();
        for (int i = 0; i < 43; ++i) {
            QCOMPARE(box->selectionStart(), i);
            StrikeLine(w, KeyFor(line[i]), line[i].isLetter() ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QCOMPARE(box->selectionStart(), 0);
        QCOMPARE(box->selectedText().size(), 1);
        QCOMPARE(box->text().size(), 43);
        QCOMPARE(w->picture().look(int(wrong)).state, KeyState::Normal);
    }

    // X repeats a held key as release-press pairs, marked as auto-repeat or
    // not: in both drills the key counts once.
    void aHeldKeyCountsOnceAsXRepeatsIt()
    {
        TestContext t;
        KeyDrillWindow *w = open(t);
        HoldKey(w, Qt::Key_A); // the target
        QTRY_VERIFY(!w->keyStrokes().releasePending());
        QCOMPARE(w->drill().statistics().keystrokes, 1.0f);
        QCOMPARE(w->drill().statistics().errors, 0.0f);
        QCOMPARE(t.cues.played, std::vector<Cue>{Cue::Confirm});

        w->switchToFingeringDrill();
        t.cues.played.clear();
        HoldKey(w->input(), KeyFor(w->input()->text()[0]));
        QTRY_VERIFY(!w->lineKeyStrokes().releasePending());
        QCOMPARE(w->input()->selectionStart(), 1);
        QCOMPARE(t.cues.played, std::vector<Cue>{Cue::Confirm});
    }

    void theFingeringLineOpensByKeyboardAndAlwaysShowsTheCharacterToType()
    {
        TestContext t;
        RegisterKeyboard(t.ctx, t.shell);
        // Down and Return in the main window's menu: the Return comes up in the line.
        t.shell.runCommand(QStringLiteral("keyboard.fingering"));
        auto *w = qobject_cast<KeyDrillWindow *>(t.shell.window(ManagedWindow::KeyDrillWindow));
        QVERIFY(w && w->fingeringMode());
        QLineEdit *box = w->input();
        QTest::keyRelease(box, Qt::Key_Return);
        w->lineKeyStrokes().settle();
        QVERIFY(t.cues.played.empty());
        QCOMPARE(w->picture().look(vk::Enter).state, KeyState::Normal);
        QCOMPARE(box->selectionStart(), 0);

        // No menu that could select the whole line and hide the mark.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &menu);
        QVERIFY(!box->findChild<QMenu *>());
        QCOMPARE(box->selectedText().size(), 1);

        // Every line fits the box, whatever the fingers.
        for (int left = 0; left < 5; ++left) {
            for (int right = 0; right < 5; ++right) {
                w->leftFingerButton(left)->click();
                w->rightFingerButton(right)->click();
                QVERIFY2(WholeLineShows(box), qPrintable(box->text()));
            }
        }

        // In a face too wide for the box the line scrolls as the learner
        // types; the next line still shows its first character whole.
        QFont wide = box->font();
        wide.setPixelSize(40);
        box->setFont(wide);
        const QString line = box->text();
        for (int i = 0; i < FingeringDrill::kLineLength; ++i) {
            QVERIFY(SelectedCharacterShows(box));
            StrikeLine(w, KeyFor(line[i]));
        }
        QCOMPARE(box->selectionStart(), 0);
        QVERIFY(SelectedCharacterShows(box));
    }
};

QTEST_MAIN(KeyDrillWindowTest)
#include "KeyDrillWindow.moc"
