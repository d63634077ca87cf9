#pragma once
// Background music: the four tunes of the "背景音乐" menu, which one carries the
// check mark, and the player that sounds them. A missing tune or no sound
// device gives silence, never a message.
#include <QString>
#include <array>

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    // Starts the file from its beginning, replacing what plays; false when it
    // cannot be played (the caller stays silent).
    virtual bool play(const QString &path) = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
};

// MIDI through SDL2_mixer, on the shared audio device (which sets the
// General MIDI sound font).
class SdlMusicPlayer final : public MusicPlayer {
public:
    SdlMusicPlayer();
    ~SdlMusicPlayer() override;
    bool play(const QString &path) override;
    void stop() override;
    bool isPlaying() const override;

private:
    struct Impl;
    Impl *m_impl;
};

struct Tune {
    QString caption; // menu caption
    QString file;    // under data/midi/
};
const std::array<Tune, 4> &BackgroundTunes();

class BackgroundMusic {
public:
    // Which menu item carries the check mark.
    static constexpr int kNoneChecked = -2;
    static constexpr int kMusicOff = -1; // "无背景音乐"

    BackgroundMusic(MusicPlayer &player, QString midiDir);

    // BackMusic(i): check the tune and play it from the start.
    void chooseTune(int index);
    // Music_not: check "无背景音乐" and stop.
    void chooseNone();
    int checkedItem() const { return m_checked; }
    QString tunePath(int index) const;

private:
    MusicPlayer &m_player;
    QString m_midiDir;
    int m_checked = kNoneChecked;
};
