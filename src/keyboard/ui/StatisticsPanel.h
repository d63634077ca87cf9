#pragma once
// The statistics panel of the keyboard drills: the hit-rate bar in its frame
// (`picto`, `picCu`) with `lblJZ`, the speed bar in its frame (`picTC`,
// `picCD`) with `lblCD`, and the two captions, the bars scaled as the
// window's BarScale says.
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

    // Lays the panel out on `parent` from `topLeft`; the frames are
    // `scale.accuracyFrame` wide.
    StatisticsPanel(QWidget *parent, QPoint topLeft, const Captions &captions, const BarScale &scale);

    void show(const StatisticsDisplay &display);
    void reset() { show(DisplayOf(DrillStatistics(), m_scale)); }
    void setVisible(bool visible);
    const BarScale &scale() const { return m_scale; }

private:

    QWidget *m_parts[9] = {};
    QFrame *m_accuracyFrame, *m_accuracyBar, *m_speedFrame, *m_speedBar;
    QLabel *m_accuracyText, *m_speedText, *m_keysPerSecondText;
    BarScale m_scale;
};

class CuePlayer;
// A keyboard drill's own cue: confirm when ok and `pressFlag`, error when not
// ok and `errorFlag`.
void PlayDrillCue(CuePlayer &player, bool ok, bool pressFlag, bool errorFlag);
