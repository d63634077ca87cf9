#pragma once
// KeypadDrillWindow: the numeric keypad drill. One keypad key is the target; a hit
// moves it to a random key of the chosen range, misses stay marked until
// the next hit. The picture button "重新开始" restarts the figures.
#include "keyboard/KeyboardPicture.h"
#include "keyboard/TargetDrill.h"
#include "keyboard/ui/PhysicalKeyWindow.h"
#include "shell/Shell.h"

#include <array>
#include <memory>

class QRadioButton;
class KeyboardView;
class PictureButton;
class StatisticsPanel;
struct AppContext;

class KeypadDrillWindow : public PhysicalKeyWindow, public ExercisePanel {
    Q_OBJECT
public:
    explicit KeypadDrillWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~KeypadDrillWindow() override;

    void keyDown(int code) override;
    void keyUp(int code) override;
    void restartDrill(); // the restart

    const KeyboardPicture &picture() const { return m_picture; }
    const TargetDrill &drill() const { return m_drill; }
    QRadioButton *rangeButton(int i) const { return m_options[size_t(i)]; }
    PictureButton *restartButton() const { return m_button; }
    KeyboardView *view() const { return m_view; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    int rangeOption() const;
    void cue(bool ok);

    AppContext &m_ctx;
    KeyboardPicture m_picture;
    TargetDrill m_drill;
    KeyboardView *m_view = nullptr;
    std::unique_ptr<StatisticsPanel> m_panel;
    std::array<QRadioButton *, 5> m_options{};
    PictureButton *m_button = nullptr;
    bool m_numLockMessageDue = false;
};
