#pragma once
// The race window Game: the learner (the hare) types race lines while a
// tortoise runs at a set pace. The settings dialog gtGameSet starts a race;
// a countdown, then three timers drive the animation, the tortoise and the
// race clock. Ctrl+S stops, Ctrl+P pauses, Ctrl+R resumes.
#include "game/Race.h"
#include "shell/Shell.h"

#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTimer;
struct AppContext;

class Game : public QWidget, public ExercisePanel {
    Q_OBJECT
public:
    explicit Game(AppContext &ctx, QWidget *parent = nullptr);
    ~Game() override;

    // Event handlers, public so tests can drive them.
    void ComSet_Click();
    void TimeS_Timer();
    void MeTime_Timer();
    void Timer1_Timer();
    // Ctrl+S, Ctrl+P, Ctrl+R; true when the key was one of them.
    bool rtbIn_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void rtbIn_GotFocus();
    void rtbIn_LostFocus();

    // Starts the countdown of a race set up by the settings dialog.
    void startRace(const RaceSetup &setup);
    // Every character the learner types or commits goes through here, to
    // the shared typing judge: the right ones are returned for the input box,
    // a wrong one sounds the error cue and is refused with everything after
    // it; what goes past the end of the line is judged on the next line.
    QString judgeTyped(const QString &typed);

    const race::Race *race() const { return m_race.get(); }
    QString raceLine() const { return m_line; }
    QTextEdit *rtbOut() const { return m_rtbOut; }
    QLineEdit *rtbIn() const { return m_rtbIn; }
    QLabel *imgt() const { return m_imgt; }
    QLabel *imgG() const { return m_imgG; }
    QLabel *lblT() const { return m_lblT; }
    QLabel *lblG() const { return m_lblG; }
    QLabel *lblC() const { return m_lblC; }
    QLabel *lblTimeCount() const { return m_lblTimeCount; }
    QPushButton *ComSet() const { return m_comSet; }
    QTimer *TimeS() const { return m_timeS; }
    QTimer *MeTime() const { return m_meTime; }
    QTimer *Timer1() const { return m_timer1; }
    // Which frame each picture shows: "gt1".."gt8", "gg1", "gg2", empty for none.
    QString hareFrameName() const { return m_hareFrame; }
    QString tortoiseFrameName() const { return m_tortoiseFrame; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    void buildTimers();
    void rtbIn_Change();
    void showLine(const QString &line);
    void selectTarget(int position);
    void showHareFrame(int number);
    void showTortoiseFrame(int number);
    void showFrame(QLabel *picture, const QPixmap &frame, const QString &name, QString &shownName);
    void placeRunners();
    void lockInput(bool locked);
    void endRace(const QString &message);
    void stopTimers();
    void startTimers();
    void showRaceKeys();
    void status(const QString &text);
    bool filterKey(QKeyEvent *key);

    AppContext &m_ctx;
    std::unique_ptr<race::Race> m_race;
    QString m_pool;
    QString m_line;
    TypingJudge m_judge = race::MakeJudge();
    QString m_overflow; // committed past the end of the line, for the next one
    std::array<QPixmap, race::kHareFrames> m_hareFrames;
    std::array<QPixmap, 2> m_tortoiseFrames;
    QPixmap m_background;
    QString m_hareFrame;
    QString m_tortoiseFrame;

    QTextEdit *m_rtbOut = nullptr;
    QLineEdit *m_rtbIn = nullptr;
    QLabel *m_imgt = nullptr;
    QLabel *m_imgG = nullptr;
    QLabel *m_lblT = nullptr;
    QLabel *m_lblG = nullptr;
    QLabel *m_lblC = nullptr;
    QLabel *m_lblTimeCount = nullptr;
    QPushButton *m_comSet = nullptr;
    QTimer *m_timeS = nullptr;
    QTimer *m_meTime = nullptr;
    QTimer *m_timer1 = nullptr;
};
