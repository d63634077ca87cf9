// The main window: start-up, the graphic menu and its menu tree, the window
// registry with close-others, docking, minimize and restore, hover pictures,
// the status strip, music check marks, help and exit.
#include "ShellFixture.h"

#include "app/ui/GraphicButton.h"
#include "app/ui/GraphicMenu.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/HoverTracker.h"
#include "app/ui/StatusStrip.h"
#include "practice/ui/Register.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

using W = ManagedWindow;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpRunsInOrderAndTheSplashGoesAfterActivation()
    {
        ShellFixture f;
        f.settings.write("Sound", "Sound_ZW_Error", "0");
        f.settings.write("Font", "out_in_fontsize", "15");
        f.main.startUp();
        f.stopTimers();
        QVERIFY(f.state.shown(W::IdleBackground));
        QVERIFY(f.state.shown(W::StatusStrip));
        QVERIFY(!f.state.cues.zwError && f.state.cues.zwRight);
        QCOMPARE(f.state.fonts.outIn, 15);
        QCOMPARE(f.main.windowTitle(), QString("QuorvelV1.41"));
        QCOMPARE(f.main.size(), QSize(710, 548));

        // Busy until 400 ms after the first activation.
        QVERIFY(f.main.splash() && f.main.splash()->isVisible());
        QCOMPARE(f.main.splash()->size(), QSize(356, 366));
        QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        f.main.activated();
        QCOMPARE(f.main.activationTimer().interval(), 400);
        QVERIFY(f.main.activationTimer().isActive());
        QVERIFY(f.main.splash());
        f.main.dismissSplash();
        QVERIFY(!f.main.splash());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!f.main.activationTimer().isActive());
        // A later activation does not touch the pointer again.
        f.main.activated();
        f.main.dismissSplash();
        QVERIFY(!QApplication::overrideCursor());
    }

    void aMissingCodeTableIsReportedAndTheRestStarts()
    {
        ShellFixture f;
        f.ctx.paths.dataRoot = f.env.path();
        f.main.startUp();
        f.stopTimers();
        f.main.waitForCodeTables();
        QCOMPARE(f.main.startupMessages().size(), 2);
        QVERIFY(f.state.tables.t86.isEmpty());
        QVERIFY(f.state.shown(W::StatusStrip));
        QVERIFY(f.main.help().helpFile().isEmpty());
        f.main.help().showHelp(); // without the page nothing happens
        QVERIFY(!f.main.help().helpWindow());
        f.main.dismissSplash();
    }

    // The buttons read as buttons named by their captions, a screen reader's
    // press opens the menu, and the help page explains every menu item.
    void graphicMenuButtonsAndTheHelpForEveryItem()
    {
        ShellFixture f;
        f.start();
        QFile help(TestEnv::dataRoot() + "/help/help.html");
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(help.readAll());
        QStringList unexplained;
        for (int i = 0; i < 8; ++i) {
            GraphicButton *button = f.main.menuButton(i);
            QCOMPARE(button->size(), QSize(81, 33));
            if (i > 0)
                QCOMPARE(button->x() - f.main.menuButton(i - 1)->x(), 80);
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(button);
            QVERIFY(reader);
            QCOMPARE(reader->role(), QAccessible::Button);
            QCOMPARE(reader->text(QAccessible::Name), button->captionLabel()->text());
            QVERIFY(!reader->text(QAccessible::Description).isEmpty());
            if (!page.contains(button->captionLabel()->text()))
                unexplained << button->captionLabel()->text();
            QMenu *menu = f.main.buttonMenu(i);
            if (!menu)
                continue;
            reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
            // Every item, sub-menus by their own caption: the editions and
            // the tunes below them need no words of their own.
            for (QAction *action : menu->actions()) {
                const QString caption = action->text().remove(QChar(0x2026));
                if (!action->isSeparator() && !page.contains(caption))
                    unexplained << caption;
            }
        }
        QCOMPARE(unexplained, QStringList());
        QCOMPARE(f.main.findChild<QAction *>("HelpText")->shortcut(), QKeySequence(Qt::Key_F1));
    }

    // The menus are built from one table and the subsystems register their
    // commands by key: a key spelt differently on either side leaves its item
    // disabled, which is what this catches.
    void everyMenuItemHasARegisteredCommand()
    {
        ShellFixture f;
        f.start();
        RegisterEverything(f.ctx, f.main);
        QVERIFY(!f.main.buttonMenu(3)); // free input runs from its button, without a menu
        QStringList withoutCommand;
        int items = 0;
        for (int i = 0; i < GraphicMenu::kButtons; ++i) {
            QMenu *top = f.main.buttonMenu(i);
            if (!top)
                continue;
            QList<QMenu *> menus{top};
            menus += top->findChildren<QMenu *>();
            for (const QMenu *menu : menus) {
                for (QAction *item : menu->actions()) {
                    if (item->isSeparator() || item->menu())
                        continue;
                    ++items;
                    if (!item->isEnabled())
                        withoutCommand << item->objectName();
                }
            }
        }
        QVERIFY(items > 40);
        QVERIFY2(withoutCommand.isEmpty(), qPrintable(withoutCommand.join(QLatin1Char(','))));
    }

    void itemsWithoutACommandAreDisabled()
    {
        ShellFixture f;
        f.start();
        QAction *chinese = f.main.findChild<QAction *>("MenuChinese_1");
        QVERIFY(!chinese->isEnabled());
        QVERIFY(!f.main.findChild<QMenu *>("CZ2")->menuAction()->isEnabled());
        QVERIFY(f.main.findChild<QAction *>("About")->isEnabled());
        QVERIFY(f.main.findChild<QAction *>("BackMusic_3")->isEnabled());
        int runs = 0;
        f.main.setCommand("chinese.line", [&] { ++runs; });
        f.main.setCommand("wubi.phrases2.98", [&] { runs += 10; });
        QVERIFY(chinese->isEnabled());
        QVERIFY(f.main.findChild<QMenu *>("CZ2")->menuAction()->isEnabled());
        chinese->trigger();
        f.main.findChild<QAction *>("CZ2_98")->trigger();
        QCOMPARE(runs, 11);
        QVERIFY(!f.main.runCommand("game.race"));
        f.main.setCommand("chinese.line", nullptr);
        QVERIFY(!chinese->isEnabled());
    }

    void leftPressPopsTheMenuUnderTheButton()
    {
        ShellFixture f;
        f.start();
        int freeInput = 0;
        f.main.setCommand("freeInput", [&] { ++freeInput; });
        GraphicButton *english = f.main.menuButton(2);
        QTest::mousePress(english, Qt::RightButton);
        QVERIFY(!f.main.buttonMenu(2)->isVisible());
        QTest::mousePress(english->captionLabel(), Qt::LeftButton, {}, QPoint(5, 5));
        QMenu *menu = f.main.buttonMenu(2);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), english->mapToGlobal(QPoint(0, english->height())));
        menu->hide();
        QTest::mousePress(f.main.menuButton(3), Qt::RightButton);
        QCOMPARE(freeInput, 0);
        QTest::mousePress(f.main.menuButton(3), Qt::LeftButton);
        QCOMPARE(freeInput, 1);
        for (int i = 0; i < 8; ++i)
            if (i != 3)
                QVERIFY(!f.main.buttonMenu(i)->isVisible());
    }

    void panelsDockByThePlacementRules()
    {
        ShellFixture f;
        f.registerFakes({W::RunPanel, W::LinePracticeWindow, W::RecordViewer});
        f.start();
        QCOMPARE(f.main.practiceArea()->geometry(), QRect(0, 76, 710, 445));
        f.main.openLinePractice();
        QCOMPARE(f.main.window(W::RunPanel)->geometry(), QRect(0, 0, 112, 445));
        QCOMPARE(f.main.window(W::LinePracticeWindow)->geometry(), QRect(112, 0, 598, 445));
        QCOMPARE(f.main.window(W::StatusStrip)->geometry(), QRect(0, 521, 710, 27));
        // Points from the main window's edges reach the same screen points.
        const QPoint origin = f.main.mainOrigin();
        QCOMPARE(f.main.mainToGlobal(QPoint(116, 99)), f.main.window(W::LinePracticeWindow)->mapToGlobal(QPoint(0, 0)));
        QCOMPARE(f.main.mapToGlobal(QPoint(0, 0)), origin + QPoint(4, 23));
        QDialog dialog(&f.main);
        dialog.resize(300, 200);
        f.main.centreDialog(&dialog);
        // Centred 299 + 112 pixels right of the main window's left edge and
        // dockOffset + 222.5 (rounded up) below its top edge.
        QCOMPARE(dialog.pos() + QPoint(150, 100), f.main.mainToGlobal(QPoint(411, 326)));
    }

    void closeOthersLeavesOnlyTheOpeningWindowsEmptied()
    {
        ShellFixture f;
        RegisterLinePractice(f.ctx, f.main); // the real status window, which keeps the run
        f.registerFakes({W::LinePracticeWindow, W::TextPracticeWindow, W::RecordViewer});
        f.start();
        f.main.showWindow(W::RecordViewer);
        f.main.showWindow(W::RunPanel);
        f.run().start(QStringLiteral("line"));
        f.state.pendingText = "abc\r\n";
        f.state.generatedDrill = true;
        f.main.selectDrillKind(4);
        QVERIFY(f.state.phraseDrillKind[3]);
        f.main.setStatusMessage("提示");

        f.main.openLinePractice();
        QVERIFY(!f.main.window(W::IdleBackground) && !f.state.shown(W::IdleBackground));
        QVERIFY(!f.main.window(W::RecordViewer) && !f.state.shown(W::RecordViewer));
        QVERIFY(f.state.shown(W::RunPanel) && f.state.shown(W::LinePracticeWindow));
        QVERIFY(!f.state.window(W::RunPanel).opening && !f.state.window(W::LinePracticeWindow).opening);
        QVERIFY(f.state.pendingText.isEmpty());
        QVERIFY(f.openRun() && !f.runStarted() && !f.state.generatedDrill);
        QVERIFY(!f.state.phraseDrillKind[3]);
        QCOMPARE(f.main.statusStrip()->message(), QString());

        // The same practice again keeps its windows and empties them.
        FakePanel *line = f.panel(W::LinePracticeWindow);
        line->input->setText("我们");
        f.main.openLinePractice();
        QCOMPARE(f.panel(W::LinePracticeWindow), line);
        QCOMPARE(line->clears, 2);
        QVERIFY(line->input->text().isEmpty());

        // The text practice replaces the line practice but keeps RunPanel.
        QWidget *state = f.main.window(W::RunPanel);
        f.main.openTextPractice();
        QVERIFY(!f.main.window(W::LinePracticeWindow) && !f.state.shown(W::LinePracticeWindow));
        QCOMPARE(f.main.window(W::RunPanel), state);
        QVERIFY(f.state.shown(W::TextPracticeWindow));
        f.main.closeOthers();
        for (W w : {W::LinePracticeWindow, W::TextPracticeWindow, W::RunPanel, W::RecordViewer, W::IdleBackground})
            QVERIFY(!f.state.shown(w));
        QVERIFY(f.state.shown(W::StatusStrip));
    }

    // A window that goes without the registry's unload (closed, deleted
    // later) is no longer shown nor opening: the registry follows its life.
    void aDestroyedWindowIsNoLongerShown()
    {
        ShellFixture f;
        f.registerFakes({W::RecordViewer});
        f.start();
        QWidget *viewer = f.main.showWindow(W::RecordViewer);
        QVERIFY(f.state.shown(W::RecordViewer));
        f.state.window(W::RecordViewer).opening = true;
        delete viewer;
        QVERIFY(!f.state.shown(W::RecordViewer));
        QVERIFY(!f.state.window(W::RecordViewer).opening);
        QVERIFY(!f.main.window(W::RecordViewer));
    }

    void drillKindSelection()
    {
        ShellFixture f;
        const auto kinds = [&] {
            return QList<bool>{f.state.lettersOnlyDrill, f.state.randomCharDrill, f.state.phraseDrillKind[2],
                               f.state.phraseDrillKind[3], f.state.phraseDrillKind[4], f.state.phraseDrillKind[5]};
        };
        for (int kind = 1; kind <= 6; ++kind) {
            f.main.selectDrillKind(kind);
            QList<bool> expected(6, false);
            expected[kind - 1] = true;
            QCOMPARE(kinds(), expected);
        }
        f.main.selectDrillKind(9);
        QCOMPARE(kinds(), QList<bool>(6, false));
    }

    void minimizeAndRestoreKeepPanelsAndContents()
    {
        ShellFixture f;
        f.registerFakes({W::RunPanel, W::LinePracticeWindow});
        f.start();
        f.main.openLinePractice();
        FakePanel *line = f.panel(W::LinePracticeWindow);
        line->input->setText("中文");
        const QRect where = line->geometry();
        f.main.setStatusReady(true);

        f.main.setWindowState(Qt::WindowMinimized);
        for (W w : {W::RunPanel, W::LinePracticeWindow, W::StatusStrip}) {
            QVERIFY(!f.state.shown(w));
            QVERIFY(f.state.window(w).hiddenWithMain);
            QVERIFY(f.main.window(w) && !f.main.window(w)->isVisibleTo(&f.main));
        }
        // The strip can be written while it is hidden.
        f.main.setStatusMessage("暂停中");
        f.main.setStatusReady(false);
        QVERIFY(!f.state.shown(W::StatusStrip));

        f.main.setWindowState(Qt::WindowNoState);
        for (W w : {W::RunPanel, W::LinePracticeWindow, W::StatusStrip}) {
            QVERIFY(f.state.shown(w));
            QVERIFY(!f.state.window(w).hiddenWithMain);
            QVERIFY(f.main.window(w)->isVisibleTo(&f.main));
        }
        QCOMPARE(f.panel(W::LinePracticeWindow), line);
        QCOMPARE(line->input->text(), QString("中文"));
        QCOMPARE(line->geometry(), where);
        QCOMPARE(f.main.statusStrip()->message(), QString("暂停中"));
        QCOMPARE(f.main.statusStrip()->stateText(), QString("未就绪"));
    }

    void minimizeThatNoWindowManagerHonoursIsTakenBack()
    {
        ShellFixture f;
        f.registerFakes({W::RunPanel, W::LinePracticeWindow});
        f.start();
        f.main.openLinePractice();
        QVERIFY(QTest::qWaitForWindowExposed(&f.main));
        // The window stays on the screen (nothing minimizes it here): the
        // panels come back by themselves.
        f.main.minimizeProgram();
        QVERIFY(!f.state.shown(W::LinePracticeWindow));
        QTRY_VERIFY_WITH_TIMEOUT(f.state.shown(W::LinePracticeWindow), 5000);
        QVERIFY(!f.main.isMinimized());
        QVERIFY(f.state.shown(W::RunPanel) && f.state.shown(W::StatusStrip));

        // Activating the main window brings them back at once.
        f.main.minimizeProgram();
        QVERIFY(!f.state.shown(W::LinePracticeWindow));
        QApplication::setActiveWindow(&f.main);
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(&f.main, &activation);
        QVERIFY(f.state.shown(W::LinePracticeWindow));
        QVERIFY(f.main.window(W::LinePracticeWindow)->isVisibleTo(&f.main));
    }

    void statusStateTexts()
    {
        ShellFixture f;
        f.start();
        f.main.setStatusMessage("请按回车键开始");
        f.main.setStatusReady(true);
        QCOMPARE(f.main.statusStrip()->stateText(), QString("就绪"));
        f.main.setStatusReady(false);
        QCOMPARE(f.main.statusStrip()->stateText(), QString("未就绪"));
        f.main.setStatusMessage("");
        QCOMPARE(f.main.statusStrip()->message(), QString());
        QCOMPARE(f.main.statusStrip()->stateText(), QString("未就绪"));
        // Writing loads the strip when it is gone.
        f.main.unloadWindow(W::StatusStrip);
        f.main.setStatusMessage("x");
        QVERIFY(f.state.shown(W::StatusStrip));
        QCOMPARE(f.main.statusStrip()->message(), QString("x"));
    }

    void hoverMovesTheHighlightInOneTick()
    {
        ShellFixture f;
        f.registerFakes({W::RecordViewer});
        f.start();
        GraphicButton *two = f.main.menuButton(2);
        GraphicButton *five = f.main.menuButton(5);
        f.main.hover().hoverOver(two);
        QVERIFY(two->showsHoverPicture());
        f.main.hover().hoverOver(five->captionLabel());
        QVERIFY(five->showsHoverPicture());
        QVERIFY(!two->showsHoverPicture());
        // Another window leaves the highlight where it is.
        f.main.hover().hoverOver(f.main.showWindow(W::RecordViewer));
        f.main.hover().hoverOver(nullptr);
        QVERIFY(five->showsHoverPicture());
        // The bare strip and its decorations count as the main window.
        f.main.hover().hoverOver(f.main.findChild<QLabel *>("Label1"));
        QVERIFY(!five->showsHoverPicture());
        // Entering and leaving a button ask the platform what is under the pointer.
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QCursor::setPos(two->mapToGlobal(QPoint(40, 16)));
        QApplication::sendEvent(two, &enter);
        QVERIFY(two->showsHoverPicture());
        QCursor::setPos(f.main.mapToGlobal(QPoint(100, 10))); // the bare strip
        QApplication::sendEvent(two, &leave);
        QVERIFY(!two->showsHoverPicture());
    }

    void musicChecksFollowTheChoice()
    {
        ShellFixture f;
        f.start();
        const auto checks = [&] {
            QList<bool> out{f.main.menuAction("music.off")->isChecked()};
            for (int i = 0; i < 4; ++i)
                out << f.main.menuAction(QString("music.tune%1").arg(i))->isChecked();
            return out;
        };
        QCOMPARE(checks(), QList<bool>(5, false));
        f.main.menuAction("music.tune2")->trigger();
        QCOMPARE(checks(), (QList<bool>{false, false, false, true, false}));
        f.main.menuAction("music.tune2")->trigger(); // chosen again: stays checked, starts again
        QCOMPARE(checks(), (QList<bool>{false, false, false, true, false}));
        QCOMPARE(f.musicLog.size(), 2);
        QVERIFY(f.musicLog[1].endsWith("/data/midi/高山流水.mid"));
        f.main.menuAction("music.off")->trigger();
        QCOMPARE(checks(), (QList<bool>{true, false, false, false, false}));
        QCOMPARE(f.musicLog.last(), QString("stop"));
        f.main.menuAction("music.off")->trigger();
        QCOMPARE(checks(), (QList<bool>{true, false, false, false, false}));
    }

    void helpOpensTheHelpPage()
    {
        ShellFixture f;
        QDir().mkpath(f.env.path() + "/help");
        QFile page(f.env.path() + "/help/help.html");
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><h1>中文逐行对打</h1></body></html>");
        page.close();
        f.ctx.paths.dataRoot = f.env.path();
        f.start();
        QVERIFY(f.main.runCommand("help.contents"));
        QVERIFY(f.main.help().helpWindow() && f.main.help().helpWindow()->isVisible());
        QVERIFY(f.main.help().helpWindow()->browser()->toPlainText().contains("中文逐行对打"));
        // A window of its own beside the main window, not on top of it.
        HelpWindow *help = f.main.help().helpWindow();
        QVERIFY(help->isWindow() && !(help->windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(!help->geometry().intersects(f.main.geometry()) || help->pos() != f.main.pos());
        help->resize(500, 400);
        // Escape closes it; it comes back at the size it was left.
        QApplication::setActiveWindow(help);
        QTest::keyClick(help->browser(), Qt::Key_Escape);
        QTRY_VERIFY(!f.main.help().helpWindow());
        // F1 anywhere in the program opens it too.
        QApplication::setActiveWindow(&f.main);
        QTest::keyClick(&f.main, Qt::Key_F1);
        QVERIFY(f.main.help().helpWindow() && f.main.help().helpWindow()->isVisible());
        QCOMPARE(f.main.help().helpWindow()->size(), QSize(500, 400));
        // A stored size larger than the screen (another screen, a hand edit) fits this one.
        QApplication::setActiveWindow(f.main.help().helpWindow());
        QTest::keyClick(f.main.help().helpWindow()->browser(), Qt::Key_Escape);
        QTRY_VERIFY(!f.main.help().helpWindow());
        f.ctx.settings.write({{"HelpWindow", "Width", "30000"}, {"HelpWindow", "Height", "30000"}});
        QApplication::setActiveWindow(&f.main);
        QTest::keyClick(&f.main, Qt::Key_F1);
        QVERIFY(f.main.help().helpWindow());
        const QSize screen = f.main.screen()->availableGeometry().size();
        QCOMPARE(f.main.help().helpWindow()->size().boundedTo(screen), f.main.help().helpWindow()->size());
    }

    void draggingTheStripTakesThePanelsAlong()
    {
        ShellFixture f;
        f.registerFakes({W::RunPanel, W::LinePracticeWindow});
        f.start();
        f.main.openLinePractice();
        const QPoint originBefore = f.main.mainOrigin();
        const QPoint lineBefore = f.main.window(W::LinePracticeWindow)->mapToGlobal(QPoint(0, 0));
        QWidget *strip = f.main.findChild<QWidget *>("strip");
        const QPoint grab(300, 10);
        QTest::mousePress(strip, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(10, 0)), strip->mapToGlobal(QPointF(grab + QPoint(10, 0))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &move);
        QTest::mouseRelease(strip, Qt::LeftButton, {}, grab + QPoint(10, 0));
        QCOMPARE(f.main.mainOrigin() - originBefore, QPoint(10, 0));
        QCOMPARE(f.main.window(W::LinePracticeWindow)->mapToGlobal(QPoint(0, 0)) - lineBefore, QPoint(10, 0));
        // A press on a button starts no drag: the button takes it, so moving
        // with the left button held leaves the window where it is.
        QTest::mousePress(f.main.menuButton(3), Qt::LeftButton);
        QApplication::sendEvent(strip, &move);
        QTest::mouseRelease(strip, Qt::LeftButton, {}, grab + QPoint(10, 0));
        QCOMPARE(f.main.mainOrigin() - originBefore, QPoint(10, 0));
    }

    void theProgramsOwnWindowsDockAndReplaceEachOther()
    {
        ShellFixture f;
        f.start();
        RegisterEverything(f.ctx, f.main);
        QVERIFY(f.main.menuAction("chinese.line")->isEnabled());
        QVERIFY(f.main.runCommand("chinese.line"));
        QCOMPARE(f.state.practiceTitle, QString("中文逐行对照练习"));
        QVERIFY(f.state.shown(W::LinePracticeWindow) && f.state.shown(W::RunPanel));
        QVERIFY(!f.state.shown(W::IdleBackground));
        QCOMPARE(f.main.window(W::RunPanel)->geometry(), QRect(0, 0, 112, 445));
        QCOMPARE(f.main.window(W::LinePracticeWindow)->geometry(), QRect(112, 0, 598, 445));
        QVERIFY(f.main.runCommand("other.records"));
        QVERIFY(!f.main.window(W::LinePracticeWindow) && !f.state.shown(W::LinePracticeWindow) && !f.state.shown(W::RunPanel));
        QVERIFY(f.state.shown(W::RecordViewer));
        QCOMPARE(f.main.window(W::RecordViewer)->geometry(), QRect(0, 0, 710, 445));
        f.main.closeProgram();
        for (int i = 0; i < kManagedWindowCount; ++i)
            QVERIFY(!f.state.windows[i].shown);
    }

    void exitClosesEverythingAlsoWhatIsHidden()
    {
        ShellFixture f;
        f.registerFakes({W::RunPanel, W::LinePracticeWindow});
        f.start();
        f.main.openLinePractice();
        f.main.setWindowState(Qt::WindowMinimized);
        QVERIFY(f.main.window(W::LinePracticeWindow));
        f.main.closeProgram();
        for (int i = 0; i < kManagedWindowCount; ++i) {
            QVERIFY(!f.main.window(W(i)));
            QVERIFY(!f.state.windows[i].shown);
        }
        QVERIFY(!f.main.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindow.moc"
