// The race without its window: material, settings checks, the tortoise's
// pace and laps, the race clock, and judging typed characters.
#include "data/Random.h"
#include "game/Race.h"
#include "practice/PracticeState.h"

#include <QTest>

using race::Material;
using race::SettingsCheck;

class RaceTest : public QObject {
    Q_OBJECT
private slots:
    void paceGivesStepInterval_data()
    {
        QTest::addColumn<double>("pace");
        QTest::addColumn<int>("interval");
        QTest::newRow("60") << 60.0 << 1000;
        QTest::newRow("1000") << 1000.0 << 60;
        QTest::newRow("7, fraction dropped") << 7.0 << 8571;
        QTest::newRow("1") << 1.0 << 60000;
    }
    void paceGivesStepInterval()
    {
        QFETCH(double, pace);
        QFETCH(int, interval);
        QCOMPARE(race::PaceInterval(pace), interval);
    }

    void settingsAreCheckedInOrder_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("pace");
        QTest::addColumn<int>("check");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("interval");
        const int accepted = int(SettingsCheck::Accepted);
        QTest::newRow("letters in both") << "abc" << "x" << int(SettingsCheck::LengthNotNumeric) << 0 << 0;
        QTest::newRow("exponent is no plain number") << "1e2" << "10" << int(SettingsCheck::LengthNotNumeric) << 0 << 0;
        QTest::newRow("empty length") << "" << "10" << int(SettingsCheck::LengthNotNumeric) << 0 << 0;
        QTest::newRow("pace not numeric") << "60" << "fast" << int(SettingsCheck::PaceNotNumeric) << 0 << 0;
        QTest::newRow("pace 0, before the length") << "9" << "0" << int(SettingsCheck::PaceOutOfRange) << 0 << 0;
        QTest::newRow("pace 1001") << "60" << "1001" << int(SettingsCheck::PaceOutOfRange) << 0 << 0;
        QTest::newRow("length 9") << "9" << "10" << int(SettingsCheck::LengthOutOfRange) << 0 << 0;
        QTest::newRow("length 9.99") << "9.99" << "10" << int(SettingsCheck::LengthOutOfRange) << 0 << 0;
        QTest::newRow("length 3600") << "3600" << "10" << int(SettingsCheck::LengthOutOfRange) << 0 << 0;
        QTest::newRow("10 s at pace 1") << "10" << "1" << accepted << 10 << 60000;
        QTest::newRow("3599 s at pace 1000") << "3599" << "1000" << accepted << 3599 << 60;
        QTest::newRow("90.9 s lasts 90") << "90.9" << "60" << accepted << 90 << 1000;
        QTest::newRow("sign and spaces") << " +60 " << "7.5" << accepted << 60 << 8000;
    }
    void settingsAreCheckedInOrder()
    {
        QFETCH(QString, length);
        QFETCH(QString, pace);
        QFETCH(int, check);
        QFETCH(int, seconds);
        QFETCH(int, interval);
        race::RaceSettings settings;
        QCOMPARE(int(race::CheckSettings(length, pace, &settings)), check);
        if (check == int(SettingsCheck::Accepted)) {
            QCOMPARE(settings.seconds, seconds);
            QCOMPARE(settings.paceInterval, interval);
        }
    }

    void checkMessages()
    {
        QCOMPARE(race::CheckMessage(SettingsCheck::LengthNotNumeric), QStringLiteral("时间或字数必须为数字"));
        QCOMPARE(race::CheckMessage(SettingsCheck::PaceNotNumeric), QStringLiteral("龟的速度必须为数字"));
        QCOMPARE(race::CheckMessage(SettingsCheck::PaceOutOfRange),
                 QStringLiteral("龟的速度必须大于1字/分且小于1000字/分"));
        QCOMPARE(race::CheckMessage(SettingsCheck::LengthOutOfRange), QStringLiteral("时间设置必须大于10小于3600秒"));
    }

    void letterPoolIsTheFingerGroupLetters()
    {
        const QString pool = race::Pool(CodeTables{}, Material::Letters);
        QCOMPARE(pool, QStringLiteral("qazwsxedcrfvtgbpolikyhnujmqwertasdfgzxcvbyuiophjklnm"));
    }

    void keyNameLinesUseOnlyKeyNames()
    {
        PracticeState state;
        SeededRandom random(3);
        const QString keyNames = QStringLiteral("金人月白禾言立水火之工木大土王目日口田纟又女子已山");
        const QString pool = race::Pool(state.tables, Material::KeyNames);
        QCOMPARE(pool, keyNames);
        for (bool first : {true, false}) {
            const QString line = race::NextLine(state, pool, Material::KeyNames, first, random);
            QCOMPARE(line.size(), 23);
            for (QChar c : line)
                QVERIFY2(keyNames.contains(c), qPrintable(line));
        }
        const QString letters = race::NextLine(state, race::Pool(state.tables, Material::Letters), Material::Letters,
                                               false, random);
        QCOMPARE(letters.size(), 44);
    }

    void tortoiseLaps_data()
    {
        QTest::addColumn<int>("material");
        QTest::addColumn<int>("stepsPerLap");
        QTest::newRow("letters") << int(Material::Letters) << 44;
        QTest::newRow("characters") << int(Material::Third98) << 23;
    }
    void tortoiseLaps()
    {
        QFETCH(int, material);
        QFETCH(int, stepsPerLap);
        race::Race r(Material(material), 60);
        const int step = r.stepWidth();
        for (int i = 1; i < stepsPerLap; ++i)
            r.paceTick();
        QCOMPARE(r.tortoiseLeft(), race::kTrackStart + (stepsPerLap - 1) * step);
        QCOMPARE(r.markerLeft(), race::kMarkerStart + (stepsPerLap - 1) * step);
        r.paceTick();
        QCOMPARE(r.tortoiseLeft(), race::kTrackStart);
        QCOMPARE(r.markerLeft(), race::kMarkerStart);
        QCOMPARE(r.tortoiseCount(), 1 + stepsPerLap);
    }

    void countdownThenRaceClock()
    {
        race::Race r(Material::Letters, 60);
        QStringList countdown;
        bool started = false;
        while (!started) {
            countdown << race::CountdownText(r.countdownTicks());
            started = r.countdownTick();
        }
        QCOMPARE(countdown, QStringList({"   03", "   02", "   01", "   00"}));
        QVERIFY(r.running());
        QString shown;
        int ticks = 0;
        while (r.running()) {
            QVERIFY(ticks < 100);
            const bool timeUp = r.clockTick(&shown);
            ++ticks;
            if (ticks == 1)
                QCOMPARE(shown, QStringLiteral("00:00"));
            QCOMPARE(timeUp, !r.running());
        }
        QCOMPARE(ticks, 61);
        QCOMPARE(shown, QStringLiteral("01:00"));
        QCOMPARE(r.tortoiseLeft(), race::kTrackStart);
        QVERIFY(!r.countdownTick()); // a finished race needs new settings
    }

    void pauseResumeStop()
    {
        race::Race r(Material::Letters, 60);
        QVERIFY(!r.stop());  // countdown: nothing to stop
        QVERIFY(!r.pause());
        while (!r.countdownTick()) {
        }
        QVERIFY(!r.resume()); // not paused
        QVERIFY(r.pause());
        QVERIFY(!r.acceptsTyping());
        QVERIFY(r.resume());
        QVERIFY(r.pause());
        QVERIFY(r.stop()); // also while paused
        QVERIFY(!r.running() && !r.paused() && r.ended());
    }

    void finishedLineAddsToTheHare()
    {
        race::Race r(Material::Letters, 60);
        while (!r.countdownTick()) {
        }
        QVERIFY(!r.setTyped(43));
        QCOMPARE(r.hareLeft(), race::kTrackStart + 43 * 13);
        QCOMPARE(r.hareCount(), 43);
        QVERIFY(r.setTyped(44));
        QCOMPARE(r.hareCount(), 44);
        QCOMPARE(r.hareLeft(), race::kTrackStart);
        QVERIFY(!r.setTyped(1));
        QCOMPARE(r.hareCount(), 45);
    }

    void typedCharactersAreJudgedOneByOne_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<bool>("wrong");
        QTest::addColumn<QString>("overflow");
        QTest::newRow("right letter") << "abc" << 0 << "a" << "a" << false << "";
        QTest::newRow("capital A for a") << "abc" << 0 << "A" << "" << true << "";
        // 人 would fit once 口 were skipped.
        QTest::newRow("phrase, second wrong") << "金人月白" << 0 << "金口人" << "金" << true << "";
        QTest::newRow("phrase, all right") << "金人月白" << 1 << "人月白" << "人月白" << false << "";
        QTest::newRow("past the line end") << "金人" << 1 << "人月" << "人" << false << "月";
        QTest::newRow("first wrong") << "金人" << 0 << "人" << "" << true << "";
    }
    void typedCharactersAreJudgedOneByOne()
    {
        QFETCH(QString, line);
        QFETCH(int, position);
        QFETCH(QString, typed);
        QFETCH(QString, accepted);
        QFETCH(bool, wrong);
        QFETCH(QString, overflow);
        TypingJudge judge = race::MakeJudge();
        judge.setReference(line);
        const race::Judgement j = race::JudgeTyped(judge, line.left(position), typed);
        QCOMPARE(j.accepted, accepted);
        QCOMPARE(j.wrong, wrong);
        QCOMPARE(j.overflow, overflow);
    }
};

QTEST_GUILESS_MAIN(RaceTest)
#include "race.moc"
