#pragma once
// The statistics panel of the keyboard drills: the hit-rate bar in its frame
// (`picto`, `picCu`) with `lblJZ`, the speed bar in its frame (`picTC`,
// `picCD`) with `lblCD`, and the two captions. Widths come in the window's
// own units: twips in the key-position drill, pixels in the keypad drill.
#include "keyboard/DrillStatistics.h"

#include <QPoint>

class QFrame;
class QLabel;
class QWidget;

class StatisticsPanel {
public:
    struct Captions {
        QString accuracyName, accuracy; // "Label3", "击中率："
        QString speedName, speed;       // "Label2", "击键速度："
    };

    // Lays the panel out on `parent` from `topLeft` (pixels); the frames are
    // `frameWidth` units wide, `unitsPerPixel` 15 for twips, 1 for pixels.
    StatisticsPanel(QWidget *parent, QPoint topLeft, const Captions &captions, double frameWidth,
                    double unitsPerPixel);

    void show(const StatisticsDisplay &display);
    void reset() { show(StatisticsDisplay()); }
    void setVisible(bool visible);
    double frameWidth() const { return m_frameWidth; }

private:
    int pixels(double units) const;

    QWidget *m_parts[8] = {};
    QFrame *m_accuracyFrame, *m_accuracyBar, *m_speedFrame, *m_speedBar;
    QLabel *m_accuracyText, *m_speedText;
    double m_frameWidth;
    double m_unitsPerPixel;
};

class CuePlayer;
// A keyboard drill's own cue: confirm when ok and `pressFlag`, error when not
// ok and `errorFlag`.
void PlayDrillCue(CuePlayer &player, bool ok, bool pressFlag, bool errorFlag);
