// The program's look at start-up: which font draws Chinese in the default
// face and in 宋体, and the plain frame of text boxes.
#include "app/ui/AppStyle.h"
#include "app/ui/Fonts.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextLayout>

namespace {
// The families the glyphs of `text` are drawn from in `font`.
QStringList FamiliesDrawing(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun &run : layout.glyphRuns())
        families << run.rawFont().familyName().toLower(); // 宋体 arrives in lower case
    families.removeDuplicates();
    return families;
}
} // namespace

class AppLookTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setStyle(new AppStyle);
        InstallChineseFonts();
    }

    // Left to fontconfig, Chinese in the default face lands in whichever CJK
    // font sorts first, which may be a huge catch-all font loaded just for it.
    void chineseIsDrawnInTheSongFaceWhateverTheFont()
    {
        const QString song = QStringLiteral("noto serif cjk sc");
        QCOMPARE(FamiliesDrawing(QStringLiteral("打字速度"), QApplication::font()), QStringList{song});
        QCOMPARE(FamiliesDrawing(QStringLiteral("正确率"), QFont(QStringLiteral("宋体"), 12)), QStringList{song});
        QFont bold = QApplication::font();
        bold.setBold(true);
        QCOMPARE(FamiliesDrawing(QStringLiteral("总字数"), bold), QStringList{song});
        // Latin text keeps the default face.
        QVERIFY(!FamiliesDrawing(QStringLiteral("Speed"), QApplication::font()).contains(song));
    }

    void textBoxesHaveAPlainFrameAroundTheirBase()
    {
        QLineEdit box;
        box.resize(120, 28);
        QPalette palette = box.palette();
        palette.setColor(QPalette::Base, QColor(250, 250, 240));
        palette.setColor(QPalette::Window, QColor(200, 200, 200));
        box.setPalette(palette);
        const QImage picture = box.grab().toImage();
        const QColor outline = QColor(200, 200, 200).darker(140);
        // Square corners: the outline reaches the very corner pixels.
        QCOMPARE(picture.pixel(0, 0), outline.rgb());
        QCOMPARE(picture.pixel(picture.width() - 1, picture.height() - 1), outline.rgb());
        QCOMPARE(picture.pixel(picture.width() - 4, picture.height() / 2), QColor(250, 250, 240).rgb());
    }
};

QTEST_MAIN(AppLookTest)
#include "AppLook.moc"
