// Placement rules in twips: where each docked window goes relative to the main
// window, where dialogs are centred, and how twips map to the strip's pixels.
#include "shell/Placement.h"

#include <QTest>

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void practiceAreaStartsUnderTheStrip()
    {
        const MainGeometry main;
        QCOMPARE(main.practiceTop(), 1492.0);
        QCOMPARE(main.height(), 8567.0);
    }

    void dockedWindowsAtMainLeftZero()
    {
        const MainGeometry main;
        QCOMPARE(*DockedRect(ManagedWindow::LinePracticeWindow, main), (TwipRect{1735, 1492, 8970, 6675}));
        QCOMPARE(*DockedRect(ManagedWindow::RunPanel, main), (TwipRect{55, 1492, 1680, 6675}));
        QCOMPARE(*DockedRect(ManagedWindow::TextPracticeWindow, main), (TwipRect{1735, 1492, 8970, 6675}));
        QCOMPARE(*DockedRect(ManagedWindow::FreeInputWindow, main), (TwipRect{1735, 1492, 8970, 6675}));
        QCOMPARE(*DockedRect(ManagedWindow::StatusStrip, main), (TwipRect{55, 8167, 10650, 400}));
        for (ManagedWindow w : {ManagedWindow::RadicalChartDrillWindow, ManagedWindow::IdleBackground, ManagedWindow::KeyDrillWindow,
                                ManagedWindow::KeypadDrillWindow, ManagedWindow::RaceWindow, ManagedWindow::RecordViewer,
                                ManagedWindow::RadicalDrillWindow, ManagedWindow::ProgressWindow})
            QCOMPARE(*DockedRect(w, main), (TwipRect{55, 1492, 10650, 6675}));
        // The status window and a practice window share the area edge to edge.
        const TwipRect state = *DockedRect(ManagedWindow::RunPanel, main);
        const TwipRect line = *DockedRect(ManagedWindow::LinePracticeWindow, main);
        QCOMPARE(state.left + state.width, line.left);
        QCOMPARE(line.left + line.width, 10705.0);
    }

    // In the main window's pixels every docked window lies inside the
    // window: the practice windows fill the area under the strip, the status
    // strip the bottom rows.
    void everyDockedWindowFitsTheMainWindow()
    {
        const MainGeometry main;
        const QRect window(0, 0, geometry::kStripRect.width(), TwipsToStripPixels(0, main.height()).y());
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
        main.left = 1500;
        main.top = 3000;
        QCOMPARE(CentredDialogPosition(main, 4000, 3000), QPointF(1500 + 4485 + 1680 - 2000, 3000 + 1545 + 3337.5 - 1500));
        QCOMPARE(RadicalChartPosition(main), QPointF(1500 + 4485, 3000 + 1545 + 3337.5));
    }

    void twipsMapToStripPixels()
    {
        // The practice area's top-left corner is the strip's bottom-left.
        QCOMPARE(TwipsToStripPixels(55, 1492), QPoint(0, 76));
        QCOMPARE(TwipsToStripPixels(1735, 1492), QPoint(112, 76));
        QCOMPARE(TwipsToStripPixels(55, 8167), QPoint(0, 521));
        QCOMPARE(TwipsToStripPixels(60, 345), QPoint(0, 0));
        // Rounded to the nearest pixel.
        QCOMPARE(TwipsToStripPixels(60 + 22, 345 + 8), QPoint(1, 1));
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
