// Sound cues: which cue a judged keystroke asks for, the SDL player staying
// silent without files or device, and the shipped wave files.
#include "data/Audio.h"
#include "data/Cues.h"
#include "data/Settings.h"
#include "support/TestEnv.h"

#include <QFile>
#include <SDL_mixer.h>
#include <QTest>
#include <QtEndian>
#include <atomic>
#include <cmath>
#include <type_traits>

namespace {
std::atomic<int> g_cuesFinished{0}; // counted on the audio thread
void SDLCALL CountFinishedCue(int)
{
    ++g_cuesFinished;
}
} // namespace

class CuesTest : public QObject {
    Q_OBJECT
private slots:
    // First, while this process has not opened the device yet: the very first
    // cue, asked for before the device is open, is not lost.
    void theFirstCueOfTheSessionSounds()
    {
        if (qgetenv("SDL_AUDIODRIVER") != "dummy")
            QSKIP("needs SDL's dummy audio driver");
        QVERIFY(!AudioDevice::isOpen());
        Mix_ChannelFinished(CountFinishedCue);
        SdlCuePlayer player(TestEnv::dataRoot() + "/sound");
        player.play(Cue::Tick); // the race's first countdown tick
        QTRY_COMPARE(g_cuesFinished.load(), 1);
        Mix_ChannelFinished(nullptr);
    }

    void judgedKeystrokeFollowsTheComparisonFlags()
    {
        CueFlags flags;
        RecordingCuePlayer player;
        CueForJudgedKeystroke(player, flags, true);
        CueForJudgedKeystroke(player, flags, false);
        QCOMPARE(player.played, (std::vector<Cue>{Cue::Confirm, Cue::Error}));

        // Right silent, wrong still sounds.
        flags.zwRight = false;
        player.played.clear();
        CueForJudgedKeystroke(player, flags, true);
        CueForJudgedKeystroke(player, flags, false);
        QCOMPARE(player.played, (std::vector<Cue>{Cue::Error}));

        // Only the comparison flags count here.
        flags = CueFlags{false, false, false, false, true, false, false};
        player.played.clear();
        CueForJudgedKeystroke(player, flags, true);
        CueForJudgedKeystroke(player, flags, false);
        QCOMPARE(player.played, (std::vector<Cue>{Cue::Confirm}));
    }

    void thePlayerOwnsItsSoundsAndCannotBeCopied()
    {
        // A copy would free the loaded sounds twice.
        QVERIFY(!std::is_copy_constructible_v<SdlCuePlayer>);
        QVERIFY(!std::is_copy_assignable_v<SdlCuePlayer>);
    }

    // Without its files the player stays silent; with them the same calls sound.
    void playerWithoutFilesIsSilent_data()
    {
        QTest::addColumn<bool>("withFiles");
        QTest::newRow("no files") << false;
        QTest::newRow("shipped files") << true;
    }

    void playerWithoutFilesIsSilent()
    {
        QFETCH(bool, withFiles);
        if (qgetenv("SDL_AUDIODRIVER") != "dummy")
            QSKIP("needs SDL's dummy audio driver");
        TestEnv env;
        QVERIFY(AudioDevice::open());
        SdlCuePlayer player(withFiles ? TestEnv::dataRoot() + "/sound" : env.path() + "/no-such-folder");
        for (Cue cue : {Cue::Confirm, Cue::Error, Cue::Tick}) {
            Mix_HaltChannel(-1);
            player.play(cue);
            QCOMPARE(Mix_Playing(-1), withFiles ? 1 : 0);
        }
    }

    void theDeviceOpensInTheBackgroundAndCuesSoundOnceItIs()
    {
        if (qgetenv("SDL_AUDIODRIVER") != "dummy")
            QSKIP("needs SDL's dummy audio driver");
        SdlCuePlayer player(TestEnv::dataRoot() + "/sound");
        player.play(Cue::Confirm); // starts the worker; the cue itself does not wait
        QTRY_VERIFY(AudioDevice::isOpen());
        player.play(Cue::Error);
        QCOMPARE(Mix_Playing(-1), 1);
    }

    // An open device wakes the process; with no cue for a while it closes,
    // and the next cue opens it again and still sounds.
    void theDeviceClosesWhenIdleAndTheNextCueStillSounds()
    {
        if (qgetenv("SDL_AUDIODRIVER") != "dummy")
            QSKIP("needs SDL's dummy audio driver");
        SdlCuePlayer player(TestEnv::dataRoot() + "/sound", 50);
        QVERIFY(AudioDevice::open());
        player.play(Cue::Tick);
        QTRY_VERIFY(!AudioDevice::isOpen());
        g_cuesFinished = 0;
        Mix_ChannelFinished(CountFinishedCue);
        player.play(Cue::Confirm);
        QTRY_COMPARE(g_cuesFinished.load(), 1);
        Mix_ChannelFinished(nullptr);
        QTRY_VERIFY(!AudioDevice::isOpen());
    }

    void aNewCueReplacesTheSoundingOne()
    {
        if (qgetenv("SDL_AUDIODRIVER") != "dummy")
            QSKIP("needs SDL's dummy audio driver");
        SdlCuePlayer player(TestEnv::dataRoot() + "/sound");
        QVERIFY(AudioDevice::open());
        QVERIFY(AudioDevice::isOpen());
        int heard = 0;
        for (int i = 0; i < 30; ++i) {
            player.play(static_cast<Cue>(i % 3));
            const int sounding = Mix_Playing(-1);
            QVERIFY(sounding <= 1); // one cue at a time
            heard += sounding;
        }
        QVERIFY(heard > 0);
    }

    void shippedWaveFilesAreShortCleanPcm_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("maxSeconds");
        QTest::newRow("confirm") << "yes.wav" << 0.2;
        QTest::newRow("error") << "no.wav" << 0.5;
        QTest::newRow("tick") << "tick2.wav" << 0.1;
    }

    void shippedWaveFilesAreShortCleanPcm()
    {
        QFETCH(QString, name);
        QFETCH(double, maxSeconds);
        QFile file(TestEnv::dataRoot() + "/sound/" + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        QVERIFY(wav.size() > 44);
        QVERIFY(wav.startsWith("RIFF") && wav.mid(8, 8) == "WAVEfmt ");
        const char *h = wav.constData();
        QCOMPARE(qFromLittleEndian<quint16>(h + 20), quint16(1));  // PCM
        QCOMPARE(qFromLittleEndian<quint16>(h + 34), quint16(16)); // bits
        const quint32 rate = qFromLittleEndian<quint32>(h + 24);
        const quint16 channels = qFromLittleEndian<quint16>(h + 22);
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const quint32 dataBytes = qFromLittleEndian<quint32>(h + 40);
        QCOMPARE(qsizetype(dataBytes) + 44, wav.size());
        const int samples = int(dataBytes / 2);
        QVERIFY(double(samples) / channels / rate <= maxSeconds);

        auto sample = [&](int i) { return qFromLittleEndian<qint16>(h + 44 + 2 * i); };
        int peak = 0;
        for (int i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(int(sample(i))));
        QVERIFY(peak > 8000 && peak < 32000); // audible, not clipped
        // Starts and ends at silence: no click.
        QVERIFY(std::abs(sample(0)) < 200);
        QVERIFY(std::abs(sample(samples - 1)) < 200);
    }

    void errorCueIsLowerThanConfirmCue()
    {
        // Zero crossings per second estimate the dominant pitch.
        auto crossingsPerSecond = [](const QString &name) {
            QFile file(TestEnv::dataRoot() + "/sound/" + name);
            if (!file.open(QIODevice::ReadOnly))
                return 0.0;
            const QByteArray wav = file.readAll();
            const int n = int((wav.size() - 44) / 2);
            int crossings = 0;
            for (int i = 1; i < n; ++i) {
                const qint16 a = qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * (i - 1));
                const qint16 b = qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * i);
                crossings += (a < 0) != (b < 0);
            }
            return crossings / (n / 44100.0);
        };
        const double confirm = crossingsPerSecond("yes.wav");
        const double error = crossingsPerSecond("no.wav");
        QVERIFY(error > 0);
        QVERIFY(confirm > 2 * error);
    }
};

QTEST_GUILESS_MAIN(CuesTest)
#include "cues.moc"
