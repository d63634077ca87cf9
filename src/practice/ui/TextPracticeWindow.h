#pragma once
// The whole-text comparison window TextPracticeWindow: the whole reference text in
// reference with a one-character selection marking the character to type next,
// and one multi-line input box input. What the learner commits is judged
// character by character against the reference by a TypingJudge.
#include "practice/TypingJudge.h"
#include "practice/ui/PracticeWindow.h"

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class ReferenceLine;
struct AppContext;
class TypingRun;

class TextPracticeWindow : public QWidget, public PracticeWindow {
    Q_OBJECT
public:
    explicit TextPracticeWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~TextPracticeWindow() override;

    QPlainTextEdit *reference() const { return m_referenceBox; }
    QPlainTextEdit *input() const { return m_input; }

    // Event handlers, public so a run can be driven directly.
    void noteKeyPressed();
    void judgeInput();
    void inputFocusGained();
    void inputFocusLost();
    void referenceSelectionChanged();

    // PracticeWindow
    void placeMaterial() override;
    void beginRun() override;
    void lockInput() override;
    void resumeInput() override;
    void clearContents() override;
    void applyFontSizes() override;

    // The reference character the next typed one is judged against.
    QString expectedChar() const;

    // The line of the reference being typed, with toned pinyin over each
    // character; shown while pinyin is chosen or the run is a pinyin drill.
    ReferenceLine *pinyinLine() const { return m_pinyinLine; }
    QCheckBox *pinyinBox() const { return m_pinyinBox; }
    void showReadings();
    QString selectedReference() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Selects the reference character at character index `position`.
    void selectReference(int position);
    void setInputText(const QString &text);
    void endOfText(TypingRun &run, const QString &typed);
    int referenceLength() const;
    int referenceShownLength() const;
    // Puts the stretch of the reference around `position` into reference.
    void showReferenceAround(int position);
    // The line holding the character to type into the pinyin line.
    void updatePinyinLine();
    // The characters of the text as the judge has them (empty past the end).
    QString referenceChar(int position) const { return m_judge.charAt(position); }

    AppContext &m_ctx;
    QPlainTextEdit *m_referenceBox = nullptr;
    QPlainTextEdit *m_input = nullptr;
    ReferenceLine *m_pinyinLine = nullptr;
    QCheckBox *m_pinyinBox = nullptr;
    int m_position = 0; // the character to type next
    bool m_pinyinShown = false;

    TypingJudge m_judge{JudgeRules{EndRule::TextEnd, false}};
    QString m_lastInput; // the input as last seen, without composition
    QString m_reference;  // the whole reference text, shared with the judge
    int m_sliceStart = 0; // where the stretch shown in reference starts in it, in units
    bool m_sliceValid = false;
    bool m_keyPressed = false;
    bool m_selecting = false;   // the program is moving the reference selection
    bool m_placingText = false; // the program, not the learner, is changing the input
};
