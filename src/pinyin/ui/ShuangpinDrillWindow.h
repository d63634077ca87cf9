#pragma once
// The 双拼 key drill: a syllable at a time, typed as its two keys in the
// chosen scheme over the scheme's chart. A slip lights the right keys on
// the chart and the syllable stays. Thirty syllables make a timed run: its
// figures show live and at its end, and every syllable goes into the
// progress statistics under a kind of its own.
#include "pinyin/ShuangpinDrill.h"
#include "practice/TypingRun.h"

#include <QTimer>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class ShuangpinKeyboard;
struct AppContext;

class ShuangpinDrillWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRunSyllables = 30;

    explicit ShuangpinDrillWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~ShuangpinDrillWindow() override;

    QComboBox *schemeBox = nullptr;
    QLabel *syllableLabel = nullptr;
    QLabel *typedLabel = nullptr;
    QLabel *figuresLabel = nullptr;
    ShuangpinKeyboard *keyboard = nullptr;

    const ShuangpinDrill &drill() const { return *m_drill; }
    const TypingRun &run() const { return m_run; }
    // Starts over in the scheme of the box; a run going on is dropped.
    void chooseScheme();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void judge(QChar key);
    void countSyllable(bool right);
    void endRun();
    void showSyllable();
    void showFigures();

    AppContext &m_ctx;
    std::unique_ptr<ShuangpinDrill> m_drill;
    TypingRun m_run;
    int m_right = 0;
    int m_wrong = 0;
    QTimer m_tick;
};
