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
    // A run is starting: cues may follow, so a device that takes time to
    // open can start opening now. Nothing is loaded before that.
    virtual void prepare() {}
};

// Plays through SDL2_mixer from <dataRoot>/sound/. Made once the application
// object exists. The audio device opens in the background when a run starts
// (prepare) or on the first cue, never for a window that only stands open;
// a cue asked for before the device is open sounds once it is.
// After `idleCloseMs` without a cue it closes the device again (an open
// device keeps waking the process) and the next cue opens it anew.
class SdlCuePlayer final : public CuePlayer {
public:
    static constexpr int kIdleCloseMs = 5000;
    explicit SdlCuePlayer(QString soundDir, int idleCloseMs = kIdleCloseMs);
    ~SdlCuePlayer() override;
    SdlCuePlayer(const SdlCuePlayer &) = delete; // owns the loaded sounds
    SdlCuePlayer &operator=(const SdlCuePlayer &) = delete;
    void play(Cue cue) override;
    void prepare() override;

private:
    struct Impl;
    std::shared_ptr<Impl> m_impl; // shared with a cue waiting for the device
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
