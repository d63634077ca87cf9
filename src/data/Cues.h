#pragma once
// Sound cues. Playback is asynchronous; a new cue replaces one still sounding;
// a missing file or no sound device is silent and never blocks.
#include <QString>
#include <memory>
#include <vector>

struct CueFlags;

enum class Cue { Confirm, Error, Tick }; // sound/yes.wav, sound/no.wav, sound/tick2.wav

class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    virtual void play(Cue cue) = 0;
};

// Plays through SDL2_mixer from <dataRoot>/sound/.
class SdlCuePlayer final : public CuePlayer {
public:
    explicit SdlCuePlayer(QString soundDir);
    ~SdlCuePlayer() override;
    void play(Cue cue) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl; // owns the loaded sounds: not copyable
};

// Records what would have been played (tests, and the silent fallback).
class RecordingCuePlayer final : public CuePlayer {
public:
    void play(Cue cue) override { played.push_back(cue); }
    std::vector<Cue> played;
};

// The comparison-typing cue (line-by-line, whole text, chart drill, fingering
// key press): confirm when ok and Sound_ZW_Right is on, error when not ok and
// Sound_ZW_Error is on, nothing otherwise.
void CueForJudgedKeystroke(CuePlayer &player, const CueFlags &flags, bool ok);
