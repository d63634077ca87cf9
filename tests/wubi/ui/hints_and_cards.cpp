// The hint balloon and the radical cards, alone and from the line-by-line
// window of a running Wubi drill.
#include "data/Scramble.h"
#include "practice/ui/RunPanel.h"
#include "wubi/ui/HintBalloon.h"
#include "wubi/ui/RadicalCard.h"
#include "wubi/ui/WubiHints.h"
#include "support/ModalScript.h"
#include "WubiHarness.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

namespace {
QImage cardImage(const QString &name)
{
    QImage image;
    image.loadFromData(ReadScrambledFile(TestEnv::dataRoot() + QStringLiteral("/data/zgcard/") + name));
    return image;
}

// Dark pixels on the grid's horizontal lines (rows drawn mostly in the light
// grid grey): a radical that crosses the line above its cell is cut off there.
int inkOnGridLines(const QImage &card)
{
    const QImage image = card.convertToFormat(QImage::Format_RGB32);
    const QRgb gridGrey = qRgb(0xd6, 0xd6, 0xd6);
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        int grey = 0, dark = 0;
        for (int x = 1; x + 1 < image.width(); ++x) { // inside the card's frame
            const QRgb pixel = image.pixel(x, y);
            grey += pixel == gridGrey;
            dark += qGray(pixel) < 110;
        }
        if (grey > image.width() / 3)
            ink += dark;
    }
    return ink;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &local, Qt::MouseButtons buttons)
{
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
} // namespace

class HintsAndCards : public QObject {
    Q_OBJECT
private slots:
    void balloonWidthGrowsWithLongPhrases();
    void balloonShowsBothRowsWithoutTakingTheFocus();
    void aClickOnAnyLabelClosesTheBalloon();
    void draggingByTheTextMovesTheWholeBalloon();
    void f5AndF6InADrillShowTheHintOfTheEdition();
    void hintKeysDoNothingWithoutAnEntry();
    void theBalloonGoesWhenTypingGoesOnTheRunStopsOrAnotherExerciseOpens();
    void everyKeyHasTwoLegibleCards();
    void altLetterOpensTheCardOfTheEdition();
    void onlyEnterOrAClickClosesACard();
    void aMissingCardStillShowsAndCloses();
};

void HintsAndCards::balloonWidthGrowsWithLongPhrases()
{
    QCOMPARE(HintBalloon::widthFor(QString()), 275);
    QCOMPARE(HintBalloon::widthFor(QStringLiteral("中华人民共和")), 275);
    QCOMPARE(HintBalloon::widthFor(QStringLiteral("中华人民共和国")), 283);
    QCOMPARE(HintBalloon::widthFor(QStringLiteral("一二三四五六七八九十")), 307);
}

void HintsAndCards::balloonShowsBothRowsWithoutTakingTheFocus()
{
    WubiHarness h;
    QLineEdit edit(h.shell.mainWindow());
    edit.show();
    edit.setFocus();
    QApplication::setActiveWindow(h.shell.mainWindow());

    auto *balloon = new HintBalloon(h.state, h.shell.mainWindow());
    QVERIFY(h.state.hintShown);
    balloon->showHint(false, QStringLiteral("中"), QStringLiteral("k"), QStringLiteral("一二三四五六七八九十"),
                      QStringLiteral("kwwl"), QPoint(40, 50));
    QVERIFY(balloon->isVisible());
    QCOMPARE(balloon->size(), QSize(307, 117));
    QCOMPARE(balloon->pos(), QPoint(40, 50));
    QCOMPARE(balloon->titleLabel->text(), QStringLiteral("五笔98版打法提示"));
    QCOMPARE(balloon->characterLabel->text(), QStringLiteral("中"));
    QCOMPARE(balloon->characterCodeLabel->text(), QStringLiteral("k"));
    QCOMPARE(balloon->phraseLabel->text(), QStringLiteral("一二三四五六七八九十"));
    QCOMPARE(balloon->phraseCodeLabel->text(), QStringLiteral("kwwl"));
    QVERIFY(!balloon->isWindow()); // placed by its window, not on the desktop
    QCOMPARE(QApplication::focusWidget(), &edit);

    // A second request refills the balloon and empties the rows it does not use.
    balloon->showHint(true, QStringLiteral("国"), QStringLiteral("l"), QString(), QString(), QPoint(10, 10));
    QCOMPARE(balloon->titleLabel->text(), QStringLiteral("五笔86版打法提示"));
    QCOMPARE(balloon->width(), 275);
    QVERIFY(balloon->phraseLabel->text().isEmpty());
    QVERIFY(balloon->phraseCodeLabel->text().isEmpty());
    for (QLabel *slot : balloon->keyNameLabels)
        QVERIFY(slot->pixmap().isNull());
    delete balloon;
    QVERIFY(!h.state.hintShown);
}

void HintsAndCards::aClickOnAnyLabelClosesTheBalloon()
{
    WubiHarness h;
    for (const char *name : {"CText", "SingleText", "SingleHint", "MoreText", "MoreHint", "imgZG(2)", ""}) {
        QPointer<HintBalloon> balloon = new HintBalloon(h.state);
        balloon->showHint(true, QStringLiteral("中"), QStringLiteral("k"), QStringLiteral("中国"),
                          QStringLiteral("khlg"), QPoint(0, 0));
        QWidget *target = *name ? static_cast<QWidget *>(balloon->findChild<QLabel *>(QLatin1String(name))) : balloon.data();
        QVERIFY2(target, name);
        QTest::mouseClick(target, Qt::LeftButton);
        flushDeletes();
        QVERIFY2(!balloon, name);
        QVERIFY(!h.state.hintShown);
    }
}

void HintsAndCards::draggingByTheTextMovesTheWholeBalloon()
{
    WubiHarness h;
    HintBalloon balloon(h.state);
    balloon.showHint(true, QStringLiteral("中"), QStringLiteral("k"), QString(), QString(), QPoint(100, 100));
    const QPoint start = balloon.pos();
    sendMouse(balloon.characterLabel, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    sendMouse(balloon.characterLabel, QEvent::MouseMove, QPoint(35, 25), Qt::LeftButton);
    QCOMPARE(balloon.pos(), start + QPoint(30, 20));
    // The end of a drag is no click; moving without the button held does not drag.
    sendMouse(balloon.characterLabel, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
    QVERIFY(balloon.isVisible());
    sendMouse(balloon.characterLabel, QEvent::MouseMove, QPoint(60, 60), Qt::NoButton);
    QCOMPARE(balloon.pos(), start + QPoint(30, 20));
}

void HintsAndCards::f5AndF6InADrillShowTheHintOfTheEdition()
{
    WubiHarness h;
    LinePracticeWindow *line = h.startDrillPage(QStringLiteral("中华人民共和国万岁力\r\n学习\r\n中国\r\n工人\r\n"));
    QVERIFY(h.ctx.wubiHelp);
    auto *hints = dynamic_cast<WubiHints *>(h.ctx.wubiHelp);
    QVERIFY(hints);

    QTest::keyClick(line->input(0), Qt::Key_F5);
    QVERIFY(hints->balloon());
    HintBalloon *balloon = hints->balloon();
    QVERIFY(balloon->isVisible());
    QCOMPARE(balloon->titleLabel->text(), QStringLiteral("五笔86版打法提示"));
    QCOMPARE(balloon->characterCodeLabel->text(), QStringLiteral("k"));
    QCOMPARE(balloon->pinyinLabel->text(), QStringLiteral("zhōng")); // beside the code
    QCOMPARE(balloon->phraseLabel->text(), QStringLiteral("中华人民共和国"));
    QCOMPARE(balloon->phraseCodeLabel->text(), QStringLiteral("kwwl"));
    QCOMPARE(balloon->width(), 283);
    QVERIFY(line->input(0)->text().isEmpty()); // the key types nothing

    // The last character of the line, in Wubi 98: the character alone, same balloon.
    line->reference(0)->select(9);
    QTest::keyClick(line->input(0), Qt::Key_F6);
    QCOMPARE(hints->balloon(), balloon);
    QCOMPARE(balloon->titleLabel->text(), QStringLiteral("五笔98版打法提示"));
    QCOMPARE(balloon->characterLabel->text(), QStringLiteral("力"));
    QCOMPARE(balloon->characterCodeLabel->text(), QStringLiteral("en"));
    QCOMPARE(balloon->pinyinLabel->text(), QStringLiteral("lì"));
    QVERIFY(balloon->phraseLabel->text().isEmpty());
    QCOMPARE(balloon->width(), 275);

    // Inside the line window, so never over the main window's title or menu
    // strip, near the start of the line and never over the line being typed
    // or its reference: below the first line, above the later ones.
    const auto rowOf = [line](int i) {
        return line->reference(i)->geometry().united(line->input(i)->geometry());
    };
    auto *input = line->input(0);
    QCOMPARE(balloon->parentWidget(), line);
    QVERIFY(line->rect().contains(balloon->geometry()));
    QCOMPARE(balloon->x(), (input->x() + input->width() / 2) / 15 + 275 / 2);
    QVERIFY(!balloon->geometry().intersects(rowOf(0)));
    QVERIFY(balloon->y() > rowOf(0).bottom());
    // Line 0 typed to its end makes line 1 the active line.
    WubiHarness::commit(line->input(0), QStringLiteral("中华人民共和国万岁力"));
    QCOMPARE(h.state.activeLine, 1);
    QTest::keyClick(line->input(1), Qt::Key_F5);
    QVERIFY(hints->balloon());
    QVERIFY(line->rect().contains(hints->balloon()->geometry()));
    QVERIFY(!hints->balloon()->geometry().intersects(rowOf(1)));
    QVERIFY(hints->balloon()->geometry().bottom() < rowOf(1).top());
}

void HintsAndCards::hintKeysDoNothingWithoutAnEntry()
{
    WubiHarness h;
    LinePracticeWindow *line = h.startDrillPage(QStringLiteral("，中国\r\n学习\r\n中国\r\n工人\r\n"));
    QTest::keyClick(line->input(0), Qt::Key_F5);
    auto *hints = dynamic_cast<WubiHints *>(h.ctx.wubiHelp);
    QVERIFY(!hints->balloon());
    QVERIFY(!h.state.hintShown);

    // Outside a Wubi drill the keys show nothing either.
    h.state.generatedDrill = false;
    line->reference(0)->select(1);
    QTest::keyClick(line->input(0), Qt::Key_F5);
    QVERIFY(!hints->balloon());
}

void HintsAndCards::theBalloonGoesWhenTypingGoesOnTheRunStopsOrAnotherExerciseOpens()
{
    WubiHarness h;
    LinePracticeWindow *line = h.startDrillPage(QStringLiteral("中国\r\n学习\r\n中国\r\n工人\r\n"));
    QApplication::setActiveWindow(h.shell.mainWindow());
    auto *hints = dynamic_cast<WubiHints *>(h.ctx.wubiHelp);
    const auto showHint = [&] {
        QTest::keyClick(line->input(h.state.activeLine), Qt::Key_F5);
        QPointer<HintBalloon> balloon = hints->balloon();
        return balloon && balloon->isVisible() ? balloon : QPointer<HintBalloon>();
    };

    QPointer<HintBalloon> balloon = showHint();
    QVERIFY(balloon);
    WubiHarness::commit(line->input(0), QStringLiteral("中"));
    flushDeletes();
    QVERIFY(!balloon);
    QVERIFY(!h.state.hintShown);

    // The run stops: its result window comes up.
    balloon = showHint();
    QVERIFY(balloon);
    {
        ReportCatcher catcher;
        auto *status = qobject_cast<RunPanel *>(h.shell.window(ManagedWindow::RunPanel));
        QVERIFY(status);
        status->stopRun();
        QCOMPARE(catcher.reports.size(), std::size_t(1));
    }
    flushDeletes();
    QVERIFY(!balloon);

    // Another exercise opens.
    line = h.startDrillPage(QStringLiteral("中国\r\n学习\r\n中国\r\n工人\r\n"));
    QApplication::setActiveWindow(h.shell.mainWindow());
    balloon = showHint();
    QVERIFY(balloon);
    h.shell.runCommand(QStringLiteral("wubi.radicals"));
    flushDeletes();
    QVERIFY(!balloon);
    QVERIFY(!h.state.hintShown);
}

void HintsAndCards::everyKeyHasTwoLegibleCards()
{
    for (int key = 'A'; key <= 'Y'; ++key) {
        for (bool edition86 : {true, false}) {
            const QString name = RadicalCard::fileName(key, edition86);
            const QImage image = cardImage(name);
            QVERIFY2(!image.isNull(), qPrintable(name));
            QVERIFY(image.width() >= 200 && image.height() >= 150);
            QVERIFY2(inkOnGridLines(image) == 0, qPrintable(name)); // no glyph clipped at the top
        }
    }
    QCOMPARE(RadicalCard::fileName('A', true), QStringLiteral("b65.cr"));
    QCOMPARE(RadicalCard::fileName('G', false), QStringLiteral("j71.cr"));
    QVERIFY(cardImage(QStringLiteral("b90.cr")).isNull()); // Z has no card
    QVERIFY(cardImage(QStringLiteral("b71.cr")) != cardImage(QStringLiteral("j71.cr")));
}

void HintsAndCards::altLetterOpensTheCardOfTheEdition()
{
    WubiHarness h;
    LinePracticeWindow *line = h.startDrillPage(QStringLiteral("中国人\r\n学习\r\n中国\r\n工人\r\n"));
    ModalAnswerer answerer;
    QImage shown;
    bool flagWhileOpen = false;
    answerer.handle = [&](QWidget *w) {
        if (auto *card = qobject_cast<RadicalCard *>(w)) {
            shown = card->cardPicture->pixmap().toImage();
            flagWhileOpen = h.state.radicalCardOpen;
            QTest::keyClick(card->cardPicture, Qt::Key_Return);
        }
    };

    QTest::keyClick(line->input(0), Qt::Key_G, Qt::AltModifier);
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("ShowZgb")});
    QVERIFY(flagWhileOpen);
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             cardImage(QStringLiteral("b71.cr")).convertToFormat(QImage::Format_RGB32));
    QVERIFY(!h.state.radicalCardOpen);

    QTest::keyClick(line->input(0), Qt::Key_G, Qt::AltModifier | Qt::ControlModifier);
    QCOMPARE(answerer.seen.size(), 2);
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             cardImage(QStringLiteral("j71.cr")).convertToFormat(QImage::Format_RGB32));

    // Z has no card; no letter reaches the input line.
    QTest::keyClick(line->input(0), Qt::Key_Z, Qt::AltModifier);
    QCOMPARE(answerer.seen.size(), 2);
    QVERIFY(line->input(0)->text().isEmpty());
    QCOMPARE(h.run().errors(), 0);
}

void HintsAndCards::onlyEnterOrAClickClosesACard()
{
    WubiHarness h;
    for (int closer : {int(Qt::Key_Return), int(Qt::Key_Enter), 0}) {
        RadicalCard card(h.ctx);
        QVERIFY(card.loadCard('K', true));
        QCOMPARE(card.size(), cardImage(QStringLiteral("b75.cr")).size());
        card.show();
        QVERIFY(h.state.radicalCardOpen);
        for (int ignored : {int(Qt::Key_Escape), int(Qt::Key_A), int(Qt::Key_Space)}) {
            QTest::keyClick(card.cardPicture, Qt::Key(ignored));
            QTest::keyClick(&card, Qt::Key(ignored));
            QVERIFY(card.isVisible());
        }
        card.close();
        QVERIFY(card.isVisible()); // nor the window's close
        if (closer)
            QTest::keyClick(card.cardPicture, Qt::Key(closer));
        else
            QTest::mouseClick(card.cardPicture, Qt::LeftButton, {}, QPoint(30, 200));
        QVERIFY(!card.isVisible());
        QCOMPARE(card.result(), int(QDialog::Accepted));
    }
    QVERIFY(!h.state.radicalCardOpen);
}

void HintsAndCards::aMissingCardStillShowsAndCloses()
{
    WubiHarness h;
    QTemporaryDir empty;
    h.ctx.paths.dataRoot = empty.path();
    RadicalCard card(h.ctx);
    QVERIFY(!card.loadCard('G', true));
    QVERIFY(card.cardPicture->text().contains(QStringLiteral("b71.cr")));
    QVERIFY(card.width() > 100 && card.height() > 50);
    card.show();
    QTest::keyClick(card.cardPicture, Qt::Key_Return);
    QVERIFY(!card.isVisible());
}

QTEST_MAIN(HintsAndCards)
#include "hints_and_cards.moc"
