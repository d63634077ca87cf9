#include "data/Cues.h"

#include "data/Audio.h"
#include "data/Settings.h"

#include <SDL_mixer.h>
#include <QFile>
#include <array>

namespace {
// Every cue sounds on this one channel, so a new cue cuts off the last one.
constexpr int kCueChannel = 0;
constexpr std::array<const char *, 3> kCueFiles = {"yes.wav", "no.wav", "tick2.wav"};
} // namespace

struct SdlCuePlayer::Impl {
    QString soundDir;
    bool loaded = false;
    std::array<Mix_Chunk *, 3> chunks{};

    // The cue files, once the device is open; until then cues are silent, so
    // a keystroke never waits for the sound system.
    bool ready()
    {
        if (loaded)
            return true;
        if (!AudioDevice::isOpen()) {
            AudioDevice::openInBackground(); // once; a failed device stays silent
            return false;
        }
        loaded = true;
        if (Mix_AllocateChannels(-1) < kCueChannel + 1)
            Mix_AllocateChannels(kCueChannel + 1);
        for (size_t i = 0; i < kCueFiles.size(); ++i) {
            const QString path = soundDir + QLatin1Char('/') + QLatin1String(kCueFiles[i]);
            // A missing file stays silent.
            chunks[i] = Mix_LoadWAV(QFile::encodeName(path).constData());
        }
        return true;
    }
};

SdlCuePlayer::SdlCuePlayer(QString soundDir) : m_impl(std::make_unique<Impl>())
{
    m_impl->soundDir = std::move(soundDir);
}

SdlCuePlayer::~SdlCuePlayer()
{
    if (AudioDevice::isOpen())
        Mix_HaltChannel(kCueChannel);
    for (Mix_Chunk *chunk : m_impl->chunks) {
        if (chunk)
            Mix_FreeChunk(chunk);
    }
}

void SdlCuePlayer::play(Cue cue)
{
    if (!m_impl->ready())
        return;
    Mix_Chunk *chunk = m_impl->chunks[static_cast<size_t>(cue)];
    if (!chunk || !AudioDevice::isOpen())
        return;
    Mix_PlayChannel(kCueChannel, chunk, 0);
}

void CueForJudgedKeystroke(CuePlayer &player, const CueFlags &flags, bool ok)
{
    if (ok && flags.zwRight)
        player.play(Cue::Confirm);
    else if (!ok && flags.zwError)
        player.play(Cue::Error);
}
