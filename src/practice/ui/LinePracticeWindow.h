#pragma once
// The line-by-line comparison window LinePracticeWindow: four reference lines reference(i)
// above four input lines input(i). Every change of the active input line is
// judged at once, character by character, by the line's TypingJudge; a phrase
// that runs past the end of a line goes on in the next one.
#include "practice/TypingJudge.h"
#include "practice/ui/PracticeWindow.h"
#include "shell/ui/TypingLine.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class ReferenceLine;
struct AppContext;

class LinePracticeWindow : public QWidget, public PracticeWindow {
    Q_OBJECT
public:
    static constexpr int kLines = 4;

    LinePracticeWindow(AppContext &ctx, QWidget *parent = nullptr);
    ~LinePracticeWindow() override;

    ReferenceLine *reference(int index) const { return m_out.at(index); }
    TypingLine *input(int index) const { return m_in.at(index); }

    // Event handlers, public so the run can be driven directly.
    void judgeInput(int index);
    // Returns true when the key is consumed (Backspace at the start of a line).
    // Backspace in line `index`: true when it took the caret to the line above.
    bool backspaceToLineAbove(int index);
    // Hint and radical-card keys; returns true when the key is consumed.
    bool handleInputKey(int index, int keyCode, Qt::KeyboardModifiers modifiers);
    void inputFocusGained(int index);
    void inputFocusLost(int index);
    void referenceSelectionChanged(int index);

    void fillReferencePage();
    void clearReferencePage();

    // PracticeWindow
    void placeMaterial() override { fillReferencePage(); }
    void beginRun() override;
    void lockInput() override;
    void resumeInput() override;
    void clearContents() override { clearReferencePage(); }

    // The reference character the next typed one is judged against.
    QString expectedChar() const;

    // Toned pinyin over the reference lines, as chosen or as the drill needs.
    void showReadings();
    QCheckBox *pinyinBox() const { return m_pinyinBox; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int indexOfInput(QObject *watched) const;
    void setInputText(int index, const QString &text);
    void showSelectionOnly(int index);
    void activateLine(int index);
    // Judges the change of line `index` from `before` to `after`; returns
    // what runs past the end of the line when it is finished.
    TypingOutcome judgeLine(int index, const QString &before, const QString &after);
    // What input lines 0 to `lastLine` hold, one after another.
    QString pageInput(int lastLine) const;
    void updateTypedText(int index);
    void playPendingCue();
    bool finishLine(int index);
    bool finishPage();
    bool restOfPageEmpty(int fromLine) const;
    void prepareNextDrillPage();
    void appendInputs(int lastLine);
    void endRun(bool pageFinished);
    // The readings in context of reference line `index`, worked out once per text.
    const QStringList &lineReadings(int index);

    AppContext &m_ctx;
    std::array<ReferenceLine *, kLines> m_out{};
    std::array<TypingLine *, kLines> m_in{};
    std::array<TypingJudge, kLines> m_judges;
    std::array<QString, kLines> m_lastInput{}; // each input line as last judged
    QLabel *m_picture = nullptr;
    QCheckBox *m_pinyinBox = nullptr;
    std::array<QStringList, kLines> m_readings{};
    std::array<bool, kLines> m_readingsKnown{};

    JudgeCue m_pendingCue = JudgeCue::None; // one cue for a change, however many lines it fills
    bool m_placingText = false; // the program, not the learner, is changing the input lines
};

// On the open line-by-line window: cut the next page from state.pendingText /
// empty the four lines.
void FillReferencePage(AppContext &ctx);
void ClearReferencePage(AppContext &ctx);
