// The code lookup window: layouts, editions, the echo and "无".
#include "wubi/ui/CodeLookup.h"
#include "WubiHarness.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

class CodeLookupTest : public QObject {
    Q_OBJECT
private slots:
    void opensForCharactersInWubi86();
    void aSecondCharacterReplacesTheFirst();
    void switchingTheEditionRedisplaysTheSameText();
    void phraseModeEmptiesTheInputAndTakesNineCharacters();
    void menuCommandShowsTheWindowModally();
};

void CodeLookupTest::opensForCharactersInWubi86()
{
    WubiHarness h;
    {
        CodeLookup lookup(h.ctx);
        QVERIFY(h.state.lookupFormOpen);
        QCOMPARE(lookup.windowTitle(), QStringLiteral("五笔打法查找"));
        QCOMPARE(lookup.size(), QSize(450, 195));
        QCOMPARE(lookup.findChild<QGroupBox *>("Frame1")->title(), QStringLiteral("选择查找对象"));
        QCOMPARE(lookup.findChild<QGroupBox *>("Frame2")->title(), QStringLiteral("选择查找的版本"));
        QVERIFY(lookup.OpZ[0]->isChecked());
        QVERIFY(lookup.OpZg[0]->isChecked());
        QVERIFY(lookup.edition86Chosen());
        QCOMPARE(lookup.txtIn->geometry(), QRect(96, 80, 73, 57));
        QCOMPARE(lookup.txtIn->font().pointSize(), 40);
        QCOMPARE(lookup.txtIn->maxLength(), 1);
    }
    QVERIFY(!h.state.lookupFormOpen);
}

void CodeLookupTest::aSecondCharacterReplacesTheFirst()
{
    WubiHarness h;
    CodeLookup lookup(h.ctx);
    lookup.show();
    lookup.txtIn->setFocus();
    WubiHarness::commit(lookup.txtIn, QStringLiteral("中"));
    QCOMPARE(lookup.lblZ->text(), QStringLiteral("中"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("k"));
    QCOMPARE(lookup.txtIn->selectedText(), QStringLiteral("中"));

    WubiHarness::commit(lookup.txtIn, QStringLiteral("力"));
    QCOMPARE(lookup.txtIn->text(), QStringLiteral("力"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("lt"));

    QTest::keyClick(lookup.txtIn, Qt::Key_X); // plain keys replace it as well
    QCOMPARE(lookup.txtIn->text(), QStringLiteral("x"));
    QCOMPARE(lookup.lblZ->text(), QStringLiteral("x"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("无"));

    WubiHarness::commit(lookup.txtIn, QStringLiteral("，"));
    QCOMPARE(lookup.lblZ->text(), QStringLiteral("，"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("无"));
}

void CodeLookupTest::switchingTheEditionRedisplaysTheSameText()
{
    WubiHarness h;
    CodeLookup lookup(h.ctx);
    lookup.show();
    WubiHarness::commit(lookup.txtIn, QStringLiteral("力"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("lt"));
    QTest::mouseClick(lookup.OpZg[1], Qt::LeftButton);
    QVERIFY(!lookup.edition86Chosen());
    QCOMPARE(lookup.txtIn->text(), QStringLiteral("力"));
    QCOMPARE(lookup.lblZ->text(), QStringLiteral("力"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("en"));
    QTest::mouseClick(lookup.OpZg[0], Qt::LeftButton);
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("lt"));
}

void CodeLookupTest::phraseModeEmptiesTheInputAndTakesNineCharacters()
{
    WubiHarness h;
    CodeLookup lookup(h.ctx);
    lookup.show();
    WubiHarness::commit(lookup.txtIn, QStringLiteral("中"));
    QTest::mouseClick(lookup.OpZ[1], Qt::LeftButton);
    QVERIFY(lookup.txtIn->text().isEmpty());
    QVERIFY(lookup.lblZ->text().isEmpty());
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("无"));
    QCOMPARE(lookup.txtIn->geometry(), QRect(33, 96, 200, 31));
    QCOMPARE(lookup.txtIn->font().pointSize(), 14);
    QCOMPARE(lookup.txtIn->maxLength(), 9);

    WubiHarness::commit(lookup.txtIn, QStringLiteral("中华人民共和国"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("kwwl"));
    WubiHarness::commit(lookup.txtIn, QStringLiteral("万岁万岁"));
    QCOMPARE(lookup.txtIn->text(), QStringLiteral("中华人民共和国万岁"));
    QCOMPARE(lookup.lblZm->text(), QStringLiteral("无"));

    QTest::mouseClick(lookup.OpZg[1], Qt::LeftButton); // the phrase stays
    QCOMPARE(lookup.lblZ->text(), QStringLiteral("中华人民共和国万岁"));
    // ... and its echo fits its label whole, at a smaller size.
    const QFontMetrics echo(lookup.lblZ->font());
    QVERIFY(echo.horizontalAdvance(lookup.lblZ->text()) <= lookup.lblZ->contentsRect().width());
    QVERIFY(lookup.lblZ->font().pointSize() < 22);

    QTest::mouseClick(lookup.OpZ[0], Qt::LeftButton);
    QVERIFY(lookup.txtIn->text().isEmpty());
    QCOMPARE(lookup.txtIn->maxLength(), 1);
    WubiHarness::commit(lookup.txtIn, QStringLiteral("中"));
    QCOMPARE(lookup.lblZ->font().pointSize(), 22); // one character at full size
}

void CodeLookupTest::menuCommandShowsTheWindowModally()
{
    WubiHarness h;
    ModalAnswerer answerer;
    bool open = false;
    answerer.handle = [&](QWidget *w) {
        if (auto *lookup = qobject_cast<CodeLookup *>(w)) {
            open = h.state.lookupFormOpen && lookup->isModal();
            lookup->reject();
        }
    };
    QVERIFY(h.shell.runCommand(QStringLiteral("WbDf")));
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("txtSearch")});
    QVERIFY(open);
    QVERIFY(!h.state.lookupFormOpen);
}

QTEST_MAIN(CodeLookupTest)
#include "code_lookup.moc"
