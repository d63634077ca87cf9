#pragma once
// The built-in Wubi composer in the typing boxes of the Chinese exercises.
//
// ComposerMode is the one switch (off, Wubi 86, Wubi 98), kept in the
// settings store as [Wubi] Composer = "0", "86" or "98". It owns the one
// composer all boxes share (only the focused box types), the candidate
// window, the note on shorter codes, and the keys-per-character tally of a
// run.
//
// AttachComposer gives a box to the composer. While the mode is on (and the
// box's exercise is a Chinese one), the box's system input method is off, its
// key presses go to the composer, the code shows as pre-edit in the box and
// a pick reaches the box as an input-method commit: the box's window judges
// it exactly like one.
#include "wubi/WubiComposer.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

struct AppContext;
class CandidateWindow;
class QWidget;

class ComposerMode : public QObject {
    Q_OBJECT
public:
    // Reads the setting; takes the context's composer slot until it goes.
    ComposerMode(AppContext &ctx, QObject *owner);
    ~ComposerMode() override;

    // 0 (off), 86 or 98.
    int edition() const { return m_edition; }
    bool isOn() const { return m_edition != 0; }
    // Stores the choice and switches; a code in progress is dropped.
    void setEdition(int edition);
    void readSetting();

    // "五笔86" or "五笔98" with the latest note; empty while off.
    QString statusText() const;
    const QString &note() const { return m_note; }

    // The tally of the run: keys the composer took and characters it committed.
    void startTally();
    // "2.35"; empty when nothing was committed through the composer.
    QString keysPerCharacterText() const;

    // The composer, its code index built from the tables of the moment on
    // first use: the tables are read after start-up, in the background.
    WubiComposer &composer();
    CandidateWindow *candidateWindow();

    // Used by the boxes.
    void countKeys(int keys, const QString &committed);
    // Around the delivery of a commit: the progress log learns the keys
    // taken since the previous commit, for the run that judges it.
    void beginCommit();
    void endCommit();
    void setNote(const QString &note);
    // `word` was typed with more keys than its shortest code: the progress
    // log puts it into the review notebook.
    void noteLongerCode(const QString &word);

signals:
    void changed();        // edition or note
    void editionChanged(); // also when switched off

private:
    AppContext &m_ctx;
    int m_edition = 0;
    WubiComposer m_composer;
    std::unique_ptr<WubiCodeIndex> m_indexes[2]; // 86, 98; built when first used
    bool m_indexSet = false; // the composer has the edition's index
    QPointer<CandidateWindow> m_candidates;
    QString m_note;
    qint64 m_keys = 0;
    qint64 m_characters = 0;
    int m_keysSinceCommit = 0;
};

// Gives `box` (a QLineEdit, QPlainTextEdit or QTextEdit) to the composer of
// ctx.composer; nothing when there is none. `chinese` tells, at each key,
// whether the box's exercise is a Chinese one (always, when not given).
void AttachComposer(AppContext &ctx, QWidget *box, std::function<bool()> chinese = {});

// The composer's settings value for an edition and back: "0", "86", "98".
int ComposerEditionFromSetting(const QString &text);
