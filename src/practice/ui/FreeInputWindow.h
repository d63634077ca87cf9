#pragma once
// The free-input window FreeInputWindow: one large input box and no reference. The
// learner copies from any outside material; only speed, counts and time are
// measured, and every change that adds characters plays the press cue.
#include "practice/ui/PracticeWindow.h"

#include <QWidget>

class QPlainTextEdit;
struct AppContext;

class FreeInputWindow : public QWidget, public PracticeWindow {
    Q_OBJECT
public:
    explicit FreeInputWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~FreeInputWindow() override;

    QPlainTextEdit *input() const { return m_input; }

    // Event handlers, public so a run can be driven directly.
    void judgeInput();
    void inputFocusGained();
    void inputFocusLost();

    // PracticeWindow
    void clearInput() override;
    void beginRun() override;
    void lockInput() override;
    void resumeInput() override;
    void clearContents() override { clearInput(); }
    void applyFontSizes() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppContext &m_ctx;
    QPlainTextEdit *m_input = nullptr;
    QString m_lastInput; // the input as last seen, without composition
    bool m_placingText = false; // the program, not the learner, is changing the input
};
