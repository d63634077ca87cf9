#pragma once
// The whole-text comparison window frmInT_In: the whole reference text in
// rtbOut with a one-character selection marking the character to type next,
// and one multi-line input box rtbIn. The character at the caret is judged
// against the reference as the learner types.
#include "practice/ui/PracticeWindow.h"

#include <QWidget>

class QPlainTextEdit;
struct AppContext;

class TextForm : public QWidget, public PracticeWindow {
    Q_OBJECT
public:
    explicit TextForm(AppContext &ctx, QWidget *parent = nullptr);
    ~TextForm() override;

    QPlainTextEdit *rtbOut() const { return m_rtbOut; }
    QPlainTextEdit *rtbIn() const { return m_rtbIn; }

    // Event handlers, public so a run can be driven directly.
    void rtbIn_KeyPress(int keyAscii);
    void rtbIn_Change();
    void rtbIn_GotFocus();
    void rtbIn_LostFocus();
    void rtbOut_SelChange();

    // PracticeWindow
    void placeMaterial() override;
    void beginRun() override;
    void lockInput() override;
    void resumeInput() override;
    void clearContents() override;
    void applyFontSizes() override;

    const QString &expectedChar() const { return m_expectedChar; }
    QString selectedReference() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectReference(int position);
    void setInputText(const QString &text);
    int referenceLength() const;
    int referenceShownLength() const;
    // Puts the stretch of the reference around `position` into rtbOut.
    void showReferenceAround(int position);

    AppContext &m_ctx;
    QPlainTextEdit *m_rtbOut = nullptr;
    QPlainTextEdit *m_rtbIn = nullptr;

    QString m_reference;  // the whole reference text
    int m_sliceStart = 0; // where the stretch shown in rtbOut starts in it
    bool m_sliceValid = false;
    int m_caretPos = 0;
    QString m_expectedChar;
    bool m_erasing = false;
    QString m_erasedChar;
    bool m_keyPressed = false;
    bool m_selecting = false;   // the program is moving the reference selection
    bool m_placingText = false; // the program, not the learner, is changing the input
};
