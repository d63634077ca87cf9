#pragma once
// KeyDrillWindow: the key-position drill on the main keyboard block, and in the
// same window the fingering drill. F5 switches to fingering, F6 back; F3 and
// F4 limit the targets to the typing area or open the whole picture. Keys
// are judged by the physical key, with input methods off for this window.
// Given a target pool, the key-position drill is the weak-key drill: its
// targets come from that pool, whatever F3 and F4 choose.
#include "keyboard/FingeringDrill.h"
#include "keyboard/KeyboardPicture.h"
#include "keyboard/TargetDrill.h"
#include "keyboard/ui/PhysicalKeyWindow.h"
#include "shell/Shell.h"

#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class KeyboardView;
class StatisticsPanel;
struct AppContext;

class KeyDrillWindow : public PhysicalKeyWindow, public ExercisePanel {
    Q_OBJECT
public:
    explicit KeyDrillWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~KeyDrillWindow() override;

    // The two drills, also reached from the main window's commands.
    void switchToFingeringDrill();  // F5
    void restartKeyPositionDrill(); // F6
    // Targets drawn from `pool` from now on, with a new target at once; an
    // empty pool brings back the ordinary drill (from the next target on).
    void setTargetPool(std::vector<int> pool);
    bool weakKeyDrill() const { return !m_targetPool.empty(); }

    // Event handlers (virtual-key codes), public so they can be driven directly.
    void keyDown(int code) override;
    void keyUp(int code) override;
    void inputKeyDown(int code);
    void inputKeyUp(int code);
    void chooseLeftFinger(int index);
    void chooseRightFinger(int index);

    const KeyboardPicture &picture() const { return m_picture; }
    const TargetDrill &drill() const { return m_drill; }
    const FingeringDrill &fingering() const { return m_fingering; }
    bool typingAreaOnly() const { return m_typingAreaOnly; }
    bool fingeringMode() const { return m_fingeringMode; }
    QLabel *weakKeysCaption() const { return m_weakCaption; }
    QLineEdit *input() const { return m_input; }
    KeyStrokes &lineKeyStrokes() { return m_lineStrokes; }
    KeyboardView *view() const { return m_view; }
    QRadioButton *leftFingerButton(int i) const { return m_left[size_t(i)]; }
    QRadioButton *rightFingerButton(int i) const { return m_right[size_t(i)]; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QGroupBox *fingerFrame(const QString &name, const QString &caption, int left,
                           std::array<QRadioButton *, 5> &buttons, bool leftHand);
    void activated();
    void deactivated();
    void inputFocusGained();
    void inputFocusLost();
    void setFingeringControls(bool fingering);
    void showDrillLine();
    void selectCharacterToType();
    void fitLineFont();
    void poolMessage();
    void judge(int code);
    void cue(bool ok);
    void repaintKeys();

    AppContext &m_ctx;
    KeyboardPicture m_picture;
    TargetDrill m_drill;
    FingeringDrill m_fingering;
    bool m_typingAreaOnly = true;
    bool m_fingeringMode = false;
    std::vector<int> m_targetPool; // the weak-key drill's; empty in the ordinary drill

    KeyboardView *m_view = nullptr;
    std::unique_ptr<StatisticsPanel> m_panel;
    QLineEdit *m_input = nullptr;
    KeyStrokes m_lineStrokes; // the keys struck in the drill line
    QLabel *m_weakCaption = nullptr;
    QGroupBox *m_leftHand = nullptr;
    QGroupBox *m_rightHand = nullptr;
    std::array<QRadioButton *, 5> m_left{};
    std::array<QRadioButton *, 5> m_right{};
};
