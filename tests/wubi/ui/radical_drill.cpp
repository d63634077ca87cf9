// The radical drill RadicalDrillWindow with its settings dialog ZGExSet, over the
// pictures the data tool built: the board, answers, cards, the count and time
// limits with their summary, the settings' refusals, and the pictures
// themselves checked against the radical list.
#include "data/Scramble.h"
#include "shell/ui/PictureButton.h"
#include "support/ModalScript.h"
#include "wubi/ui/RadicalCard.h"
#include "wubi/ui/RadicalDrillSettingsDialog.h"
#include "wubi/ui/RadicalDrillWindow.h"
#include "WubiHarness.h"

#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

using wubi::RadicalDrillSettings;

namespace {
QImage scrambledImage(const QString &relative)
{
    QImage image;
    image.loadFromData(ReadScrambledFile(TestEnv::dataRoot() + QStringLiteral("/data/") + relative));
    return image;
}

QStringList pictureNames()
{
    return QDir(TestEnv::dataRoot() + QStringLiteral("/data/piczg")).entryList(QDir::Files, QDir::Name);
}

struct DrillHarness : WubiHarness {
    RadicalDrillSettings settings;
    RadicalDrillWindow *form = nullptr;

    explicit DrillHarness(int countLimit = 60, bool timeLimited = false, int timeLimit = 0, bool edition86 = true)
    {
        form = new RadicalDrillWindow(ctx, settings, shell.practiceArea());
        form->clockTimer->stop(); // the test drives the clock
        form->show();
        settings.radicalLimit = timeLimited ? 80 : countLimit;
        settings.timeLimited = timeLimited;
        settings.timeLimit = timeLimit;
        settings.edition86 = edition86;
        settings.drillRequested = true;
        form->activated();
    }
    ~DrillHarness() { delete form; }

    int expected() const
    {
        const wubi::RadicalDrill &d = form->drill();
        return d.expectedKeys().at(std::max(d.position(), 1) - 1);
    }
    void answerRight() { form->keyDown(expected(), Qt::NoModifier); }
    void answerWrong() { form->keyDown(expected() == 'Y' ? 'X' : 'Y', Qt::NoModifier); }
    int filledCells() const
    {
        int n = 0;
        for (QLabel *cell : form->cells)
            n += cell->pixmap().isNull() ? 0 : 1;
        return n;
    }
    QColor cellColour(int k) const { return form->cells[std::size_t(k)]->palette().color(QPalette::Window); }
};

// Fills and confirms the settings dialog when it shows.
struct SettingsAnswer {
    QString count = QStringLiteral("60");
    QString time;
    bool byTime = false;
    bool edition98 = false;
    QString keys; // empty: 全部
};

void fillSettings(RadicalDrillSettingsDialog *dialog, const SettingsAnswer &a)
{
    dialog->editionButtons[a.edition98 ? 1 : 0]->setChecked(true);
    dialog->limitKindButtons[a.byTime ? 1 : 0]->click();
    dialog->countLimitBox->setText(a.count);
    dialog->timeLimitBox->setText(a.time);
    if (!a.keys.isEmpty()) {
        dialog->keyRangeBox->setCurrentIndex(1);
        dialog->chooseKeyRange();
        for (QChar k : a.keys)
            dialog->keyBoxes[std::size_t(k.unicode() - 'A')]->setChecked(true);
    }
}
} // namespace

class RadicalDrillUi : public QObject {
    Q_OBJECT
private slots:
    void theMenuOpensAnEmptyUnarmedBoard();
    void confirmingTheDefaultsStartsA60RadicalRun();
    void countLimit100FillsASecondBoardOf20();
    void aTimeLimitEndsWithTheRightAnswers();
    void theFirstKeyStartsTheClockEvenWhenWrong();
    void altLettersShowCardsAndAnswerNothing();
    void edition98NeverShowsA86OnlyPicture();
    void settingsRefuseBadEntries_data();
    void settingsRefuseBadEntries();
    void settingsAcceptAndRound_data();
    void settingsAcceptAndRound();
    void closingTheSettingsLeavesTheRunAlone();
    void theLimitKindsExcludeEachOtherAlone();
    void aRefusedSettingLeavesTheRunAlone();
    void chosenKeysDrillOnlyThoseKeys();
    void picturesMatchTheRadicalList();
    void aMissingPictureLeavesItsCellEmpty();
};

void RadicalDrillUi::theMenuOpensAnEmptyUnarmedBoard()
{
    WubiHarness h;
    QVERIFY(h.shell.runCommand(QStringLiteral("wubi.radicals")));
    auto *form = qobject_cast<RadicalDrillWindow *>(h.shell.window(ManagedWindow::RadicalDrillWindow));
    QVERIFY(form);
    QCOMPARE(h.shell.closeOthersCount, 1);
    QVERIFY(h.state.shown(ManagedWindow::RadicalDrillWindow));
    QVERIFY(!h.state.window(ManagedWindow::RadicalDrillWindow).opening);
    QVERIFY(!form->drill().armed());
    QVERIFY(form->timeLabel->isHidden() && form->countLabel->isHidden());
    QCOMPARE(form->settingsButton->captionLabel()->text(), QStringLiteral("练习设置"));
    for (QLabel *cell : form->cells)
        QVERIFY(cell->pixmap().isNull());
    form->keyDown('G', Qt::NoModifier);
    QVERIFY(h.cues.played.empty());
    h.shell.unloadWindow(ManagedWindow::RadicalDrillWindow);
    QVERIFY(!h.state.shown(ManagedWindow::RadicalDrillWindow));
}

void RadicalDrillUi::confirmingTheDefaultsStartsA60RadicalRun()
{
    WubiHarness h;
    h.shell.runCommand(QStringLiteral("wubi.radicals"));
    auto *form = qobject_cast<RadicalDrillWindow *>(h.shell.window(ManagedWindow::RadicalDrillWindow));
    form->clockTimer->stop();
    {
        MessageBoxScript refusal({QMessageBox::Ok});
        ModalAnswerer answerer;
        answerer.handle = [](QWidget *w) {
            if (auto *dialog = qobject_cast<RadicalDrillSettingsDialog *>(w))
                dialog->applyButton->click();
        };
        QTest::mouseClick(form->settingsButton, Qt::LeftButton, {}, QPoint(50, 18));
        QCOMPARE(answerer.seen, QStringList{QStringLiteral("ZGExSet")});
    }
    QVERIFY(form->drill().armed());
    QVERIFY(h.shell.statusReady);

    int filled = 0;
    for (QLabel *cell : form->cells)
        filled += cell->pixmap().isNull() ? 0 : 1;
    QCOMPARE(filled, 60);
    QCOMPARE(form->drill().expectedKeys().size(), 60);

    MessageBoxScript boxes({QMessageBox::Ok});
    for (int i = 0; i < 60; ++i) {
        const int key = form->drill().expectedKeys().at(std::max(form->drill().position(), 1) - 1);
        QTest::keyClick(form, Qt::Key(key));
    }
    QCOMPARE(boxes.seen.size(), std::size_t(1));
    QCOMPARE(boxes.seen[0].title, QStringLiteral("练习结束"));
    QVERIFY(boxes.seen[0].text.startsWith(QStringLiteral("统计结果：\n打字速度：")));
    QVERIFY(boxes.seen[0].text.endsWith(QStringLiteral("\n总字数：60")));
    QCOMPARE(std::count(h.cues.played.begin(), h.cues.played.end(), Cue::Confirm), 60);
    for (int k = 0; k < 60; ++k)
        QCOMPARE(form->cells[std::size_t(k)]->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(form->cells[60]->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!form->drill().armed());
}

void RadicalDrillUi::countLimit100FillsASecondBoardOf20()
{
    DrillHarness h(100);
    QCOMPARE(h.filledCells(), 80);
    MessageBoxScript boxes({QMessageBox::Ok});
    for (int i = 0; i < 80; ++i)
        h.answerRight();
    QCOMPARE(h.filledCells(), 20);
    QCOMPARE(h.cellColour(0), QColor(Qt::white));
    for (int i = 0; i < 19; ++i)
        h.answerRight();
    QVERIFY(boxes.seen.empty());
    h.answerRight();
    QCOMPARE(boxes.seen.size(), std::size_t(1));
    QVERIFY(boxes.seen[0].text.endsWith(QStringLiteral("总字数：100")));
}

void RadicalDrillUi::aTimeLimitEndsWithTheRightAnswers()
{
    DrillHarness h(0, true, 20);
    QCOMPARE(h.filledCells(), 80);
    MessageBoxScript boxes({QMessageBox::Ok});
    h.answerRight();
    for (int i = 0; i < 6; ++i) {
        h.answerWrong();
        h.answerRight();
    }
    h.clock.advanceSeconds(10);
    h.form->tickClock();
    QCOMPARE(h.form->timeLabel->text(), QStringLiteral("10 秒"));
    QCOMPARE(h.form->countLabel->text(), QStringLiteral("48.00 字/分")); // 8 × 60 ÷ 10
    QVERIFY(boxes.seen.empty());
    h.clock.advanceSeconds(10);
    h.form->tickClock();
    QCOMPARE(boxes.seen.size(), std::size_t(1));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("统计结果：\n打字速度：24.00 字/分\n所用时间：20 秒\n总字数：7"));
    QVERIFY(!h.form->drill().armed());
}

void RadicalDrillUi::theFirstKeyStartsTheClockEvenWhenWrong()
{
    DrillHarness h;
    h.answerWrong();
    QCOMPARE(h.cues.played, std::vector<Cue>{Cue::Error});
    // The wrong key shows too: the cell to answer turns red until it is right.
    const QColor wrong = h.cellColour(0);
    QVERIFY2(wrong.red() > 200 && wrong.blue() < wrong.red() && wrong.green() < wrong.red(), qPrintable(wrong.name()));
    QCOMPARE(h.cellColour(1), QColor(Qt::white));
    h.clock.advanceSeconds(3);
    h.form->tickClock();
    QVERIFY(h.form->timeLabel->isVisible());
    QCOMPARE(h.form->timeLabel->text(), QStringLiteral("3 秒"));
    QCOMPARE(h.form->countLabel->text(), QStringLiteral("20.00 字/分"));
    h.answerRight();
    QCOMPARE(h.cellColour(0), QColor(0, 0, 255));
}

void RadicalDrillUi::altLettersShowCardsAndAnswerNothing()
{
    DrillHarness h(60, false, 0, false);
    ModalAnswerer answerer;
    QImage shown;
    answerer.handle = [&](QWidget *w) {
        if (auto *card = qobject_cast<RadicalCard *>(w)) {
            shown = card->cardPicture->pixmap().toImage();
            QTest::keyClick(card->cardPicture, Qt::Key_Return);
        }
    };
    QTest::keyClick(h.form, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("ShowZgb")});
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             scrambledImage(QStringLiteral("zgcard/b71.cr")).convertToFormat(QImage::Format_RGB32));
    QTest::keyClick(h.form, Qt::Key_G, Qt::AltModifier | Qt::ControlModifier);
    QCOMPARE(answerer.seen.size(), 2);
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             scrambledImage(QStringLiteral("zgcard/j71.cr")).convertToFormat(QImage::Format_RGB32));
    QVERIFY(h.cues.played.empty());
    QVERIFY(!h.form->drill().running());
    QCOMPARE(h.cellColour(0), QColor(Qt::white));
}

void RadicalDrillUi::edition98NeverShowsA86OnlyPicture()
{
    DrillHarness h(0, true, 600, false);
    QSet<QString> seen;
    for (int board = 0; board < 6; ++board) {
        for (const QString &name : h.form->drill().board())
            seen.insert(name);
        for (int i = 0; i < 80; ++i)
            h.answerRight();
    }
    QVERIFY(seen.size() > 100);
    for (const QString &name : seen)
        QVERIFY2(name.at(1) != QLatin1Char('8'), qPrintable(name));
}

void RadicalDrillUi::settingsRefuseBadEntries_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("byTime");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::newRow("0") << "0" << false << "" << "你输入的数字太大或太小了！";
    QTest::newRow("30001") << "30001" << false << "" << "你输入的数字太大或太小了！";
    QTest::newRow("abc") << "abc" << false << "" << "你必须输入数字";
    QTest::newRow("empty time") << "" << true << "" << "请先填写要练习的秒数！";
    QTest::newRow("only G") << "60" << false << "G" << "自定义练习范围时，你至少要选中两项！";
}

void RadicalDrillUi::settingsRefuseBadEntries()
{
    QFETCH(QString, count);
    QFETCH(bool, byTime);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    WubiHarness h;
    RadicalDrillSettings settings;
    RadicalDrillSettingsDialog dialog(h.ctx, settings);
    SettingsAnswer answer;
    answer.byTime = byTime;
    (byTime ? answer.time : answer.count) = count;
    answer.keys = keys;
    fillSettings(&dialog, answer);
    dialog.show();
    MessageBoxScript boxes({QMessageBox::Ok});
    dialog.applyButton->click();
    QCOMPARE(boxes.seen.size(), std::size_t(1));
    QCOMPARE(boxes.seen[0].text, message);
    QVERIFY(dialog.isVisible());
    QVERIFY(!settings.drillRequested);
}

void RadicalDrillUi::settingsAcceptAndRound_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("byTime");
    QTest::addColumn<int>("limit");
    QTest::newRow("1") << "1" << false << 1;
    QTest::newRow("30000") << "30000" << false << 30000;
    QTest::newRow("12.5") << "12.5" << false << 12;
    QTest::newRow("spaces") << "  45  " << true << 45;
}

void RadicalDrillUi::settingsAcceptAndRound()
{
    QFETCH(QString, entry);
    QFETCH(bool, byTime);
    QFETCH(int, limit);
    WubiHarness h;
    RadicalDrillSettings settings;
    settings.radicalsDrawn = 7;
    RadicalDrillSettingsDialog dialog(h.ctx, settings);
    SettingsAnswer answer;
    answer.byTime = byTime;
    (byTime ? answer.time : answer.count) = entry;
    answer.edition98 = true;
    answer.keys = QStringLiteral("GH");
    fillSettings(&dialog, answer);
    dialog.show();
    dialog.applyButton->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(settings.drillRequested);
    QCOMPARE(settings.radicalsDrawn, 0);
    QCOMPARE(settings.timeLimited, byTime);
    QCOMPARE(byTime ? settings.timeLimit : settings.radicalLimit, limit);
    if (byTime)
        QCOMPARE(settings.radicalLimit, 80);
    QVERIFY(!settings.edition86);
    QVERIFY(!settings.allKeys);
    for (int i = 0; i < 25; ++i)
        QCOMPARE(settings.chosenKeys[std::size_t(i)], i == 'G' - 'A' || i == 'H' - 'A');
}

void RadicalDrillUi::closingTheSettingsLeavesTheRunAlone()
{
    DrillHarness h;
    h.answerRight();
    h.answerRight();
    ModalAnswerer answerer; // rejects the dialog, as its close box does
    h.form->openSettings();
    QCOMPARE(answerer.seen, QStringList{QStringLiteral("ZGExSet")});
    QVERIFY(h.form->drill().armed());
    QVERIFY(h.form->drill().running());
    QCOMPARE(h.form->drill().position(), 3);
    QCOMPARE(h.cellColour(1), QColor(0, 0, 255));
    // Back in the window the drill goes on.
    h.answerRight();
    QCOMPARE(h.form->drill().position(), 4);
}

void RadicalDrillUi::theLimitKindsExcludeEachOtherAlone()
{
    WubiHarness h;
    RadicalDrillSettings settings;
    RadicalDrillSettingsDialog dialog(h.ctx, settings);
    dialog.show();
    const auto clickKind = [&](int kind) {
        QTest::mouseClick(dialog.limitKindButtons[std::size_t(kind)], Qt::LeftButton);
        QVERIFY(dialog.limitKindButtons[std::size_t(kind)]->isChecked());
        QVERIFY(!dialog.limitKindButtons[std::size_t(1 - kind)]->isChecked());
        QCOMPARE(dialog.timeLimitBox->isEnabled(), kind == 1);
        QVERIFY(dialog.editionButtons[0]->isChecked()); // the edition stays
    };
    clickKind(1);
    clickKind(0);
    clickKind(1);
    dialog.timeLimitBox->setText(QStringLiteral("30"));
    dialog.applyButton->click();
    QVERIFY(settings.drillRequested);
    QVERIFY(settings.timeLimited);
    QCOMPARE(settings.timeLimit, 30);
    QVERIFY(settings.edition86);
}

void RadicalDrillUi::aRefusedSettingLeavesTheRunAlone()
{
    DrillHarness h(100);
    for (int i = 0; i < 5; ++i)
        h.answerRight();
    {
        MessageBoxScript refusal({QMessageBox::Ok});
        ModalAnswerer answerer;
        answerer.handle = [](QWidget *w) {
            if (auto *dialog = qobject_cast<RadicalDrillSettingsDialog *>(w)) {
                SettingsAnswer answer; // valid limits, but a range of one key
                answer.byTime = true;
                answer.time = QStringLiteral("30");
                answer.edition98 = true;
                answer.keys = QStringLiteral("G");
                fillSettings(dialog, answer);
                dialog->applyButton->click();
            }
        };
        h.form->openSettings();
        QCOMPARE(answerer.seen, QStringList{QStringLiteral("ZGExSet")});
        QCOMPARE(refusal.seen.size(), std::size_t(1));
        QCOMPARE(refusal.seen[0].text, QStringLiteral("自定义练习范围时，你至少要选中两项！"));
    }
    QVERIFY(!h.settings.timeLimited);
    QCOMPARE(h.settings.radicalLimit, 100);
    QCOMPARE(h.settings.radicalsDrawn, 80);
    QVERIFY(h.settings.edition86);
    QVERIFY(h.settings.allKeys);
    // The 100-radical run goes on to its end.
    MessageBoxScript boxes({QMessageBox::Ok});
    for (int i = 5; i < 100; ++i)
        h.answerRight();
    QCOMPARE(boxes.seen.size(), std::size_t(1));
    QVERIFY(boxes.seen[0].text.endsWith(QStringLiteral("总字数：100")));
}

void RadicalDrillUi::chosenKeysDrillOnlyThoseKeys()
{
    WubiHarness h;
    RadicalDrillSettings settings;
    RadicalDrillWindow form(h.ctx, settings, h.shell.practiceArea());
    form.clockTimer->stop();
    ModalAnswerer answerer;
    answerer.handle = [](QWidget *w) {
        if (auto *dialog = qobject_cast<RadicalDrillSettingsDialog *>(w)) {
            SettingsAnswer answer;
            answer.keys = QStringLiteral("GH");
            fillSettings(dialog, answer);
            dialog->applyButton->click();
        }
    };
    form.openSettings();
    QCOMPARE(form.drill().expectedKeys().size(), 60);
    QCOMPARE(QSet<int>(form.drill().expectedKeys().begin(), form.drill().expectedKeys().end()),
             (QSet<int>{'G', 'H'}));
}

void RadicalDrillUi::picturesMatchTheRadicalList()
{
    // The rows of the radical list as "key code points" per edition.
    QFile tsv(TestEnv::sourceDir() + QStringLiteral("/assets/wubi/radicals.tsv"));
    QVERIFY(tsv.open(QIODevice::ReadOnly | QIODevice::Text));
    QSet<QString> rows86, rows98;
    tsv.readLine();
    while (!tsv.atEnd()) {
        const QStringList f = QString::fromUtf8(tsv.readLine()).split(QLatin1Char('\t'));
        QString points = f[3];
        points.remove(QStringLiteral("U+")).replace(QLatin1Char(' '), QLatin1Char('_'));
        const QString id = f[0] + QLatin1Char('_') + points;
        if (f[1] != QLatin1String("98"))
            rows86.insert(id);
        if (f[1] != QLatin1String("86"))
            rows98.insert(id);
    }
    const QStringList names = pictureNames();
    int in86 = 0, in98 = 0;
    QSet<QString> ids;
    for (const QString &name : names) {
        QVERIFY2(name.size() > 3 && name.at(0) >= QLatin1Char('A') && name.at(0) <= QLatin1Char('Y'), qPrintable(name));
        const QString id = name.left(1) + name.mid(2).chopped(3);
        QVERIFY2(!ids.contains(id), qPrintable(name));
        ids.insert(id);
        const bool only86 = name.at(1) == QLatin1Char('8'), only98 = name.at(1) == QLatin1Char('9');
        // The key of the picture is the row's key in every edition it is drilled in.
        if (!only98)
            QVERIFY2(rows86.contains(id), qPrintable(name));
        if (!only86)
            QVERIFY2(rows98.contains(id), qPrintable(name));
        in86 += only98 ? 0 : 1;
        in98 += only86 ? 0 : 1;
        // Transparent, and nothing drawn touches the edge: no glyph is clipped.
        const QImage image = scrambledImage(QStringLiteral("piczg/") + name).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 44) * 2); // drawn at twice the pixels for dense screens
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(qAlpha(image.pixel(x, 0)) == 0 && qAlpha(image.pixel(x, image.height() - 1)) == 0, qPrintable(name));
        for (int y = 0; y < image.height(); ++y)
            QVERIFY2(qAlpha(image.pixel(0, y)) == 0 && qAlpha(image.pixel(image.width() - 1, y)) == 0, qPrintable(name));
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        QVERIFY2(inked >= 8, qPrintable(name));
    }
    // 199 and 218 radicals; left out: 革字底 (drawn as 𠀐, typed K…) in both
    // editions and 舟字底 (drawn as 舟, typed T…) in each.
    QCOMPARE(in86, 197);
    QCOMPARE(in98, 216);
    QVERIFY(!ids.contains(QStringLiteral("F_20010")));
    QVERIFY(ids.contains(QStringLiteral("H_4E14"))); // 具字头, drawn from 目 over 一
}

void RadicalDrillUi::aMissingPictureLeavesItsCellEmpty()
{
    WubiHarness h;
    QTemporaryDir root;
    QDir().mkpath(root.filePath("data/piczg"));
    QFile empty(root.filePath("data/piczg/G0_738B.dz"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    h.ctx.paths.dataRoot = root.path();
    RadicalDrillSettings settings;
    settings.drillRequested = true;
    MessageBoxScript boxes({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
    RadicalDrillWindow form(h.ctx, settings, h.shell.practiceArea());
    form.clockTimer->stop();
    form.activated();
    // One message for the one picture, however often it was drawn.
    QTRY_VERIFY(!boxes.seen.empty());
    QCOMPARE(boxes.seen[0].text, QStringLiteral("请确认图片是否存在！"));
    // (That one is the settings button's picture; the radical's message names its file.)
    const auto naming = std::count_if(boxes.seen.begin(), boxes.seen.end(), [](const auto &box) {
        return box.text.startsWith(QStringLiteral("请确认图片是否存在！")) && box.text.contains(QStringLiteral("G0_738B"));
    });
    QCOMPARE(naming, 1);
    QVERIFY(form.drill().armed());
    for (QLabel *cell : form.cells)
        QVERIFY(cell->pixmap().isNull());
    form.keyDown('G', Qt::NoModifier);
    QCOMPARE(h.cues.played, std::vector<Cue>{Cue::Confirm});
}

QTEST_MAIN(RadicalDrillUi)
#include "radical_drill.moc"
