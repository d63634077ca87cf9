// The picture helpers: pictures decoded from scrambled data files, with the
// messages for missing and damaged files, and the picture button's looks.
#include "shell/ui/DataPicture.h"
#include "shell/ui/PictureButton.h"

#include "data/Scramble.h"
#include "support/ModalScript.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {
// A data root holding data/pic/<name> with the given plain bytes, scrambled.
AppPaths RootWith(const TestEnv &env, const QString &name, const QByteArray &plain)
{
    const QString root = env.path() + QStringLiteral("/root");
    QDir().mkpath(root + QStringLiteral("/data/pic"));
    QFile file(root + QStringLiteral("/data/pic/") + name);
    file.open(QIODevice::WriteOnly);
    file.write(UnscrambleBytes(plain));
    return AppPaths{root, {}, {}};
}
} // namespace

class PictureButtonTest : public QObject {
    Q_OBJECT
private slots:
    void decodesTheShippedButtonPictures()
    {
        const AppPaths paths{TestEnv::dataRoot(), {}, {}};
        const QPixmap up = PictureFromDataFile(paths, QStringLiteral("pic/b3.bmp"), nullptr);
        const QPixmap down = PictureFromDataFile(paths, QStringLiteral("pic/b4.bmp"), nullptr);
        QCOMPARE(up.size(), QSize(113, 40));
        QCOMPARE(down.size(), QSize(113, 40));
        QVERIFY(up.toImage() != down.toImage());
    }

    void missingEmptyAndDamagedFilesAreReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "other.bmp" << QByteArray("BM") << "请确认图片是否存在！";
        QTest::newRow("empty") << "b3.bmp" << QByteArray() << "请确认图片是否存在！";
        QTest::newRow("damaged") << "b3.bmp" << QByteArray("BM this is no picture at all") << " - ";
    }
    void missingEmptyAndDamagedFilesAreReported()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        TestEnv env;
        const AppPaths paths = RootWith(env, name, bytes);
        MessageBoxScript script({QMessageBox::Ok});
        QWidget parent;
        QVERIFY(PictureFromDataFile(paths, QStringLiteral("pic/b3.bmp"), &parent).isNull());
        QCOMPARE(script.seen.size(), size_t(1));
        QVERIFY2(script.seen[0].text.contains(message), qPrintable(script.seen[0].text));
    }

    // A board of pictures read together tells of all its problems at once,
    // naming the files.
    void problemsReadTogetherGiveOneMessageNamingTheFiles()
    {
        TestEnv env;
        const AppPaths paths = RootWith(env, QStringLiteral("b3.bmp"), QByteArray("BM this is no picture at all"));
        MessageBoxScript script({QMessageBox::Ok});
        QWidget parent;
        {
            const PictureProblemBatch batch(&parent);
            QVERIFY(PictureFromDataFile(paths, QStringLiteral("pic/b3.bmp"), &parent).isNull());
            QVERIFY(PictureFromDataFile(paths, QStringLiteral("pic/gone1.bmp"), &parent).isNull());
            QVERIFY(PictureFromDataFile(paths, QStringLiteral("pic/gone2.bmp"), &parent).isNull());
            QCOMPARE(script.seen.size(), size_t(0));
        }
        QCOMPARE(script.seen.size(), size_t(1));
        const QString text = script.seen[0].text;
        QVERIFY2(text.contains(QStringLiteral("请确认图片是否存在！")) && text.contains(QStringLiteral(" - ")),
                 qPrintable(text));
        for (const char *name : {"b3.bmp", "gone1.bmp", "gone2.bmp"})
            QVERIFY2(text.contains(QLatin1String(name)), qPrintable(text));
    }

    void leftPressShowsThePressedLookAndReleaseClicks()
    {
        QWidget parent;
        PictureButton button(AppPaths{TestEnv::dataRoot(), {}, {}}, QStringLiteral("重新开始"), &parent);
        QSignalSpy clicked(&button, &PictureButton::clicked);
        QCOMPARE(button.captionLabel()->text(), QStringLiteral("重新开始"));
        const QPoint middle = PictureButton::shape().center().toPoint();

        QTest::mousePress(&button, Qt::RightButton, {}, middle);
        QTest::mouseRelease(&button, Qt::RightButton, {}, middle);
        QVERIFY(!button.showsPressedPicture());
        QCOMPARE(clicked.count(), 0);

        // The corner lies outside the rounded shape.
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(1, 1));
        QVERIFY(!button.showsPressedPicture());

        QTest::mousePress(&button, Qt::LeftButton, {}, middle);
        QVERIFY(button.showsPressedPicture());
        QCOMPARE(clicked.count(), 0);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, middle);
        QVERIFY(!button.showsPressedPicture());
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(PictureButtonTest)
#include "PictureButton.moc"
