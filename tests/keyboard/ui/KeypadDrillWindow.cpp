// The keypad drill in its window: ranges, the Num Lock message, the restart
// button.
#include "keyboard/ui/KeypadDrillWindow.h"
#include "keyboard/ui/KeyboardRegistration.h"
#include "keyboard/ui/KeyboardView.h"

#include "keyboard/KeyCodes.h"
#include "shell/ui/PictureButton.h"
#include "support/ModalScript.h"
#include "support/TestContext.h"

#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <set>

namespace {
// The keypad key event (Num Lock on) for a keypad code.
void Strike(KeypadDrillWindow *w, int code)
{
    const Qt::Key key = code == vk::Enter         ? Qt::Key_Enter
                        : code == vk::PadMultiply ? Qt::Key_Asterisk
                        : code == vk::PadPlus     ? Qt::Key_Plus
                        : code == vk::PadMinus    ? Qt::Key_Minus
                        : code == vk::PadDecimal  ? Qt::Key_Period
                        : code == vk::PadDivide   ? Qt::Key_Slash
                        : code == vk::NumLock     ? Qt::Key_NumLock
                                                  : Qt::Key(Qt::Key_0 + code - vk::Pad0);
    QTest::keyClick(w, key, code == vk::NumLock ? Qt::NoModifier : Qt::KeypadModifier);
    w->keyStrokes().settle(); // judged now, not after the wait for a repeat
}
} // namespace

class KeypadDrillWindowTest : public QObject {
    Q_OBJECT
private:
    KeypadDrillWindow *open(TestContext &t)
    {
        RegisterKeyboard(t.ctx, t.shell);
        t.shell.runCommand(QStringLiteral("keyboard.keypad"));
        return qobject_cast<KeypadDrillWindow *>(t.shell.window(ManagedWindow::KeypadDrillWindow));
    }

private slots:
    void rangesLimitTheTargets()
    {
        TestContext t;
        KeypadDrillWindow *w = open(t);
        QVERIFY(w && t.state.shown(ManagedWindow::KeypadDrillWindow));
        QCOMPARE(w->drill().target(), int(vk::Pad0));
        QVERIFY(w->rangeButton(0)->isChecked());
        QVERIFY(!w->testAttribute(Qt::WA_InputMethodEnabled));

        w->rangeButton(2)->click();
        Strike(w, w->drill().target()); // the range applies from this hit on
        std::set<int> seen;
        for (int i = 0; i < 60; ++i) {
            seen.insert(w->drill().target());
            Strike(w, w->drill().target());
        }
        QCOMPARE(seen, (std::set<int>{98, 101, 104, 111}));
        // A screen reader hears the key to strike next, and it follows the hits.
        const QWidget *keypad = w->findChild<KeyboardView *>();
        QCOMPARE(keypad->accessibleName(), QStringLiteral("数字键盘图"));
        const int before = w->drill().target();
        QCOMPARE(keypad->accessibleDescription(), QStringLiteral("请按：%1 键").arg(w->picture().legend(before)));
        while (w->drill().target() == before)
            Strike(w, before);
        QCOMPARE(keypad->accessibleDescription(),
                 QStringLiteral("请按：%1 键").arg(w->picture().legend(w->drill().target())));
        QVERIFY(!w->picture().legend(w->drill().target()).isEmpty());
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblJZ"))->text(), QStringLiteral("100.00 %"));
        // Pixels here: the full 200-pixel frame plus 16, held inside the frame.
        QCOMPARE(w->findChild<QFrame *>(QStringLiteral("picCu"))->width(),
                 w->findChild<QFrame *>(QStringLiteral("picto"))->width() - 2);
    }

    void navigationCodesAskForNumLockAndCountNoError()
    {
        TestContext t;
        KeypadDrillWindow *w = open(t);
        MessageBoxScript script({QMessageBox::Ok});
        QTest::keyClick(w, Qt::Key_Home, Qt::KeypadModifier);
        w->keyStrokes().settle();
        QCOMPARE(script.seen.size(), size_t(1));
        QCOMPARE(script.seen[0].text, QStringLiteral("请先击一下Num Lock键使数字键区生效！"));
        QCOMPARE(w->drill().statistics().keystrokes, 1.0f);
        QCOMPARE(w->drill().statistics().errors, 0.0f);
        // The arrows do not ask.
        QTest::keyClick(w, Qt::Key_Up, Qt::KeypadModifier);
        w->keyStrokes().settle();
        QCOMPARE(script.seen.size(), size_t(1));
        // Num Lock is on the picture: striking it off target is an error.
        Strike(w, vk::NumLock);
        QCOMPARE(w->drill().statistics().errors, 1.0f);
        QCOMPARE(w->picture().look(vk::NumLock).state, KeyState::Wrong);
    }

    void theRestartButtonClearsTheFiguresButKeepsTheMarks()
    {
        TestContext t;
        KeypadDrillWindow *w = open(t);
        Strike(w, vk::Pad0 + 5);
        QCOMPARE(w->picture().look(vk::Pad0 + 5).state, KeyState::Wrong);
        QVERIFY(!w->findChild<QLabel *>(QStringLiteral("lblCD"))->text().isEmpty());
        const QPoint middle = PictureButton::shape().center().toPoint();
        QTest::mousePress(w->restartButton(), Qt::LeftButton, {}, middle);
        QTest::mouseRelease(w->restartButton(), Qt::LeftButton, {}, middle);
        QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblCD"))->text().isEmpty());
        QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblJZ"))->text().isEmpty());
        QCOMPARE(w->findChild<QFrame *>(QStringLiteral("picCD"))->width(), 17);
        QCOMPARE(w->drill().statistics().keystrokes, 0.0f);
        QCOMPARE(w->picture().look(vk::Pad0 + 5).state, KeyState::Wrong);
        QCOMPARE(w->picture().look(vk::Pad0).state, KeyState::Target);
    }
};

QTEST_MAIN(KeypadDrillWindowTest)
#include "KeypadDrillWindow.moc"
