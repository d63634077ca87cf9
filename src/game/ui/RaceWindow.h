#pragma once
// The race window RaceWindow: the learner (the hare) types race lines while a
// tortoise runs at a set pace. The settings dialog RaceSettingsDialog starts a race;
// a countdown, then three timers drive the animation, the tortoise and the
// race clock. Ctrl+S stops, Ctrl+P pauses, Ctrl+R resumes.
#include "game/Race.h"
#include "shell/Shell.h"
#include "shell/ui/TypingLine.h"

#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;
struct AppContext;

class RaceWindow : public QWidget, public ExercisePanel {
    Q_OBJECT
public:
    explicit RaceWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~RaceWindow() override;

    // Event handlers, public so tests can drive them.
    void openSettings();
    void tickCountdown();
    void moveTortoise();
    void tickClock();
    // Ctrl+S, Ctrl+P, Ctrl+R; true when the key was one of them.
    bool handleInputKey(int key, Qt::KeyboardModifiers modifiers);
    void inputFocusGained();
    void inputFocusLost();

    // Starts the countdown of a race set up by the settings dialog.
    void startRace(const RaceSetup &setup);
    // Every character the learner types or commits goes through here, to
    // the shared typing judge: the right ones are returned for the input box,
    // a wrong one sounds the error cue and is refused with everything after
    // it; what goes past the end of the line is judged on the next line.
    QString judgeTyped(const QString &typed);

    const race::Race *race() const { return m_race.get(); }
    QString raceLine() const { return m_line; }
    QTextEdit *reference() const { return m_referenceBox; }
    TypingLine *input() const { return m_input; }
    QLabel *harePicture() const { return m_harePicture; }
    QLabel *tortoisePicture() const { return m_tortoisePicture; }
    QLabel *hareCountLabel() const { return m_hareCountLabel; }
    QLabel *tortoiseCountLabel() const { return m_tortoiseCountLabel; }
    QLabel *lengthLabel() const { return m_lengthLabel; }
    QLabel *clockLabel() const { return m_clockLabel; }
    QPushButton *settingsButton() const { return m_settingsButton; }
    QTimer *countdownTimer() const { return m_countdownTimer; }
    QTimer *paceTimer() const { return m_paceTimer; }
    QTimer *clockTimer() const { return m_clockTimer; }
    // Which frame each picture shows: "gt1".."gt8", "gg1", "gg2", empty for none.
    QString hareFrameName() const { return m_hareFrame; }
    QString tortoiseFrameName() const { return m_tortoiseFrame; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    void buildTimers();
    void judgeInput();
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

    QTextEdit *m_referenceBox = nullptr;
    TypingLine *m_input = nullptr;
    QLabel *m_harePicture = nullptr;
    QLabel *m_tortoisePicture = nullptr;
    QLabel *m_hareCountLabel = nullptr;
    QLabel *m_tortoiseCountLabel = nullptr;
    QLabel *m_lengthLabel = nullptr;
    QLabel *m_clockLabel = nullptr;
    QPushButton *m_settingsButton = nullptr;
    QTimer *m_countdownTimer = nullptr;
    QTimer *m_paceTimer = nullptr;
    QTimer *m_clockTimer = nullptr;
};
