#include "data/Cues.h"

#include "data/Audio.h"
#include "data/Settings.h"

#include "data/SdlAudio.h"
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <array>
#include <optional>
#include <utility>

namespace {
// Every cue sounds on this one channel, so a new cue cuts off the last one.
constexpr int kCueChannel = 0;
constexpr std::array<const char *, 3> kCueFiles = {"yes.wav", "no.wav", "tick2.wav"};
// A cue that waited longer than this for the device would no longer match
// its keystroke.
constexpr int kLatestLateCueMs = 1000;
} // namespace

struct SdlCuePlayer::Impl {
    QString soundDir;
    bool loaded = false;
    std::array<Mix_Chunk *, 3> chunks{};
    std::optional<Cue> waiting; // the last cue asked for before the device was open
    QElapsedTimer waitingSince;
    QTimer idleClose;

    // The cue files, once the device is open.
    bool ready()
    {
        if (loaded)
            return true;
        if (!AudioDevice::isOpen())
            return false;
        loaded = true;
        if (Sdl().allocateChannels(-1) < kCueChannel + 1)
            Sdl().allocateChannels(kCueChannel + 1);
        for (size_t i = 0; i < kCueFiles.size(); ++i) {
            const QString path = soundDir + QLatin1Char('/') + QLatin1String(kCueFiles[i]);
            // A missing file stays silent.
            chunks[i] = Sdl().loadWav(QFile::encodeName(path).constData());
        }
        return true;
    }

    void play(Cue cue)
    {
        if (Mix_Chunk *chunk = chunks[static_cast<size_t>(cue)])
            Sdl().playChannel(kCueChannel, chunk, 0);
        idleClose.start();
    }

    void freeChunks()
    {
        for (Mix_Chunk *&chunk : chunks) {
            if (chunk)
                Sdl().freeChunk(chunk);
            chunk = nullptr;
        }
        loaded = false;
    }

    void closeWhenIdle()
    {
        if (!AudioDevice::isOpen())
            return;
        if (waiting || Sdl().playing(-1) > 0 || Sdl().playingMusic()) {
            idleClose.start(); // still in use
            return;
        }
        freeChunks();
        if (!AudioDevice::closeWhenIdle())
            idleClose.start();
    }

    // Until the device is open a keystroke never waits for it: the cue waits
    // instead, and sounds as soon as the device is there (a later cue
    // replaces it, as a sounding one would be).
    void wait(Cue cue, const std::weak_ptr<Impl> &self)
    {
        const bool first = !waiting;
        waiting = cue;
        waitingSince.start();
        if (first) {
            AudioDevice::openInBackground([self] {
                if (const std::shared_ptr<Impl> impl = self.lock())
                    impl->playWaiting();
            });
        }
    }

    void playWaiting()
    {
        const std::optional<Cue> cue = std::exchange(waiting, std::nullopt);
        if (cue && waitingSince.elapsed() <= kLatestLateCueMs && ready())
            play(*cue);
        idleClose.start();
    }
};

SdlCuePlayer::SdlCuePlayer(QString soundDir, int idleCloseMs) : m_impl(std::make_shared<Impl>())
{
    m_impl->soundDir = std::move(soundDir);
    m_impl->idleClose.setSingleShot(true);
    m_impl->idleClose.setInterval(idleCloseMs);
    const std::weak_ptr<Impl> self = m_impl;
    QObject::connect(&m_impl->idleClose, &QTimer::timeout, [self] {
        if (const std::shared_ptr<Impl> impl = self.lock())
            impl->closeWhenIdle();
    });
    // However the device was opened, it closes again if no cue follows.
    AudioDevice::setOpenedHandler([self] {
        if (const std::shared_ptr<Impl> impl = self.lock())
            impl->idleClose.start();
    });
}

SdlCuePlayer::~SdlCuePlayer()
{
    if (AudioDevice::isOpen())
        Sdl().haltChannel(kCueChannel);
    m_impl->freeChunks();
}

void SdlCuePlayer::play(Cue cue)
{
    if (m_impl->ready())
        m_impl->play(cue);
    else
        m_impl->wait(cue, m_impl);
}

void SdlCuePlayer::prepare()
{
    if (!m_impl->ready())
        AudioDevice::openInBackground();
}

void CueForJudgedKeystroke(CuePlayer &player, const CueFlags &flags, bool ok)
{
    if (ok && flags.zwRight)
        player.play(Cue::Confirm);
    else if (!ok && flags.zwError)
        player.play(Cue::Error);
}
