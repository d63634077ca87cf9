#pragma once
// Where the exercises report what every keystroke taught: each judged
// character or key, by exercise kind. The progress subsystem provides it and
// keeps the statistics; a window never sees how they are stored.
#include "keyboard/KeyboardPicture.h"
#include "practice/TypingJudge.h"
#include "progress/ProgressData.h"

#include <QSet>
#include <QString>
#include <QVector>


class ProgressLog {
public:
    virtual ~ProgressLog() = default;
    // One judged character (or key name) that should have been `expected`.
    virtual void recordKeystroke(const QString &kind, const QString &expected, bool right) = 0;
    // A run is starting: whatever recording needs is opened now, so the
    // first keystroke does not wait for it.
    virtual void prepareRun() {}
    // The keys the built-in composer took for the commit being delivered now
    // (0 once it is through); its first judged character carries them.
    virtual void setComposerKeys(int keys) = 0;
    // The exercise ended or closed: its run is summed up and written.
    virtual void endRun() = 0;
    // A run ended with a report of its own (text practice): the report's
    // figures go into the statistics, under the learner current now (the
    // name the result was saved under, when it was).
    virtual void endReportedRun(const RunSummary &reported) = 0;
    // The pinyin confusions of the run that is ending; written with its end
    // (endRun, endReportedRun), under the learner current then.
    virtual void recordPinyinMistakes(const QVector<ConfusionStat> &seen) = 0;
    // Every run summary of every learner, oldest first.
    virtual QVector<RunSummary> runSummaries() = 0;
    // `word` was typed with a longer code than its shortest (the composer's
    // note): it goes into the review notebook.
    virtual void noteLongerCode(const QString &word) { Q_UNUSED(word); }
    // The characters the current learner types right: tried often enough
    // and rarely missed. Texts are graded by the share outside them.
    virtual QSet<QString> knownCharacters() { return {}; }
};

// The typing judge's verdicts of one change, into the log (when there is one).
// A character typed past the end of the reference was expected as nothing
// and teaches nothing about a character.
inline void RecordVerdicts(ProgressLog *log, const QString &kind, const QVector<CharacterVerdict> &verdicts)
{
    if (!log)
        return;
    for (const CharacterVerdict &v : verdicts)
        if (!v.expected.isEmpty())
            log->recordKeystroke(kind, v.expected, v.right);
}

// A key drill's verdict on the key `target` (its legend); keys off the
// picture or ignored teach nothing.
inline void RecordKeyVerdict(ProgressLog *log, const QString &kind, const QString &target, KeyVerdict verdict)
{
    if (log && !target.isEmpty() && (verdict == KeyVerdict::Right || verdict == KeyVerdict::Wrong))
        log->recordKeystroke(kind, target, verdict == KeyVerdict::Right);
}
