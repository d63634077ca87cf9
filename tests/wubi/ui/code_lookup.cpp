// The code lookup window: layouts, editions, the echo and "无".
#include "wubi/ui/CodeLookup.h"
#include "WubiHarness.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QListWidget>
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
        QVERIFY(h.state.lookupWindowOpen);
        QCOMPARE(lookup.windowTitle(), QStringLiteral("五笔打法查找"));
        QCOMPARE(lookup.size(), QSize(450, 420));
        // Pinyin below: the characters read so, with both codes.
        lookup.pinyinInput->setText(QStringLiteral("zhong1"));
        QCOMPARE(lookup.pinyinMatches->item(0)->text(), QStringLiteral("中 zhōng  86:k  98:k"));
        lookup.pinyinInput->setText(QStringLiteral("中"));
        QCOMPARE(lookup.pinyinMatches->count(), 1);
        QVERIFY(lookup.pinyinMatches->item(0)->text().startsWith(QStringLiteral("请输入拼音")));
        QCOMPARE(lookup.findChild<QGroupBox *>("Frame1")->title(), QStringLiteral("选择查找对象"));
        QCOMPARE(lookup.findChild<QGroupBox *>("Frame2")->title(), QStringLiteral("选择查找的版本"));
        QVERIFY(lookup.kindButtons[0]->isChecked());
        QVERIFY(lookup.editionButtons[0]->isChecked());
        QVERIFY(lookup.edition86Chosen());
        QCOMPARE(lookup.input->geometry(), QRect(96, 80, 73, 57));
        QCOMPARE(lookup.input->font().pointSize(), 40);
        QCOMPARE(lookup.input->maxLength(), 1);
    }
    QVERIFY(!h.state.lookupWindowOpen);
}

void CodeLookupTest::aSecondCharacterReplacesTheFirst()
{
    WubiHarness h;
    CodeLookup lookup(h.ctx);
    lookup.show();
    lookup.input->setFocus();
    WubiHarness::commit(lookup.input, QStringLiteral("中"));
    QCOMPARE(lookup.echoLabel->text(), QStringLiteral("中"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("k"));
    QCOMPARE(lookup.input->selectedText(), QStringLiteral("中"));

    WubiHarness::commit(lookup.input, QStringLiteral("力"));
    QCOMPARE(lookup.input->text(), QStringLiteral("力"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("lt"));

    QTest::keyClick(lookup.input, Qt::Key_X); // plain keys replace it as well
    QCOMPARE(lookup.input->text(), QStringLiteral("x"));
    QCOMPARE(lookup.echoLabel->text(), QStringLiteral("x"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("无"));

    WubiHarness::commit(lookup.input, QStringLiteral("，"));
    QCOMPARE(lookup.echoLabel->text(), QStringLiteral("，"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("无"));
}

void CodeLookupTest::switchingTheEditionRedisplaysTheSameText()
{
    WubiHarness h;
    CodeLookup lookup(h.ctx);
    lookup.show();
    WubiHarness::commit(lookup.input, QStringLiteral("力"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("lt"));
    QTest::mouseClick(lookup.editionButtons[1], Qt::LeftButton);
    QVERIFY(!lookup.edition86Chosen());
    QCOMPARE(lookup.input->text(), QStringLiteral("力"));
    QCOMPARE(lookup.echoLabel->text(), QStringLiteral("力"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("en"));
    QTest::mouseClick(lookup.editionButtons[0], Qt::LeftButton);
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("lt"));
}

void CodeLookupTest::phraseModeEmptiesTheInputAndTakesNineCharacters()
{
    WubiHarness h;
    CodeLookup lookup(h.ctx);
    lookup.show();
    WubiHarness::commit(lookup.input, QStringLiteral("中"));
    QTest::mouseClick(lookup.kindButtons[1], Qt::LeftButton);
    QVERIFY(lookup.input->text().isEmpty());
    QVERIFY(lookup.echoLabel->text().isEmpty());
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("无"));
    QCOMPARE(lookup.input->geometry(), QRect(33, 96, 200, 31));
    QCOMPARE(lookup.input->font().pointSize(), 14);
    QCOMPARE(lookup.input->maxLength(), 9);

    WubiHarness::commit(lookup.input, QStringLiteral("中华人民共和国"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("kwwl"));
    WubiHarness::commit(lookup.input, QStringLiteral("万岁万岁"));
    QCOMPARE(lookup.input->text(), QStringLiteral("中华人民共和国万岁"));
    QCOMPARE(lookup.codeLabel->text(), QStringLiteral("无"));

    QTest::mouseClick(lookup.editionButtons[1], Qt::LeftButton); // the phrase stays
    QCOMPARE(lookup.echoLabel->text(), QStringLiteral("中华人民共和国万岁"));
    // ... and its echo fits its label whole, at a smaller size.
    const QFontMetrics echo(lookup.echoLabel->font());
    QVERIFY(echo.horizontalAdvance(lookup.echoLabel->text()) <= lookup.echoLabel->contentsRect().width());
    QVERIFY(lookup.echoLabel->font().pointSize() < 22);

    QTest::mouseClick(lookup.kindButtons[0], Qt::LeftButton);
    QVERIFY(lookup.input->text().isEmpty());
    QCOMPARE(lookup.input->maxLength(), 1);
    WubiHarness::commit(lookup.input, QStringLiteral("中"));
    QCOMPARE(lookup.echoLabel->font().pointSize(), 22); // one character at full size
}

void CodeLookupTest::menuCommandShowsTheWindowModally()
{
    WubiHarness h;
    ModalAnswerer answerer;
    bool open = false;
    answerer.handle = [&](QWidget *w) {
        if (auto *lookup = qobject_cast<CodeLookup *>(w)) {
            open = h.state.lookupWindowOpen && lookup->isModal();
            lookup->reject();
        }
    };
    QVERIFY(h.shell.runCommand(QStringLiteral("help.codeLookup")));
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("txtSearch")});
    QVERIFY(open);
    QVERIFY(!h.state.lookupWindowOpen);
}

QTEST_MAIN(CodeLookupTest)
#include "code_lookup.moc"
