// The two keyboard pictures: which keys they hold, where, and what painting
// a key changes and reports.
#include "keyboard/KeyCodes.h"
#include "keyboard/KeyboardPicture.h"

#include <QTest>
#include <set>

class KeyboardPictureTest : public QObject {
    Q_OBJECT
private slots:
    void holdEveryKeyOfTheirTables()
    {
        std::set<int> main;
        for (int c : {8, 9, 13, 16, 17, 18, 20, 32, 91, 92, 93})
            main.insert(c);
        for (int c = 48; c <= 57; ++c)
            main.insert(c);
        for (int c = 65; c <= 90; ++c)
            main.insert(c);
        for (int c = 186; c <= 192; ++c)
            main.insert(c);
        for (int c = 219; c <= 222; ++c)
            main.insert(c);
        const std::vector<int> mainCodes = KeyboardPicture::mainBlock().codes();
        QCOMPARE(std::set<int>(mainCodes.begin(), mainCodes.end()), main);
        QCOMPARE(main.size(), size_t(58));
        QCOMPARE(KeyboardPicture::mainBlock().caps().size(), size_t(61)); // Shift, Ctrl, Alt twice

        std::set<int> pad{13, 144};
        for (int c = 96; c <= 111; ++c)
            if (c != 108)
                pad.insert(c);
        const std::vector<int> padCodes = KeyboardPicture::keypad().codes();
        QCOMPARE(std::set<int>(padCodes.begin(), padCodes.end()), pad);
    }

    void capsSitWhereTheLayoutSays()
    {
        const KeyboardPicture main = KeyboardPicture::mainBlock();
        auto capOf = [&](int code, int nth = 0) {
            for (const KeyCap &cap : main.caps())
                if (cap.code == code && nth-- == 0)
                    return cap.rect;
            return QRect();
        };
        QCOMPARE(capOf(vk::Grave), QRect(48, 152, 41, 41));
        QCOMPARE(capOf(vk::Backspace), QRect(48 + 14 * 40, 152, 41, 41));
        QCOMPARE(capOf('Q'), QRect(104, 192, 41, 41));
        QCOMPARE(capOf(vk::Enter).size(), QSize(89, 81));
        QCOMPARE(capOf('A').topLeft(), QPoint(120, 232));
        QCOMPARE(capOf(vk::Shift, 0).width(), 97);
        QCOMPARE(capOf(vk::Shift, 1).width(), 105);
        QCOMPARE(capOf(vk::Space).width(), 249);
        QCOMPARE(capOf(vk::Ctrl, 1).right(), capOf(vk::Shift, 1).right()); // both rows end together

        // No two caps of either picture overlap by more than their shared edge.
        for (const KeyboardPicture &picture : {main, KeyboardPicture::keypad()})
            for (const KeyCap &a : picture.caps())
                for (const KeyCap &b : picture.caps()) {
                    if (&a == &b)
                        continue;
                    const QRect common = a.rect.intersected(b.rect);
                    QVERIFY2(common.isEmpty() || common.width() <= 1 || common.height() <= 1,
                             qPrintable(QStringLiteral("%1 and %2").arg(a.code).arg(b.code)));
                }
        const KeyboardPicture pad = KeyboardPicture::keypad();
        QCOMPARE(pad.caps().front().rect.topLeft(), QPoint(280, 136));
    }

    void paintingReportsWhetherTheKeyIsOnThePicture()
    {
        KeyboardPicture main = KeyboardPicture::mainBlock();
        KeyboardPicture pad = KeyboardPicture::keypad();
        QVERIFY(!main.paint(vk::NumLock, KeyState::Target));
        QVERIFY(pad.paint(vk::NumLock, KeyState::Target));
        QVERIFY(!main.paint(vk::Escape, KeyState::Wrong));
        QVERIFY(!main.paint(vk::Pad0, KeyState::Wrong));
        QVERIFY(!pad.paint('A', KeyState::Wrong));
        QVERIFY(main.contains(vk::Tab));
        QVERIFY(!main.contains(vk::Delete));
    }

    void sharedCodesChangeTogetherAndTabIsNotCtrl()
    {
        KeyboardPicture main = KeyboardPicture::mainBlock();
        QVERIFY(main.paint(vk::Ctrl, KeyState::Target, true));
        QCOMPARE(main.look(vk::Ctrl).state, KeyState::Target);
        QVERIFY(main.look(vk::Ctrl).pressed);
        QCOMPARE(main.look(vk::Tab).state, KeyState::Normal);
        QVERIFY(!main.look(vk::Tab).pressed);
        main.paint(vk::Shift, KeyState::Wrong);
        int wrongShiftCaps = 0;
        for (const KeyCap &cap : main.caps())
            wrongShiftCaps += cap.code == vk::Shift && main.look(cap.code).state == KeyState::Wrong;
        QCOMPARE(wrongShiftCaps, 2);
        // The up look again on release.
        main.paint(vk::Ctrl, KeyState::Target);
        QVERIFY(!main.look(vk::Ctrl).pressed);
    }
};

QTEST_APPLESS_MAIN(KeyboardPictureTest)
#include "keyboardpicture.moc"
