#pragma once
// The radical chart typing drill RadicalChartDrillWindow: a line of 26 random characters over
// the radical chart of the chosen edition; every typed character is judged
// with a cue, a full line brings a new one, F5 / F6 show the highlighted
// character's Wubi 86 / 98 code in the status strip. No timing, no result.
#include "practice/TypingJudge.h"

#include <QPixmap>
#include <QWidget>
#include <array>

class QLineEdit;
class QRadioButton;
class QTextEdit;
struct AppContext;

class RadicalChartDrillWindow : public QWidget {
    Q_OBJECT
public:
    explicit RadicalChartDrillWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~RadicalChartDrillWindow() override;

    QTextEdit *reference = nullptr;
    QLineEdit *input = nullptr;
    std::array<QRadioButton *, 2> editionButtons{};

    // Event handlers, public so the drill can be driven directly.
    // Loads the 86 chart and the first line, once: queued by the constructor.
    void startChart();
    void chooseEdition(int index);
    void handleInputKey(int keyCode);
    void judgeInput();
    void inputFocusGained();
    void inputFocusLost();

    QString line() const { return m_line; }
    // Characters judged since the window opened.
    int judgements() const { return m_judgements; }
    int highlight() const { return m_highlight; }
    // The chart shown (null when its file could not be read as a picture).
    const QPixmap &chart() const { return m_chart; }
    bool chartIs86() const { return m_chart86; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadChart(bool edition86);
    void newLine();
    void moveHighlight(int position);
    // Judges a change of input from `before` to `after` against the line.
    void judgeChange(const QString &before, const QString &after);
    void setInputText(const QString &text);

    AppContext &m_ctx;
    QString m_pool;
    QString m_line;
    int m_highlight = 0;
    TypingJudge m_judge;
    QString m_typed; // input's text as last judged
    int m_judgements = 0;
    bool m_settingInput = false;
    QPixmap m_chart;
    bool m_chart86 = true;
    bool m_started = false;
};
