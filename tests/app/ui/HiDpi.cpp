// Sharp on dense screens: at two device pixels per logical pixel the shipped
// pictures (race animals, radical pictures, button looks) and the painted
// ones (menu buttons, strip backgrounds) have full-resolution pixels instead
// of blown-up ones.
#include "app/ui/GraphicButton.h"
#include "app/ui/Strip.h"
#include "game/ui/RaceFrames.h"
#include "shell/ui/DataPicture.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace {
constexpr qreal kDensity = 2;

// A picture blown up from half the resolution consists of uniform 2 x 2
// blocks; one painted at full resolution has edges that cut through them.
int blocksWithDetail(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2)
        for (int x = area.left(); x + 1 <= area.right(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c)
                ++count;
        }
    return count;
}

void verifyDense(const QImage &picture, const QSize &logical, const char *what)
{
    QVERIFY2(!picture.isNull(), what);
    QCOMPARE(picture.devicePixelRatio(), kDensity);
    QCOMPARE(picture.deviceIndependentSize().toSize(), logical);
    QCOMPARE(picture.size(), logical * kDensity);
    QVERIFY2(blocksWithDetail(picture, picture.rect()) > 0, what);
}

// The widget as the screen shows it, in device pixels.
QImage grabbed(QWidget &widget)
{
    widget.show();
    (void)QTest::qWaitForWindowExposed(&widget);
    return widget.grab().toImage();
}
} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void shippedPicturesCarryFullResolution()
    {
        QCOMPARE(qApp->devicePixelRatio(), kDensity);
        const AppPaths paths{TestEnv::dataRoot(), {}, {}};
        for (const char *name : {"pic/b3.bmp", "pic/b4.bmp"})
            verifyDense(PictureFromDataFile(paths, QString::fromLatin1(name), nullptr).toImage(), QSize(113, 40), name);

        const RaceFrameImages &frames = RaceFrames(TestEnv::dataRoot());
        for (const QImage &hare : frames.hare)
            verifyDense(hare, QSize(76, 60), "hare");
        for (const QImage &tortoise : frames.tortoise)
            verifyDense(tortoise, QSize(72, 46), "tortoise");

        const QStringList radicals =
            QDir(TestEnv::dataRoot() + QStringLiteral("/data/piczg")).entryList(QDir::Files, QDir::Name);
        QVERIFY(radicals.size() > 100);
        for (const QString &name : {radicals.first(), radicals.last()}) {
            const QImage picture = PictureFromDataFile(paths, QStringLiteral("piczg/") + name, nullptr).toImage();
            QCOMPARE(picture.devicePixelRatio(), kDensity);
            QVERIFY2(blocksWithDetail(picture, picture.rect()) > 0, qPrintable(name));
        }
    }

    // The radical drill's background is a plain JPEG beside the scrambled files.
    void radicalDrillBackgroundCarriesFullResolution()
    {
        const QImage background =
            WithPictureScale(QImage(TestEnv::dataRoot() + QStringLiteral("/data/pic/zgpic.jpg")));
        QCOMPARE(background.devicePixelRatio(), kDensity);
    }

    void paintedPicturesAreDrawnForTheScreen()
    {
        QWidget host;
        host.resize(720, 120);
        GraphicButton button(0, QStringLiteral("指法练习"), &host);
        button.move(10, 10);
        Strip strip(&host);
        strip.setGeometry(100, 0, 600, 76);
        strip.lower();
        const QImage shot = grabbed(host);
        QCOMPARE(shot.size(), QSize(720, 120) * kDensity);
        // The button's rounded upper-left corner, clear of its caption, and
        // the strip's key-row pattern at its right end.
        QVERIFY(blocksWithDetail(shot, QRect(QPoint(20, 20), QSize(16, 8))) > 0);
        QVERIFY(blocksWithDetail(shot, QRect(QPoint(2 * 500, 0), QSize(2 * 190, 2 * 30))) > 0);
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HiDpi.moc"
