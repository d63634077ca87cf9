// Placement rules: where each docked window goes relative to the main window,
// where dialogs are centred, and how points from the main window's edges map
// to the strip's coordinates.
#include "shell/Placement.h"

#include <QTest>

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void practiceAreaStartsUnderTheStrip()
    {
        const MainGeometry main;
        QCOMPARE(main.practiceTop(), 99);
        QCOMPARE(main.height(), 571);
    }

    void dockedWindowsAtMainLeftZero()
    {
        const MainGeometry main;
        QCOMPARE(*DockedRect(ManagedWindow::LinePracticeWindow, main), QRect(116, 99, 598, 445));
        QCOMPARE(*DockedRect(ManagedWindow::RunPanel, main), QRect(4, 99, 112, 445));
        QCOMPARE(*DockedRect(ManagedWindow::TextPracticeWindow, main), QRect(116, 99, 598, 445));
        QCOMPARE(*DockedRect(ManagedWindow::FreeInputWindow, main), QRect(116, 99, 598, 445));
        QCOMPARE(*DockedRect(ManagedWindow::StatusStrip, main), QRect(4, 544, 710, 27));
        for (ManagedWindow w : {ManagedWindow::RadicalChartDrillWindow, ManagedWindow::IdleBackground, ManagedWindow::KeyDrillWindow,
                                ManagedWindow::KeypadDrillWindow, ManagedWindow::RaceWindow, ManagedWindow::RecordViewer,
                                ManagedWindow::RadicalDrillWindow, ManagedWindow::ProgressWindow})
            QCOMPARE(*DockedRect(w, main), QRect(4, 99, 710, 445));
        // The status window and a practice window share the area edge to edge.
        const QRect state = *DockedRect(ManagedWindow::RunPanel, main);
        const QRect line = *DockedRect(ManagedWindow::LinePracticeWindow, main);
        QCOMPARE(state.left() + state.width(), line.left());
        QCOMPARE(line.left() + line.width(), 714);
    }

    // In the main window's pixels every docked window lies inside the
    // window: the practice windows fill the area under the strip, the status
    // strip the bottom rows.
    void everyDockedWindowFitsTheMainWindow()
    {
        const MainGeometry main;
        const QRect window(0, 0, geometry::kStripRect.width(), ToStripPoint(QPoint(0, main.height())).y());
        QCOMPARE(window.size(), QSize(710, 548));
        for (int i = 0; i < kManagedWindowCount; ++i) {
            const QRect r = *DockedStripRect(ManagedWindow(i), main);
            QVERIFY2(window.contains(r), qPrintable(QString::number(i)));
            if (ManagedWindow(i) != ManagedWindow::StatusStrip)
                QCOMPARE(r.top(), 76);
        }
        QCOMPARE(*DockedStripRect(ManagedWindow::LinePracticeWindow, main), QRect(112, 76, 598, 445));
        QCOMPARE(*DockedStripRect(ManagedWindow::RecordViewer, main), QRect(0, 76, 710, 445));
        QCOMPARE(*DockedStripRect(ManagedWindow::StatusStrip, main), QRect(0, 521, 710, 27));
    }

    void dialogsAndTheChartAreCentredOnThePracticeWindow()
    {
        MainGeometry main;
        main.left = 100;
        main.top = 200;
        // Half pixels round down and to the right.
        QCOMPARE(CentredDialogPosition(main, QSize(266, 200)), QPoint(100 + 299 + 112 - 133, 200 + 103 + 223 - 100));
        QCOMPARE(CentredDialogPosition(main, QSize(267, 201)), QPoint(100 + 299 + 112 - 133, 200 + 103 + 222 - 100));
        QCOMPARE(RadicalChartPosition(main), QPoint(100 + 299, 200 + 103 + 223));
    }

    void mainEdgePointsMapToTheStrip()
    {
        // The practice area's top-left corner is the strip's bottom-left.
        QCOMPARE(ToStripPoint(QPoint(4, 99)), QPoint(0, 76));
        QCOMPARE(ToStripPoint(QPoint(116, 99)), QPoint(112, 76));
        QCOMPARE(ToStripPoint(QPoint(4, 544)), QPoint(0, 521));
        QCOMPARE(ToStripPoint(QPoint(4, 23)), QPoint(0, 0));
    }

    void theHelpGoesBesideTheMainWindowWhereThereIsRoom_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        const QRect wide(0, 0, 1920, 1080);
        QTest::newRow("room on the right") << QRect(100, 100, 714, 600) << wide << QPoint(822, 100);
        QTest::newRow("room only on the left") << QRect(1100, 100, 714, 600) << wide << QPoint(332, 100);
        QTest::newRow("kept on the screen vertically") << QRect(100, 700, 714, 600) << wide << QPoint(822, 480);
        QTest::newRow("no room: offset, not on top") << QRect(300, 100, 714, 600) << QRect(0, 0, 1280, 800)
                                                     << QPoint(340, 140);
        QTest::newRow("screen not at the origin") << QRect(2000, 50, 714, 600) << QRect(1920, 0, 1920, 1080)
                                                  << QPoint(2722, 50);
    }
    void theHelpGoesBesideTheMainWindowWhereThereIsRoom()
    {
        QFETCH(QRect, main);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        const QSize help(760, 600);
        const QPoint at = BesideMainWindow(main, help, screen);
        QCOMPARE(at, expected);
        QVERIFY(screen.contains(QRect(at, help)));
        QVERIFY(at != main.topLeft());
    }
};

QTEST_GUILESS_MAIN(PlacementTest)
#include "placement.moc"
