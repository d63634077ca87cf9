#pragma once
// The built-in composers (Wubi and pinyin) in the typing boxes of the Chinese
// exercises.
//
// ComposerMode is the one switch (off, Wubi 86 or 98, full pinyin or a 双拼
// scheme), kept in the settings store as [Wubi] Composer = "0", "86" or "98"
// and [Pinyin] Composer = "0", "full", "xiaohe", ...: one of them on switches
// the other off. It owns the composers all boxes share (only the focused box
// types), the pinyin engine, loaded in the background once pinyin is first
// switched on, the candidate window and the note on shorter codes, and it
// tells what the boxes see of the typing (keys, commits, corrections) to
// whoever keeps a run's figures.
//
// AttachComposer gives a box to the composer. While the mode is on (and the
// box's exercise is a Chinese one), the box's system input method is off, its
// key presses go to the composer, the code shows as pre-edit in the box and
// a pick reaches the box as an input-method commit: the box's window judges
// it exactly like one.
#include "pinyin/PinyinComposer.h"
#include "pinyin/PinyinEngine.h"
#include "wubi/IdealCodeLength.h"
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

    // The Wubi edition: 0 (off, also while pinyin is on), 86 or 98.
    int edition() const { return m_edition; }
    // The pinyin scheme; none while pinyin is off.
    std::optional<PinyinScheme> pinyinScheme() const { return m_pinyin; }
    bool isOn() const { return m_edition != 0 || m_pinyin; }
    // "wubi86", "wubi98", "full", "xiaohe", ...; empty while off.
    QString methodKey() const;
    // Store the choice and switch (on switches the other composer off); an
    // input in progress is dropped.
    void setEdition(int edition);
    void setPinyinScheme(std::optional<PinyinScheme> scheme);
    void readSetting();

    // "五笔86", "全拼", "小鹤双拼", ... with the latest note; empty while off.
    // Says so when pinyin is on but its data cannot be loaded.
    QString statusText() const;
    const QString &note() const { return m_note; }

    // The fewest keys the Wubi edition's table allows for `text` (理想码长);
    // -1 while Wubi is off or before the tables are read.
    qint64 idealKeys(QStringView text);

    // The composer switched on (one that passes every key through while off).
    // The Wubi code index is built from the tables of the moment on first
    // use: the tables are read after start-up, in the background. Pinyin
    // waits for the engine's load when it has not finished.
    Composer &composer();
    // Input in progress, without waiting for anything.
    bool composing() const;
    // The pinyin engine, not loaded until pinyin is switched on or a caller
    // loads it: for code that needs its dictionary or language model.
    PinyinEngine &pinyinEngine() { return m_engine; }
    CandidateWindow *candidateWindow();

    // Used by the boxes.
    void countKeys(int keys);
    // Around the delivery of a commit: the progress log learns the keys
    // taken since the previous commit, for the run that judges it.
    void beginCommit();
    void endCommit();
    void setNote(const QString &note);
    // `word` was typed with more keys than its shortest code: the progress
    // log puts it into the review notebook.
    void noteLongerCode(const QString &word);

signals:
    void changed();       // method or note
    void methodChanged(); // also when switched off

    // What a box saw: a key the composer was given, a commit (`word` the
    // candidate in it, `candidate` its place, -1 for none), a code in
    // progress corrected (Backspace, Escape), and committed text erased by
    // Backspace or Delete (`erased` characters) whether the composer is on
    // or not.
    void keyCounted();
    void committed(const QString &text, const QString &word, int candidate);
    void codeCorrected();
    void textCorrected(int erased);

private:
    void switchTo(int edition, std::optional<PinyinScheme> scheme);
    PinyinComposer &pinyinComposer();

    AppContext &m_ctx;
    int m_edition = 0;
    std::optional<PinyinScheme> m_pinyin;
    WubiComposer m_composer;
    PinyinEngine m_engine;
    PinyinComposer m_pinyinComposer;
    bool m_pinyinSet = false; // the pinyin composer has the engine and the scheme
    std::unique_ptr<WubiCodeIndex> m_indexes[2]; // 86, 98; built when first used
    std::unique_ptr<IdealCodeLength> m_ideal[2];  // likewise
    IdealCodeLength::Memo m_idealMemo[2];         // the text typed so far, worked out
    bool m_indexSet = false; // the composer has the edition's index
    QPointer<CandidateWindow> m_candidates;
    QString m_note;
    int m_keysSinceCommit = 0;
};

// Gives `box` (a QLineEdit, QPlainTextEdit or QTextEdit) to the composer of
// ctx.composer; nothing when there is none. `chinese` tells, at each key,
// whether the box's exercise is a Chinese one (always, when not given).
void AttachComposer(AppContext &ctx, QWidget *box, std::function<bool()> chinese = {});

// The Wubi composer's settings value for an edition and back: "0", "86", "98".
int ComposerEditionFromSetting(const QString &text);
