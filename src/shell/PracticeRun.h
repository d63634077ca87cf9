#pragma once
// The text-practice run as the shell and the drill commands of other
// subsystems drive it. The line-by-line practice provides it.
#include <QString>

class TypingRun;

class PracticeRun {
public:
    virtual ~PracticeRun() = default;
    // accuracyLabel, timeLabel, typedCountLabel and speedLabel of RunPanel become empty.
    virtual void clearLiveFigures() = 0;
    // The start-settings dialog RunLimitsDialog, modal; read state.runLimitsCancelled after.
    virtual void showRunLimits() = 0;
    // The first page of state.pendingText into the open line-by-line window.
    virtual void fillReferencePage() = 0;
    // The start dialog StartDialog, modal; Enter starts the run.
    virtual void showStartDialog() = 0;
    // Enter in the start dialog: the run's clock starts now.
    virtual void startRun() = 0;
    // Opens the whole-text practice on `text` (not a file) under `title`
    // and shows the start dialog: a passage handed over by another window.
    virtual void practiseText(const QString &text, const QString &title) = 0;
    // The run of the open status window (started or not); nullptr while no
    // status window is open.
    virtual TypingRun *run() = 0;
    // The hook for a built-in pinyin composer, which sees the keys before
    // anything is committed: in a pinyin drill, the syllable the learner
    // spelt (`typedSyllable`, as typed: "zong", "lv") where the text asked
    // for `expectedSyllable` (toned or not: "zhōng"; the reading in context
    // of the reference character `expectedChar`, when known) is counted with
    // the run's pinyin confusions, in its report and the learner's
    // statistics. A wrong character that is committed is diagnosed anyway,
    // so feed what never reaches the judge: a spelling corrected before
    // the commit. Nothing happens outside a pinyin drill.
    virtual void notePinyinSyllables(const QString &expectedSyllable, const QString &typedSyllable,
                                     const QString &expectedChar) = 0;
};
