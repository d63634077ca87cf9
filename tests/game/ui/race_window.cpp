// The race window: countdown, typing (keys and input-method commits), line
// changes, pause, stop and time-up, the settings dialog, the menu command
// and the animation frames.
#include "data/Cues.h"
#include "game/ui/RaceWindow.h"
#include "game/ui/RaceSettingsDialog.h"
#include "game/ui/RaceFrames.h"
#include "game/ui/Register.h"
#include "support/ModalScript.h"
#include "support/TestContext.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

using race::Material;

namespace {

const QString kLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqr"); // 44
const QString kKeyNameLine = QStringLiteral("金人月白禾言立水火之工木大土王目日口田纟又女子"); // 23
const QString kRaceKeys = QStringLiteral("Ctrl+S 中止游戏    Ctrl+P 暂停游戏");

struct RaceFixture : TestContext {
    RaceWindow game{ctx, shell.practiceArea()};

    void start(const QString &line, Material material = Material::Letters, int seconds = 60, int interval = 1000)
    {
        RaceSetup setup;
        setup.material = material;
        setup.settings = {seconds, interval};
        setup.pool = race::Pool(state.tables, material);
        setup.firstLine = line;
        game.startRace(setup);
    }
    void countdown()
    {
        for (int i = 0; i < race::kCountdownTicks; ++i)
            game.tickCountdown();
    }
    void commit(const QString &text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(game.input(), &event);
    }
    void ctrl(Qt::Key key) { QTest::keyClick(game.input(), key, Qt::ControlModifier); }
    int errorCues() const { return int(std::count(cues.played.begin(), cues.played.end(), Cue::Error)); }
    bool anyTimerActive() const
    {
        return game.countdownTimer()->isActive() || game.paceTimer()->isActive() || game.clockTimer()->isActive();
    }
};

} // namespace

class RaceWindowTest : public QObject {
    Q_OBJECT
private slots:
    void countdownStartsTheRace()
    {
        RaceFixture t;
        t.start(kLetters);
        QCOMPARE(t.shell.statusMessage, QStringLiteral("请做好准备，游戏将在三秒后开始"));
        QVERIFY(t.game.input()->isReadOnly());
        QVERIFY(!t.game.settingsButton()->isVisibleTo(&t.game));
        QCOMPARE(t.game.countdownTimer()->interval(), 1000);

        t.ctrl(Qt::Key_S); // not running yet: nothing happens
        QVERIFY(!t.game.race()->ended());
        QVERIFY(t.game.countdownTimer()->isActive());
        QCOMPARE(t.shell.statusMessage, QStringLiteral("请做好准备，游戏将在三秒后开始"));

        t.countdown();
        QCOMPARE(t.cues.played, std::vector<Cue>(4, Cue::Tick));
        QCOMPARE(t.game.clockLabel()->text(), QStringLiteral("   00"));
        QVERIFY(t.game.race()->running());
        QCOMPARE(t.game.countdownTimer()->interval(), 100);
        QVERIFY(t.game.paceTimer()->isActive() && t.game.clockTimer()->isActive());
        QCOMPARE(t.game.lengthLabel()->text(), QStringLiteral("共60秒"));
        QCOMPARE(t.shell.statusMessage, kRaceKeys);
        QVERIFY(!t.game.input()->isReadOnly());
    }

    void wrongLetterIsRefusedAndLinesFollowEachOther()
    {
        RaceFixture t;
        t.start(kLetters);
        t.countdown();
        QTest::keyClicks(t.game.input(), QStringLiteral("A")); // capital A where a is selected
        QCOMPARE(t.errorCues(), 1);
        QCOMPARE(t.game.input()->text(), QString());
        QCOMPARE(t.game.harePicture()->x(), 16);

        QTest::keyClicks(t.game.input(), QStringLiteral("a"));
        QCOMPARE(t.game.harePicture()->x(), 16 + 13);
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("1"));
        QTest::keyClick(t.game.input(), Qt::Key_Backspace); // typed characters stay
        QCOMPARE(t.game.input()->text(), QStringLiteral("a"));

        QTest::keyClicks(t.game.input(), kLetters.mid(1, 42));
        QCOMPARE(t.game.harePicture()->x(), 16 + 43 * 13);
        QTest::keyClicks(t.game.input(), kLetters.right(1)); // the 44th letter
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("44"));
        QCOMPARE(t.game.input()->text(), QString());
        QCOMPARE(t.game.harePicture()->x(), 16);
        const QString next = t.game.raceLine();
        QCOMPARE(next.size(), 44);
        QTest::keyClicks(t.game.input(), next.left(1));
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("45"));
        QCOMPARE(t.errorCues(), 1);
    }

    void commitIsJudgedCharacterByCharacter()
    {
        RaceFixture t;
        t.start(kKeyNameLine, Material::KeyNames);
        t.countdown();
        t.commit(QStringLiteral("金口人")); // the second is wrong, the third must not count
        QCOMPARE(t.game.input()->text(), QStringLiteral("金"));
        QCOMPARE(t.game.harePicture()->x(), 16 + 25);
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("1"));
        QCOMPARE(t.errorCues(), 1);
        t.commit(QStringLiteral("人月白"));
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("4"));
        QCOMPARE(t.errorCues(), 1);

        // A commit past the end of the line: the rest is typed on the next one.
        t.commit(kKeyNameLine.mid(4, 18));
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("22"));
        const QString first = t.game.raceLine();
        t.commit(kKeyNameLine.right(1) + QStringLiteral("X"));
        QVERIFY(t.game.raceLine() != first);
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("23"));
        QCOMPARE(t.game.input()->text(), QString());
        QCOMPARE(t.errorCues(), 2); // X is no key-name character
        const QString next = t.game.raceLine();
        t.commit(next.left(2));
        QCOMPARE(t.game.input()->text(), next.left(2));
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("25"));
    }

    void pauseFreezesTheRace()
    {
        RaceFixture t;
        t.start(kLetters, Material::Letters, 60, 60);
        t.countdown();
        QTest::qWait(250);
        t.ctrl(Qt::Key_P);
        QVERIFY(!t.anyTimerActive());
        QCOMPARE(t.shell.statusMessage, QStringLiteral("Ctrl+R继续游戏"));
        QVERIFY(t.game.input()->isReadOnly());
        const int tortoise = t.game.race()->tortoiseCount();
        const int frame = t.game.race()->frameNumber();
        const int seconds = t.game.race()->clockSeconds();
        QVERIFY(tortoise > 1);
        QTest::qWait(300);
        QTest::keyClicks(t.game.input(), QStringLiteral("a"));
        QCOMPARE(t.game.input()->text(), QString());
        QCOMPARE(t.game.race()->tortoiseCount(), tortoise);
        QCOMPARE(t.game.race()->frameNumber(), frame);
        QCOMPARE(t.game.race()->clockSeconds(), seconds);

        t.ctrl(Qt::Key_R);
        QVERIFY(t.game.countdownTimer()->isActive() && t.game.paceTimer()->isActive() && t.game.clockTimer()->isActive());
        QCOMPARE(t.shell.statusMessage, kRaceKeys);
        QTest::keyClicks(t.game.input(), QStringLiteral("a"));
        QCOMPARE(t.game.input()->text(), QStringLiteral("a"));
    }

    void raceEndsOnTheTickAfterItsLength()
    {
        RaceFixture t;
        t.start(kLetters);
        t.countdown();
        QStringList hare, tortoise;
        for (int i = 0; i < 3; ++i) {
            t.game.tickCountdown();
            hare << t.game.hareFrameName();
            tortoise << t.game.tortoiseFrameName();
        }
        QCOMPARE(hare, QStringList({"gt1", "gt2", "gt3"}));
        QCOMPARE(tortoise, QStringList({"gg1", "gg2", "gg1"}));
        t.game.moveTortoise();
        QCOMPARE(t.game.tortoiseCountLabel()->text(), QStringLiteral("2"));
        QCOMPARE(t.game.tortoisePicture()->x(), 16 + 13);

        for (int tick = 1; tick <= 60; ++tick)
            t.game.tickClock();
        QVERIFY(t.game.race()->running());
        QCOMPARE(t.game.clockLabel()->text(), QStringLiteral("00:59"));
        t.game.tickClock();
        QVERIFY(!t.game.race()->running());
        QCOMPARE(t.game.clockLabel()->text(), QStringLiteral("01:00"));
        QCOMPARE(t.shell.statusMessage, QStringLiteral("赛跑时间到"));
        QVERIFY(!t.anyTimerActive());
        QVERIFY(t.game.settingsButton()->isVisibleTo(&t.game));
        QVERIFY(t.game.input()->isReadOnly());
        QCOMPARE(t.game.hareFrameName(), QStringLiteral("gt2"));
        QCOMPARE(t.game.tortoiseFrameName(), QStringLiteral("gg2"));
        QCOMPARE(t.game.tortoisePicture()->x(), 16);
    }

    void ctrlSStopsTheRace()
    {
        RaceFixture t;
        t.start(kLetters);
        t.countdown();
        QTest::keyClicks(t.game.input(), QStringLiteral("abc"));
        t.ctrl(Qt::Key_P);
        t.ctrl(Qt::Key_S); // also while paused
        QVERIFY(t.game.race()->ended());
        QCOMPARE(t.shell.statusMessage, QStringLiteral("赛跑结束"));
        QCOMPARE(t.game.harePicture()->x(), 16);
        QCOMPARE(t.game.hareCountLabel()->text(), QStringLiteral("3"));
        QVERIFY(!t.anyTimerActive());
    }

    void settingsAreCheckedInOrder()
    {
        TestContext t;
        RaceSettingsDialog dialog(t.ctx);
        MessageBoxScript boxes({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
        const struct {
            const char *length, *pace;
            QLineEdit *focused;
        } entries[] = {{"abc", "x", dialog.secondsBox}, {"60", "x", dialog.paceBox},
                       {"9", "1001", dialog.paceBox}, {"3600", "10", dialog.secondsBox}};
        dialog.show();
        for (const auto &e : entries) {
            dialog.secondsBox->setText(QString::fromUtf8(e.length));
            dialog.paceBox->setText(QString::fromUtf8(e.pace));
            dialog.confirmSettings();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(e.focused->selectedText(), e.focused->text());
        }
        QStringList texts;
        for (const auto &seen : boxes.seen) {
            QCOMPARE(seen.title, QStringLiteral("错误"));
            texts << seen.text;
        }
        QCOMPARE(texts, QStringList({"时间或字数必须为数字", "龟的速度必须为数字", "龟的速度必须大于1字/分且小于1000字/分",
                                     "时间设置必须大于10小于3600秒"}));

        // Without code tables there are no short codes to race with.
        dialog.materialButtons[2]->click(); // 一级简码
        dialog.secondsBox->setText(QStringLiteral("10"));
        dialog.confirmSettings();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(boxes.seen.size(), std::size_t(5));
        QCOMPARE(boxes.seen.back().text, QStringLiteral("五笔码表没有读入，不能用这种文字赛跑，请选择其他文字"));

        dialog.materialButtons[1]->click(); // 键名字
        dialog.secondsBox->setText(QStringLiteral("10"));
        dialog.paceBox->setText(QStringLiteral("7"));
        dialog.confirmSettings();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.setup().settings.seconds, 10);
        QCOMPARE(dialog.setup().settings.paceInterval, 8571);
        QCOMPARE(dialog.setup().firstLine.size(), 23);
        for (QChar c : dialog.setup().firstLine)
            QVERIFY(kKeyNameLine.contains(c) || QStringLiteral("已山").contains(c));
    }

    void menuOpensTheRaceWindow()
    {
        TestContext t;
        RegisterRace(t.ctx, t.shell);
        QVERIFY(t.shell.runCommand(QStringLiteral("game.race")));
        auto *game = qobject_cast<RaceWindow *>(t.shell.window(ManagedWindow::RaceWindow));
        QVERIFY(game);
        QVERIFY(t.state.shown(ManagedWindow::RaceWindow));
        QVERIFY(!t.state.window(ManagedWindow::RaceWindow).opening);
        QCOMPARE(t.shell.closeOthersCount, 1);
        t.shell.unloadWindow(ManagedWindow::RaceWindow);
        QVERIFY(!t.state.shown(ManagedWindow::RaceWindow));
    }

    void framesAreTransparentPictures()
    {
        const RaceFrameImages &frames = RaceFrames(TestEnv::dataRoot());
        std::vector<QImage> all(frames.hare.begin(), frames.hare.end());
        all.insert(all.end(), frames.tortoise.begin(), frames.tortoise.end());
        for (const QImage &frame : all) {
            QVERIFY(!frame.isNull());
            QVERIFY(frame.hasAlphaChannel());
            QCOMPARE(qAlpha(frame.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(frame.pixel(frame.width() / 2, frame.height() / 2)), 255);
        }
        for (std::size_t i = 0; i + 1 < frames.hare.size(); ++i)
            QVERIFY(frames.hare[i] != frames.hare[i + 1]);
        QVERIFY(frames.tortoise[0] != frames.tortoise[1]);
        QCOMPARE(&RaceFrames(TestEnv::dataRoot()), &frames); // decoded once
    }
};

QTEST_MAIN(RaceWindowTest)
#include "race_window.moc"
