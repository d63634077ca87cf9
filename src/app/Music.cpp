#include "app/Music.h"

#include "data/Audio.h"

#include <QFile>
#include <QFileInfo>
#include "data/SdlAudio.h"

struct SdlMusicPlayer::Impl {
    Mix_Music *music = nullptr;

    void release()
    {
        if (!music)
            return;
        Sdl().haltMusic();
        Sdl().freeMusic(music);
        music = nullptr;
        AudioDevice::release();
    }
};

SdlMusicPlayer::SdlMusicPlayer() : m_impl(new Impl) {}

SdlMusicPlayer::~SdlMusicPlayer()
{
    if (AudioDevice::isOpen())
        m_impl->release();
    delete m_impl;
}

bool SdlMusicPlayer::play(const QString &path)
{
    if (!AudioDevice::open())
        return false;
    m_impl->release();
    if (!QFileInfo(path).isFile())
        return false;
    m_impl->music = Sdl().loadMusic(QFile::encodeName(path).constData());
    if (!m_impl->music)
        return false;
    AudioDevice::hold();
    // The tune plays once, as chosen; nothing repeats it.
    if (Sdl().playMusic(m_impl->music, 1) != 0) {
        m_impl->release();
        return false;
    }
    return true;
}

void SdlMusicPlayer::stop()
{
    if (AudioDevice::isOpen())
        m_impl->release();
}

bool SdlMusicPlayer::isPlaying() const
{
    return m_impl->music && AudioDevice::isOpen() && Sdl().playingMusic();
}

const std::array<Tune, 4> &BackgroundTunes()
{
    // The first file name has a full-width comma, unlike its caption.
    static const std::array<Tune, 4> tunes{{
        {QStringLiteral("我爱你,中国"), QStringLiteral("我爱你，中国.mid")},
        {QStringLiteral("花好月圆"), QStringLiteral("花好月圆.mid")},
        {QStringLiteral("高山流水"), QStringLiteral("高山流水.mid")},
        {QStringLiteral("春天的故事"), QStringLiteral("春天的故事.mid")},
    }};
    return tunes;
}

BackgroundMusic::BackgroundMusic(MusicPlayer &player, QString midiDir)
    : m_player(player), m_midiDir(std::move(midiDir))
{
}

QString BackgroundMusic::tunePath(int index) const
{
    return m_midiDir + QLatin1Char('/') + BackgroundTunes().at(std::size_t(index)).file;
}

void BackgroundMusic::chooseTune(int index)
{
    if (index < 0 || index >= int(BackgroundTunes().size()))
        return;
    // The check mark moves even when the tune cannot be played.
    m_checked = index;
    m_player.play(tunePath(index));
}

void BackgroundMusic::chooseNone()
{
    m_checked = kMusicOff;
    m_player.stop();
}
