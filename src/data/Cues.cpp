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
    std::array<Mix_Chunk *, 3> chunks{};
};

SdlCuePlayer::SdlCuePlayer(QString soundDir) : m_impl(std::make_unique<Impl>())
{
    if (!AudioDevice::open())
        return;
    if (Mix_AllocateChannels(-1) < kCueChannel + 1)
        Mix_AllocateChannels(kCueChannel + 1);
    for (size_t i = 0; i < kCueFiles.size(); ++i) {
        const QString path = soundDir + QLatin1Char('/') + QLatin1String(kCueFiles[i]);
        // A missing file stays silent.
        m_impl->chunks[i] = Mix_LoadWAV(QFile::encodeName(path).constData());
    }
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
