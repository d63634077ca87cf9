#pragma once
// The hint balloon HintBalloon: how the highlighted character, and the
// longest phrase starting with it, are typed in Wubi 86 or 98. A child of the
// practice window it helps, so it never covers the main window's title or
// menu strip, goes with that window, and needs no placement of its own on
// the desktop (which Wayland does not allow). It never takes the focus; a
// click anywhere on it closes it, dragging it moves it within its window.
#include <QWidget>
#include <array>

class QLabel;
struct PracticeState;

class HintBalloon : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 117;

    explicit HintBalloon(PracticeState &state, QWidget *parent = nullptr);
    ~HintBalloon() override;

    // 275 pixels, plus 8 for every phrase character beyond 6.
    static int widthFor(const QString &phrase);

    // Fills the balloon, sizes it and shows it at `topLeft` (in its parent's
    // pixels, or the screen's without a parent) without taking the focus.
    void showHint(bool is86, const QString &character, const QString &characterCode,
                  const QString &phrase, const QString &phraseCode, const QPoint &topLeft);

    // The character's pinyin, under its code; empty hides it.
    void setPinyin(const QString &pinyin);

    QLabel *titleLabel = nullptr;
    QLabel *pinyinLabel = nullptr;
    QLabel *characterLabel = nullptr;
    QLabel *characterCodeLabel = nullptr;
    QLabel *phraseLabel = nullptr;
    QLabel *phraseCodeLabel = nullptr;
    std::array<QLabel *, 4> keyNameLabels{};
    std::array<QLabel *, 4> radicalLabels{};

    // A click (not a drag) on the balloon or any of its controls.
    void closeOnClick() { close(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool handleMouse(QEvent *event);
    void layoutRows();
    // Moves the balloon's top left to `global`, kept inside its parent.
    void moveToGlobal(const QPoint &global);

    PracticeState &m_state;
    QPoint m_grabOffset; // the pressed point, from the balloon's top left
    QPoint m_pressedAt;  // in screen pixels
    bool m_pressed = false;
    bool m_dragging = false;
};
