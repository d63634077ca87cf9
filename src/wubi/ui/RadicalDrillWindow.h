#pragma once
// The radical drill RadicalDrillWindow: a board of up to 80 radical pictures; the
// learner presses the key of each in turn. A right key colours the cell blue,
// a wrong one sounds and tints the cell red until the right key comes;
// Alt / Ctrl+Alt with a letter shows that key's Wubi 86 / 98 radical card.
// The run ends at its count or time limit with a summary. Keys are taken by
// physical key, with the input method off.
#include "wubi/RadicalDrill.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <array>

class QLabel;
class QTimer;
class PictureButton;
struct AppContext;

class RadicalDrillWindow : public QWidget {
    Q_OBJECT
public:
    RadicalDrillWindow(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent = nullptr);
    ~RadicalDrillWindow() override;

    // cells(1) .. cells(80) are cells 0 .. 79.
    std::array<QLabel *, wubi::kBoardCells> cells{};
    QLabel *timeLabel = nullptr;
    QLabel *countLabel = nullptr;
    PictureButton *settingsButton = nullptr;
    QTimer *clockTimer = nullptr;

    // Event handlers, public so the drill can be driven directly.
    void activated();
    void deactivated();
    void keyDown(int keyCode, Qt::KeyboardModifiers modifiers);
    void tickClock();
    void openSettings();

    const wubi::RadicalDrill &drill() const { return m_drill; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void startDrill();
    void showBoard();
    void colourCell(int k, const QColor &colour);
    void recordAnswer(int keyCode, bool right);
    void endRun(int total);
    QPixmap radicalPicture(const QString &name);
    int now() const;

    AppContext &m_ctx;
    wubi::RadicalDrillSettings &m_settings;
    wubi::RadicalDrill m_drill;
    QPixmap m_background;
    QHash<QString, QPixmap> m_pictures; // decoded once per name
    bool m_active = true;
};
