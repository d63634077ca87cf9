// Background music: the check marks of the music menu, the tune files, and
// playing a real MIDI file through the audio device.
#include "app/Music.h"
#include "data/Audio.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QTest>

namespace {
class FakePlayer final : public MusicPlayer {
public:
    bool play(const QString &path) override
    {
        played << path;
        playing = QFile::exists(path);
        return playing;
    }
    void stop() override
    {
        ++stops;
        playing = false;
    }
    bool isPlaying() const override { return playing; }
    QStringList played;
    int stops = 0;
    bool playing = false;
};

// A format-0 MIDI file: one track, a few notes of a piano.
QByteArray smallMidi()
{
    QByteArray track;
    const auto note = [&](char key) {
        track.append(QByteArray::fromHex("00"));
        track.append(char(0x90)).append(key).append(char(0x60));
        track.append(QByteArray::fromHex("8360")); // 480 ticks later
        track.append(char(0x80)).append(key).append(char(0x40));
    };
    track.append(QByteArray::fromHex("00c000")); // program 0
    for (char key : {60, 64, 67, 72})
        note(key);
    track.append(QByteArray::fromHex("00ff2f00"));
    QByteArray file = QByteArray::fromHex("4d546864000000060000000101e0");
    file.append("MTrk");
    const quint32 n = quint32(track.size());
    file.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
    return file + track;
}
} // namespace

class MusicTest : public QObject {
    Q_OBJECT
private slots:
    void nothingIsCheckedAtStart()
    {
        FakePlayer player;
        BackgroundMusic music(player, "/nowhere");
        QCOMPARE(music.checkedItem(), BackgroundMusic::kNoneChecked);
        QVERIFY(player.played.isEmpty());
    }

    void aTuneMovesTheCheckAndPlaysFromItsFile()
    {
        FakePlayer player;
        BackgroundMusic music(player, "/opt/q/data/midi");
        music.chooseTune(0);
        QCOMPARE(music.checkedItem(), 0);
        // The file name has a full-width comma although the caption has not.
        QCOMPARE(player.played.last(), QString("/opt/q/data/midi/我爱你，中国.mid"));
        QCOMPARE(BackgroundTunes()[0].caption, QString("我爱你,中国"));
        music.chooseTune(2);
        music.chooseTune(2);
        QCOMPARE(music.checkedItem(), 2);
        QCOMPARE(player.played.size(), 3); // chosen twice: started again
        QCOMPARE(player.played.last(), QString("/opt/q/data/midi/高山流水.mid"));
        music.chooseTune(7);
        QCOMPARE(music.checkedItem(), 2);
        QCOMPARE(player.played.size(), 3);
    }

    void noMusicOnlyMovesTheCheckWhenNothingPlays()
    {
        FakePlayer player;
        BackgroundMusic music(player, "/nowhere");
        music.chooseNone();
        QCOMPARE(music.checkedItem(), BackgroundMusic::kMusicOff);
        QVERIFY(player.played.isEmpty());
        QVERIFY(!player.isPlaying());
    }

    void aMissingTuneIsSilentButChecked()
    {
        TestEnv env;
        SdlMusicPlayer player;
        BackgroundMusic music(player, env.path());
        music.chooseTune(1);
        QCOMPARE(music.checkedItem(), 1);
        QVERIFY(!player.isPlaying());
    }

    void aRealMidiFilePlaysAndStops()
    {
        if (!AudioDevice::open())
            QSKIP("no audio device, not even the dummy driver");
        TestEnv env;
        const QString path = env.path() + "/花好月圆.mid";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(smallMidi());
        f.close();
        SdlMusicPlayer player;
        BackgroundMusic music(player, env.path());
        music.chooseTune(1);
        QVERIFY(player.isPlaying());
        music.chooseTune(3); // missing: the old tune stops, nothing plays
        QVERIFY(!player.isPlaying());
        QVERIFY(player.play(path));
        music.chooseNone();
        QVERIFY(!player.isPlaying());
        AudioDevice::close();
    }
};

QTEST_GUILESS_MAIN(MusicTest)
#include "Music.moc"
