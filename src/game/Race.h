#pragma once
// The tortoise-and-hare race without its window: the material and its pools,
// the race settings, and the race itself (countdown, tortoise pace and laps,
// race clock, animation frames, the hare's progress through the race lines).
// Horizontal positions are the pictures' left edges on the window, in pixels.
#include "practice/TypingJudge.h"

#include <QString>

struct CodeTables;
struct PracticeState;
class RandomSource;

namespace race {

// What the race is typed from, in the order of the settings dialog's options.
enum class Material { Letters, KeyNames, FirstLevel, Second86, Second98, Third86, Third98 };
inline constexpr int kMaterialCount = 7;

inline constexpr int kTrackStart = 16;    // Left of both runners at the start
inline constexpr int kMarkerStart = 97;   // Left of the marker running ahead of the tortoise
inline constexpr int kLapEnd = 666;       // the tortoise laps once its marker passes this
inline constexpr int kCountdownTicks = 4; // ticks of 1 s before the race starts
inline constexpr int kCountdownInterval = 1000;
inline constexpr int kAnimationInterval = 100;
inline constexpr int kHareFrames = 8;

int StepWidth(Material m);  // 13 pixels for letters, 25 for characters
int LineLength(Material m); // 44 letters or 23 characters

// The characters a race line is drawn from.
QString Pool(const CodeTables &tables, Material m);
// One race line of LineLength(m) random characters of `pool`, without its line
// break. Uses the drill generator under a fresh budget (60 for the first line
// and for letters, 40 for later lines of characters).
QString NextLine(PracticeState &state, const QString &pool, Material m, bool firstLine, RandomSource &random);

// Tortoise step interval in ms for a pace in characters per minute.
int PaceInterval(double charsPerMinute);

// The race settings as typed into the dialog, checked in the dialog's order.
enum class SettingsCheck { Accepted, LengthNotNumeric, PaceNotNumeric, PaceOutOfRange, LengthOutOfRange };
struct RaceSettings {
    int seconds = 0;      // race length, whole seconds
    int paceInterval = 0; // ms per tortoise step
};
SettingsCheck CheckSettings(const QString &lengthText, const QString &paceText, RaceSettings *out);
// The message box text of a failed check.
QString CheckMessage(SettingsCheck check);
// Plain decimal numbers with optional sign and decimal point, spaces around.
bool ReadDecimal(const QString &text, double *value);

// "   03" .. "   00" while counting down; "mm:ss" on the race clock.
QString CountdownText(int ticksDone);
QString ClockText(int seconds);

// The race's judge: one race line at a time, the first wrong character and
// everything after it refused.
TypingJudge MakeJudge();
// What `typed` (a key's character or a committed phrase) adds to the input
// box holding `input`, judged one character after another.
struct Judgement {
    QString accepted; // the right characters before the first wrong one
    bool wrong = false;
    QString overflow; // characters past the end of a finished line
    QVector<CharacterVerdict> verdicts;
};
Judgement JudgeTyped(TypingJudge &judge, const QString &input, const QString &typed);

class Race {
public:
    Race(Material material, int lengthSeconds);

    Material material() const { return m_material; }
    int stepWidth() const { return StepWidth(m_material); }
    int lineLength() const { return LineLength(m_material); }
    int lengthSeconds() const { return m_lengthSeconds; }

    bool running() const { return m_running; }
    bool paused() const { return m_paused; }
    bool ended() const { return m_ended; }
    int countdownTicks() const { return m_countdownTicks; }
    int clockSeconds() const { return m_clockSeconds; }
    int tortoiseCount() const { return m_tortoiseCount; }
    int hareCount() const { return m_hareOffset + m_typed; }
    int hareOffset() const { return m_hareOffset; }
    int typedInLine() const { return m_typed; }
    int frameNumber() const { return m_frame; }        // 1..8, the hare frame shown next
    bool tortoiseSecondFrame() const { return m_toggle; } // gg2 shows next when set
    // Back at the start once the race has ended.
    int hareLeft() const { return m_ended ? kTrackStart : kTrackStart + m_typed * stepWidth(); }
    int tortoiseLeft() const { return m_tortoiseLeft; }
    int markerLeft() const { return m_markerLeft; }
    bool acceptsTyping() const { return m_running && !m_paused; }

    // One countdown tick; true when it was the last and the race now runs.
    bool countdownTick();
    // Advances the animation after the frames of this tick were shown.
    void animationTick();
    // One tortoise step, with a new lap when the marker passes the lap end.
    void paceTick();
    // One race clock tick: the text to show, then true when the time is up
    // (the race has then ended).
    bool clockTick(QString *shown);
    bool pause();  // false when not running or already paused
    bool resume(); // false when not paused
    bool stop();   // false when not running
    // The learner's input in the current line now holds `typed` characters.
    // True when that finished the line: the next line starts.
    bool setTyped(int typed);

private:
    void end();

    Material m_material;
    int m_lengthSeconds;
    bool m_running = false;
    bool m_paused = false;
    bool m_ended = false;
    int m_countdownTicks = 0;
    int m_clockSeconds = 0;
    int m_tortoiseCount = 1;
    int m_hareOffset = 0;
    int m_typed = 0;
    int m_frame = 1;
    bool m_toggle = false;
    int m_tortoiseLeft = kTrackStart;
    int m_markerLeft = kMarkerStart;
};

} // namespace race

// What an accepted settings dialog hands to the race window.
struct RaceSetup {
    race::Material material = race::Material::Letters;
    race::RaceSettings settings;
    QString pool;
    QString firstLine;
};
