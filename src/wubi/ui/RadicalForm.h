#pragma once
// The radical drill frmZGEx: a board of up to 80 radical pictures; the
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

class RadicalForm : public QWidget {
    Q_OBJECT
public:
    RadicalForm(AppContext &ctx, wubi::RadicalDrillSettings &settings, QWidget *parent = nullptr);
    ~RadicalForm() override;

    // picZGEx(1) .. picZGEx(80) are cells 0 .. 79.
    std::array<QLabel *, wubi::kBoardCells> picZGEx{};
    QLabel *lblTime = nullptr;
    QLabel *lblCount = nullptr;
    PictureButton *picB = nullptr;
    QTimer *zgTime = nullptr;

    // Event handlers, public so the drill can be driven directly.
    void Form_Activate();
    void Form_Deactivate();
    void Form_KeyDown(int keyCode, Qt::KeyboardModifiers modifiers);
    void zgTime_Timer();
    void picB_Click();

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
