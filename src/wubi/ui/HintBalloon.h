#pragma once
// The hint balloon frmShowHint: how the highlighted character, and the
// longest phrase starting with it, are typed in Wubi 86 or 98. Always on top,
// never takes the focus; a double click anywhere closes it, dragging anywhere
// moves it.
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

    // Fills the balloon, sizes it and shows it at `topLeft` (screen pixels)
    // without taking the focus.
    void showHint(bool is86, const QString &character, const QString &characterCode,
                  const QString &phrase, const QString &phraseCode, const QPoint &topLeft);

    QLabel *CText = nullptr;
    QLabel *SingleText = nullptr;
    QLabel *SingleHint = nullptr;
    QLabel *MoreText = nullptr;
    QLabel *MoreHint = nullptr;
    std::array<QLabel *, 4> imgDZ{};
    std::array<QLabel *, 4> imgZG{};

    // Double click on the balloon or any of its controls.
    void Form_DblClick() { close(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool handleMouse(QEvent *event);
    void layoutRows();

    PracticeState &m_state;
    QPoint m_grabOffset;
};
