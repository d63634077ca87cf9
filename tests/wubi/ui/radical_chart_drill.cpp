// The radical chart typing drill RadicalChartDrillWindow: opened from the menu over the 86
// chart, judging every typed character (also several in one input-method
// commit), Backspace, F5 / F6, the edition options, and a window that stays
// usable without its chart or its code table.
#include "data/Scramble.h"
#include "support/ModalScript.h"
#include "wubi/RadicalDrill.h"
#include "wubi/ui/RadicalChartDrillWindow.h"
#include "WubiHarness.h"

#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

namespace {
QImage chartImage(const QString &root, const QString &name)
{
    QImage image;
    image.loadFromData(ReadScrambledFile(root + QStringLiteral("/data/") + name));
    return image;
}

struct WordHarness : WubiHarness {
    RadicalChartDrillWindow *open()
    {
        shell.runCommand(QStringLiteral("wubi.radicalChart"));
        auto *form = qobject_cast<RadicalChartDrillWindow *>(shell.window(ManagedWindow::RadicalChartDrillWindow));
        if (form)
            form->startChart();
        return form;
    }
    int cuesOf(Cue cue) const { return int(std::count(cues.played.begin(), cues.played.end(), cue)); }
};
} // namespace

class RadicalChartDrillWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensFromTheMenuOverThe86Chart();
    void everyTypedCharacterIsJudged_data();
    void everyTypedCharacterIsJudged();
    void backspaceMovesTheHighlightBack();
    void f5AndF6ShowTheCodesOfTheHighlightedCharacter();
    void option98ChangesOnlyThePicture();
    void aDamagedChartLeavesTheWindowUsable();
    void anEmptyTableShowsAMessageInsteadOfALine();
};

void RadicalChartDrillWindowTest::opensFromTheMenuOverThe86Chart()
{
    WordHarness h;
    RadicalChartDrillWindow *form = h.open();
    QVERIFY(form);
    QCOMPARE(h.shell.closeOthersCount, 1);
    QVERIFY(!h.state.window(ManagedWindow::RadicalChartDrillWindow).opening);
    QVERIFY(h.state.shown(ManagedWindow::RadicalChartDrillWindow));
    QVERIFY(h.state.chineseText);
    QVERIFY(form->editionButtons[0]->isChecked());
    QVERIFY(form->chartIs86());
    QCOMPARE(form->chart().toImage().convertToFormat(QImage::Format_RGB32),
             chartImage(TestEnv::dataRoot(), "keyb86.dz").convertToFormat(QImage::Format_RGB32));
    const QString pool = wubi::ChartPool(h.state.tables.t86);
    QCOMPARE(form->line().size(), 26);
    for (QChar c : form->line())
        QVERIFY(pool.contains(c));
    QCOMPARE(form->reference->toPlainText(), form->line());
    QCOMPARE(form->highlight(), 0);
    const QString c = form->line().left(1);
    QCOMPARE(h.shell.statusMessage,
             QStringLiteral("F5查看“%1”五笔86版的打法  F6查看“%1”五笔98版的打法").arg(c));

    h.shell.unloadWindow(ManagedWindow::RadicalChartDrillWindow);
    QVERIFY(!h.state.shown(ManagedWindow::RadicalChartDrillWindow));
    QVERIFY(!h.state.chineseText);
}

void RadicalChartDrillWindowTest::everyTypedCharacterIsJudged_data()
{
    QTest::addColumn<QList<int>>("commits"); // characters per input-method commit
    QTest::addColumn<int>("cues");           // one per change, one more for the overflow
    QTest::newRow("one by one") << QList<int>(26, 1) << 26;
    QTest::newRow("one commit of 26") << QList<int>{26} << 1;
    QTest::newRow("phrases") << QList<int>{4, 3, 2, 4, 4, 4, 3, 2} << 8;
    QTest::newRow("a phrase across the line's end") << QList<int>{24, 4} << 3;
}

void RadicalChartDrillWindowTest::everyTypedCharacterIsJudged()
{
    QFETCH(QList<int>, commits);
    QFETCH(int, cues);
    WordHarness h;
    RadicalChartDrillWindow *form = h.open();
    const QString first = form->line();
    // Right and wrong characters alternate: "错" never is in the pool.
    QString typed;
    for (int i = 0; i < 28; ++i)
        typed += i % 2 == 0 ? QChar(i < 26 ? first.at(i) : QChar(u'错')) : QChar(u'错');
    int sent = 0;
    for (int n : commits) {
        WubiHarness::commit(form->input, typed.mid(sent, n));
        sent += n;
    }
    QCOMPARE(form->judgements(), sent);
    // One cue per change: the error cue when any of its characters was wrong.
    QCOMPARE(int(h.cues.played.size()), cues);
    if (cues == 26)
        QCOMPARE(h.cuesOf(Cue::Confirm), 13);
    QVERIFY(form->line() != first);
    QCOMPARE(form->reference->toPlainText(), form->line());
    // What ran past the line's end is the start of the new line.
    QCOMPARE(form->input->text(), typed.mid(26, sent - 26));
    QCOMPARE(form->highlight(), sent - 26);
}

void RadicalChartDrillWindowTest::backspaceMovesTheHighlightBack()
{
    WordHarness h;
    RadicalChartDrillWindow *form = h.open();
    const QString line = form->line();
    WubiHarness::commit(form->input, line.left(1) + QStringLiteral("错"));
    QCOMPARE(form->highlight(), 2);
    QTest::keyClick(form->input, Qt::Key_Backspace);
    QCOMPARE(form->highlight(), 1);
    QCOMPARE(form->judgements(), 2);
    QCOMPARE(h.shell.statusMessage,
             QStringLiteral("F5查看“%1”五笔86版的打法  F6查看“%1”五笔98版的打法").arg(line.at(1)));
    WubiHarness::commit(form->input, line.mid(1, 1));
    QCOMPARE(form->judgements(), 3);
    QCOMPARE(h.cues.played.back(), Cue::Confirm);
    QCOMPARE(form->highlight(), 2);
}

void RadicalChartDrillWindowTest::f5AndF6ShowTheCodesOfTheHighlightedCharacter()
{
    WordHarness h;
    // A pool of one character that only the 86 table knows.
    h.state.tables.t86 = CodeTable(QStringLiteral("#囗%lhng#"));
    h.state.tables.t98 = CodeTable(QStringLiteral("#工%a#"));
    RadicalChartDrillWindow *form = h.open();
    QCOMPARE(form->line(), QString(26, QChar(u'囗')));
    QTest::keyClick(form->input, Qt::Key_F5);
    QCOMPARE(h.shell.statusMessage, QStringLiteral("囗 lhng"));
    h.shell.statusMessage = QStringLiteral("before");
    QTest::keyClick(form->input, Qt::Key_F6);
    QCOMPARE(h.shell.statusMessage, QStringLiteral("before"));
}

void RadicalChartDrillWindowTest::option98ChangesOnlyThePicture()
{
    WordHarness h;
    RadicalChartDrillWindow *form = h.open();
    const QString line = form->line();
    WubiHarness::commit(form->input, QStringLiteral("错"));
    form->editionButtons[1]->click();
    QVERIFY(!form->chartIs86());
    QCOMPARE(form->chart().toImage().convertToFormat(QImage::Format_RGB32),
             chartImage(TestEnv::dataRoot(), "keyb98.dz").convertToFormat(QImage::Format_RGB32));
    QCOMPARE(form->line(), line);
    QCOMPARE(form->highlight(), 1);
    form->editionButtons[0]->click();
    QVERIFY(form->chartIs86());
    QVERIFY(!form->chart().isNull());
}

void RadicalChartDrillWindowTest::aDamagedChartLeavesTheWindowUsable()
{
    WordHarness h;
    QTemporaryDir root;
    QDir().mkpath(root.filePath("data"));
    QFile garbage(root.filePath("data/keyb86.dz"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(UnscrambleBytes("GIF89a, but not really"));
    garbage.close();
    h.ctx.paths.dataRoot = root.path(); // keyb98.dz is missing there
    MessageBoxScript boxes({QMessageBox::Ok, QMessageBox::Ok});
    RadicalChartDrillWindow *form = h.open();
    QVERIFY(form->chart().isNull());
    form->editionButtons[1]->click();
    QVERIFY(form->chart().isNull());
    QCOMPARE(boxes.seen.size(), std::size_t(2));
    QVERIFY(boxes.seen[0].text.contains(QStringLiteral(" - "))); // the decoder's error
    QCOMPARE(boxes.seen[1].text, QStringLiteral("请确认图片是否存在！"));
    WubiHarness::commit(form->input, form->line().left(3));
    QCOMPARE(h.cues.played, std::vector<Cue>{Cue::Confirm});
    QCOMPARE(form->judgements(), 3);
    QCOMPARE(form->highlight(), 3);
}

void RadicalChartDrillWindowTest::anEmptyTableShowsAMessageInsteadOfALine()
{
    WordHarness h;
    h.state.tables.t86 = CodeTable();
    RadicalChartDrillWindow *form = h.open();
    QVERIFY(form->line().isEmpty());
    QVERIFY(form->reference->toPlainText().contains(QStringLiteral("编码表")));
    QVERIFY(!form->input->isEnabled());
    WubiHarness::commit(form->input, QStringLiteral("工"));
    QCOMPARE(form->judgements(), 0);
    QVERIFY(h.cues.played.empty());
}

QTEST_MAIN(RadicalChartDrillWindowTest)
#include "radical_chart_drill.moc"
