#pragma once
// The radical drills without their windows: the chart drill's character pool
// and lines, and the radical drill's settings, radical list, board, answers
// and clock. Times are seconds of the day; the windows pass them in.
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

class CodeTable;
class RandomSource;

namespace wubi {

// ---- Radical chart typing drill ----------------------------------------------

inline constexpr int kChartLineLength = 26;
// Every one-character word of the 86 table whose entry starts at a position of
// at most 10000 (counted from 1), in table order, duplicates kept.
QString ChartPool(const CodeTable &table86);
// kChartLineLength characters drawn from the pool; empty for an empty pool.
QString ChartLine(const QString &pool, RandomSource &random);

// ---- Radical drill -----------------------------------------------------------

inline constexpr int kBoardCells = 80;
inline constexpr int kBoardColumns = 20;
inline constexpr int kKeyCount = 25; // A .. Y

// Settings of the next or current run, written by the settings dialog; they
// live as long as the program.
struct RadicalDrillSettings {
    bool edition86 = true;
    bool allKeys = true;
    std::array<bool, kKeyCount> chosenKeys{}; // 0 = A .. 24 = Y
    bool timeLimited = false;
    int radicalLimit = 60;
    int timeLimit = 0;        // seconds
    int radicalsDrawn = 0;    // pictures put on boards since the settings were confirmed
    bool drillRequested = false; // a new drill was asked for, or the drill is active
};

// The answer key of a picture name (its first letter, upper-cased), 0 when
// the name has none.
int AnswerKey(const QString &pictureName);
// The radical a picture shows, from the code points in its name
// ("A0_5DE5.dz" -> "工"); empty when the name holds none.
QString RadicalOfPicture(const QString &pictureName);
// The picture names that the settings' edition and key range take, in the
// order given.
QStringList RadicalList(const QStringList &pictureNames, const RadicalDrillSettings &settings);

// One radical drill: the board of up to 80 pictures, the run and its clock.
class RadicalDrill {
public:
    RadicalDrill(RadicalDrillSettings &settings, RandomSource &random);

    // Builds the board from `radicalList`; the drill is armed unless the list is
    // empty (then the board stays empty).
    void start(const QStringList &radicalList);

    struct KeyOutcome {
        enum Kind { Ignored, Card, Right, Wrong };
        Kind kind = Ignored;
        int cardKey = 0;          // Card: 65 .. 89
        bool card86 = true;       // Card: which edition's card
        int cell = -1;            // Right, Wrong: the cell answered (0 .. 79)
        bool wrongCue = false;    // Wrong: sounds unless Alt is held
        bool ended = false;       // the run ended with this answer
        int total = 0;            // ended: the number of radicals reported
        bool boardRefilled = false;
    };
    // A key pressed while the window has the focus: `keyCode` is the key's
    // virtual-key code (65 .. 90 for letters), `now` the second of the day.
    KeyOutcome press(int keyCode, bool alt, bool ctrl, int now);

    struct Tick {
        bool running = false;
        QString timeText;  // "12 秒"
        QString speedText; // "5.00 字/分"; unchanged while no second has passed
        bool ended = false;
        int total = 0;
    };
    // The 10 ms clock.
    Tick tick(int now);

    bool armed() const { return m_armed; }
    bool running() const { return m_running; }
    int position() const { return m_position; } // 1 .. 80, 0 before the first key
    int count() const { return m_count; }
    // The picture of each cell ("" for an empty cell) and the filled cells' keys.
    const QStringList &board() const { return m_board; }
    const QList<int> &expectedKeys() const { return m_expected; }
    QString timeText() const { return m_timeText; }
    QString speedText() const { return m_speedText; }

private:
    void fillBoard();
    void endRun();

    RadicalDrillSettings &m_settings;
    RandomSource &m_random;
    QStringList m_list;
    QStringList m_board;
    QList<int> m_expected;
    int m_position = 0;
    int m_count = 0;
    bool m_running = false;
    bool m_armed = false;
    int m_start = 0;
    QString m_timeText;
    QString m_speedText;
};

} // namespace wubi
