// The drills without their windows: targets, wrong marks, pools, the
// figures, and the fingering drill's lines.
#include "data/Random.h"
#include "keyboard/DrillStatistics.h"
#include "keyboard/FingeringDrill.h"
#include "keyboard/KeyCodes.h"
#include "keyboard/TargetDrill.h"

#include <QTest>
#include <QTime>
#include <deque>
#include <map>
#include <set>

namespace {
// Hands out scripted draws (each clamped to the asked range).
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> draws) : m_draws(std::move(draws)) {}
    int uniform(int lo, int hi) override
    {
        const int v = m_draws.empty() ? lo : m_draws.front();
        if (!m_draws.empty())
            m_draws.pop_front();
        return std::clamp(v, lo, hi);
    }

private:
    std::deque<int> m_draws;
};

const QTime kNine(9, 0, 0);

int IndexIn(const std::vector<int> &pool, int code)
{
    return int(std::find(pool.begin(), pool.end(), code) - pool.begin());
}
} // namespace

class DrillsTest : public QObject {
    Q_OBJECT
private slots:
    void hittingTheTargetClearsEveryWrongMarkAndMovesIt()
    {
        KeyboardPicture picture = KeyboardPicture::mainBlock();
        TargetDrill drill(picture, 'A');
        drill.start();
        ScriptedRandom random({IndexIn(TypingAreaPool(), 'J')});
        QCOMPARE(drill.judge('S', TypingAreaPool(), random, kNine), KeyVerdict::Wrong);
        QCOMPARE(drill.judge(vk::Tab, TypingAreaPool(), random, kNine), KeyVerdict::Wrong);
        QCOMPARE(picture.look('S').state, KeyState::Wrong);
        QCOMPARE(picture.look(vk::Tab).state, KeyState::Wrong);

        QCOMPARE(drill.judge('A', TypingAreaPool(), random, kNine), KeyVerdict::Right);
        QCOMPARE(drill.target(), int('J'));
        QCOMPARE(picture.look('J').state, KeyState::Target);
        for (int code : picture.codes())
            if (code != 'J')
                QCOMPARE(picture.look(code).state, KeyState::Normal);
        QVERIFY(drill.wrongKeys().empty());
        QVERIFY(!drill.wrongMarksShown());
        QCOMPARE(drill.statistics().keystrokes, 3.0f);
        QCOMPARE(drill.statistics().errors, 2.0f);
    }

    void aWrongKeyIsListedOnceButCountedEachTime()
    {
        KeyboardPicture picture = KeyboardPicture::mainBlock();
        TargetDrill drill(picture, 'A');
        SeededRandom random(3);
        for (int i = 0; i < 3; ++i)
            drill.judge('K', TypingAreaPool(), random, kNine);
        QCOMPARE(drill.wrongKeys(), std::vector<int>{'K'});
        QCOMPARE(drill.statistics().errors, 3.0f);
        // Pressed again, it shows its wrong look pressed down.
        drill.keyDown('K');
        QCOMPARE(picture.look('K').state, KeyState::Wrong);
        QVERIFY(picture.look('K').pressed);
        drill.keyDown('A');
        QCOMPARE(picture.look('A').state, KeyState::Target);
        QVERIFY(picture.look('A').pressed);
    }

    void keysOffThePictureCountAsKeystrokesOnly()
    {
        KeyboardPicture picture = KeyboardPicture::mainBlock();
        TargetDrill drill(picture, 'A');
        SeededRandom random(3);
        QCOMPARE(drill.judge(vk::Escape, TypingAreaPool(), random, kNine), KeyVerdict::NotOnPicture);
        QCOMPARE(drill.judge(vk::F1, TypingAreaPool(), random, kNine), KeyVerdict::NotOnPicture);
        QCOMPARE(drill.statistics().keystrokes, 2.0f);
        QCOMPARE(drill.statistics().errors, 0.0f);
        QVERIFY(!drill.wrongMarksShown());
        QCOMPARE(DisplayOf(drill.statistics(), BarScale{1000}).accuracyText, QStringLiteral("100.00 %"));
    }

    void poolsHoldExactlyTheirKeysAndAreDrawnUniformly()
    {
        const std::set<int> forbidden{vk::Tab, vk::Shift, vk::LeftBracket, vk::RightBracket, vk::Apostrophe,
                                      vk::Minus, vk::Equals, vk::Backslash, vk::Grave};
        KeyboardPicture picture = KeyboardPicture::mainBlock();
        TargetDrill drill(picture, 'A');
        SeededRandom random(11);
        std::map<int, int> typing, whole;
        for (int i = 0; i < 8400; ++i) {
            drill.judge(drill.target(), TypingAreaPool(), random, kNine);
            ++typing[drill.target()];
        }
        for (int i = 0; i < 11600; ++i) {
            drill.judge(drill.target(), {}, random, kNine);
            ++whole[drill.target()];
        }
        QCOMPARE(typing.size(), size_t(42));
        QCOMPARE(whole.size(), size_t(58));
        for (auto [code, count] : typing) {
            QVERIFY2(!forbidden.count(code), qPrintable(QString::number(code)));
            QVERIFY2(count > 120 && count < 290, qPrintable(QStringLiteral("%1: %2").arg(code).arg(count)));
        }
        QVERIFY(typing.count(vk::Enter) && typing.count(vk::Space));

        const std::vector<std::set<int>> ranges{
            {96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 109, 110, 111, 13},
            {96, 97, 100, 103}, {98, 101, 104, 111}, {99, 102, 105, 106, 110}, {13, 107, 109}};
        KeyboardPicture pad = KeyboardPicture::keypad();
        TargetDrill padDrill(pad, vk::Pad0);
        for (int option = 0; option < 5; ++option) {
            std::set<int> seen;
            for (int i = 0; i < 400; ++i) {
                padDrill.judge(padDrill.target(), KeypadPool(option), random, kNine);
                seen.insert(padDrill.target());
            }
            QCOMPARE(seen, ranges[size_t(option)]);
        }
    }

    void figuresFollowKeystrokesAndSeconds_data()
    {
        QTest::addColumn<QTime>("first");
        QTest::addColumn<QTime>("last");
        QTest::addColumn<int>("keystrokes");
        QTest::addColumn<int>("errors");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("accuracy");
        QTest::addColumn<double>("speedBar");
        QTest::newRow("same second") << QTime(9, 0, 0) << QTime(9, 0, 0) << 2 << 0 << "120.00 次/分" << "100.00 %" << 136.0;
        QTest::newRow("a minute") << QTime(9, 0, 0) << QTime(9, 1, 0) << 48 << 0 << "48.00 次/分" << "100.00 %" << 64.0;
        QTest::newRow("some wrong") << QTime(9, 0, 0) << QTime(9, 0, 30) << 21 << 1 << "42.00 次/分" << "95.24 %" << 58.0;
        QTest::newRow("slow") << QTime(9, 0, 0) << QTime(9, 2, 0) << 10 << 5 << "05.00 次/分" << "50.00 %" << 21.0;
        QTest::newRow("midnight") << QTime(23, 59, 50) << QTime(0, 0, 10) << 20 << 0 << "60.00 次/分" << "100.00 %" << 76.0;
    }
    void figuresFollowKeystrokesAndSeconds()
    {
        QFETCH(QTime, first);
        QFETCH(QTime, last);
        QFETCH(int, keystrokes);
        QFETCH(int, errors);
        DrillStatistics stats;
        stats.countKeystroke(first);
        for (int i = 1; i < keystrokes; ++i)
            stats.countKeystroke(last);
        for (int i = 0; i < errors; ++i)
            stats.countError();
        stats.takeTime(last);
        const BarScale scale{2000, 16, 17, 1};
        const StatisticsDisplay display = DisplayOf(stats, scale);
        QTEST(display.speedText, "speed");
        QTEST(display.accuracyText, "accuracy");
        QTEST(display.speedBarWidth, "speedBar");
        QCOMPARE(display.accuracyBarWidth, double(keystrokes - errors) / keystrokes * 2000 + 16);
        QVERIFY(stats.now >= stats.start);

        stats.reset();
        const StatisticsDisplay cleared = DisplayOf(stats, scale);
        QCOMPARE(cleared.speedBarWidth, 17.0);
        QCOMPARE(cleared.accuracyBarWidth, 17.0);
        QVERIFY(cleared.speedText.isEmpty() && cleared.accuracyText.isEmpty());
    }

    void fingeringLinesComeFromTheChosenFingers()
    {
        KeyboardPicture picture = KeyboardPicture::mainBlock();
        FingeringDrill drill(picture);
        SeededRandom random(5);
        drill.enter(random);
        QCOMPARE(drill.keySet(), QStringLiteral("12345qwertasdfgzxcvb67890yuiophjkl;nm,./"));
        drill.chooseLeft(4, random);
        drill.chooseRight(1, random);
        QCOMPARE(drill.keySet(), QStringLiteral("0p;/4rfv5tgb"));

        // Over many lines: only these characters; the first of the key set twice as often.
        std::map<QChar, int> counts;
        for (int i = 0; i < 600; ++i) {
            const QString line = BuildDrillLine(drill.keySet(), random);
            QCOMPARE(line.size(), 43);
            for (QChar c : line)
                ++counts[c];
        }
        QCOMPARE(counts.size(), size_t(12));
        const double each = 600.0 * 43 / 13;
        QVERIFY(std::abs(counts[QLatin1Char('0')] - 2 * each) < 0.1 * 2 * each);
        QVERIFY(std::abs(counts[QLatin1Char('p')] - each) < 0.1 * each);

        // After a completed line the left hand's keys come first: "4".
        ScriptedRandom scripted(std::deque<int>(43, 0));
        drill.chooseRight(1, scripted);
        QCOMPARE(drill.line(), QString(43, QLatin1Char('0')));
        for (int i = 0; i < 43; ++i)
            QCOMPARE(drill.keyUp('0', scripted), KeyVerdict::Right);
        QCOMPARE(drill.position(), 0);
        QCOMPARE(drill.line(), QString(43, QLatin1Char('4')));
    }

    void fingeringJudgesKeysNotCharacters()
    {
        KeyboardPicture picture = KeyboardPicture::mainBlock();
        FingeringDrill drill(picture);
        ScriptedRandom random(std::deque<int>{});
        QVERIFY(KeyTypesCharacter('A', QLatin1Char('a')));  // Shift ignored: the key is A either way
        QVERIFY(!KeyTypesCharacter('A', QLatin1Char('A')));
        QVERIFY(KeyTypesCharacter(vk::Period, QLatin1Char('.')));
        QVERIFY(!KeyTypesCharacter(vk::Delete, QLatin1Char('.')));
        QVERIFY(!KeyTypesCharacter(vk::PadDecimal, QLatin1Char('.')));
        QVERIFY(KeyTypesCharacter(vk::Semicolon, QLatin1Char(';')));

        drill.enter(random); // every draw 0: a line of "1"
        QCOMPARE(drill.keyUp(vk::F1, random), KeyVerdict::NotOnPicture);
        QVERIFY(drill.keyDown(vk::Shift));
        QCOMPARE(drill.keyUp(vk::Shift, random), KeyVerdict::Ignored);
        QCOMPARE(picture.look(vk::Shift).state, KeyState::Normal);
        QVERIFY(!picture.look(vk::Shift).pressed);
        QCOMPARE(drill.lastPaintedKey(), 0);
        QCOMPARE(drill.keyUp('2', random), KeyVerdict::Wrong);
        QCOMPARE(picture.look('2').state, KeyState::Wrong);
        QVERIFY(drill.keyDown('2'));
        QCOMPARE(picture.look('2').state, KeyState::Wrong);
        QVERIFY(picture.look('2').pressed);
        QCOMPARE(drill.keyUp('1', random), KeyVerdict::Right);
        QCOMPARE(picture.look('1').state, KeyState::Target);
        QCOMPARE(picture.look('2').state, KeyState::Normal);
        QCOMPARE(drill.position(), 1);
        drill.leave();
        QCOMPARE(picture.look('1').state, KeyState::Normal);
        QVERIFY(drill.keySet().isEmpty());
    }

    void fingerGroups()
    {
        QCOMPARE(LeftHandGroup(1), QStringLiteral("1qaz"));
        QCOMPARE(LeftHandGroup(4), QStringLiteral("4rfv5tgb"));
        QCOMPARE(RightHandGroup(1), QStringLiteral("0p;/"));
        QCOMPARE(RightHandGroup(4), QStringLiteral("6yhn7ujm"));
        QCOMPARE(LeftHandGroup(0) + RightHandGroup(0), FingerGroup(209) + FingerGroup(210));
        QVERIFY(FingerGroup(211).isEmpty());
        // Each finger group lies inside its hand, and the fingers cover the hand.
        QString left, right;
        for (int i = 1; i <= 4; ++i) {
            left += LeftHandGroup(i);
            right += RightHandGroup(i);
        }
        std::sort(left.begin(), left.end());
        std::sort(right.begin(), right.end());
        QString wholeLeft = FingerGroup(209), wholeRight = FingerGroup(210);
        std::sort(wholeLeft.begin(), wholeLeft.end());
        std::sort(wholeRight.begin(), wholeRight.end());
        QCOMPARE(left, wholeLeft);
        QCOMPARE(right, wholeRight);
    }
};

QTEST_APPLESS_MAIN(DrillsTest)
#include "drills.moc"
