#pragma once
// A line-by-line practice as the program sets it up: fresh state, a fake
// shell with the line practice registered and opened, a manual clock, a
// recording cue player, and a watcher that answers modal dialogs.
#include "practice/ui/Register.h"
#include "records/ui/Register.h"
#include "practice/ui/LinePracticeWindow.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/StartDialog.h"
#include "practice/ui/RunPanel.h"
#include "support/ModalScript.h"
#include "support/TestContext.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <functional>

// Answers every modal window that opens: `handle` may deal with it (return
// true); otherwise it is closed as with Escape.
class ModalWatcher : public QObject {
public:
    ModalWatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(5);
    }
    std::function<bool(QWidget *)> handle;
    QStringList titles;   // window titles, in the order the windows opened
    QStringList messages; // texts of message boxes
    std::vector<PracticeReport> reports; // what the result windows showed

private:
    void tick()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (!m_seen.contains(w)) {
            m_seen.insert(w);
            // Message boxes live on the stack: the next one may reuse the address.
            connect(w, &QObject::destroyed, this, [this, w] { m_seen.remove(w); });
            titles << w->windowTitle();
            if (auto *box = qobject_cast<QMessageBox *>(w))
                messages << box->text();
            if (IsResultWindow(w))
                reports.push_back(ShownReport(w));
        }
        if (handle && handle(w))
            return;
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
        else
            w->close();
    }
    QTimer m_timer;
    QSet<QWidget *> m_seen;
};

// The commands run the real close-others step, as in the program.
struct PracticeHarness : TestContext {
    LinePracticeWindow *line = nullptr;
    RunPanel *status = nullptr;

    explicit PracticeHarness(bool chinese = true) : TestContext(7)
    {
        clock.set(QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0)));
        RegisterLinePractice(ctx, shell);
        RegisterRecords(ctx, shell); // the result window
        shell.runCommand(chinese ? QStringLiteral("chinese.line") : QStringLiteral("english.line"));
        line = qobject_cast<LinePracticeWindow *>(shell.window(ManagedWindow::LinePracticeWindow));
        status = qobject_cast<RunPanel *>(shell.window(ManagedWindow::RunPanel));
        shell.mainWindow()->show();
        stopTimers();
    }

    // The tests tick the timers themselves, with the manual clock.
    void stopTimers()
    {
        for (QTimer *timer : status->findChildren<QTimer *>())
            timer->stop();
    }

    // The page comes from `text` (lines ended by CR LF), then Enter in the start dialog.
    void startRun(const QString &text)
    {
        state.pendingText = text;
        line->fillReferencePage();
        StartDialog dialog(ctx);
        dialog.startOnEnter(Qt::Key_Return);
        stopTimers(); // the run started them
    }

    // What an input method hands over when the learner picks a candidate.
    void commit(int index, const QString &text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(line->input(index), &event);
    }
    // One commit per character.
    void commitEach(int index, const QString &text)
    {
        for (char32_t c : text.toUcs4())
            commit(index, QString::fromUcs4(&c, 1));
    }
    void backspace(int index)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(line->input(index), &press);
    }
    // Running-clock seconds with the wall clock moving along.
    void runSeconds(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advanceSeconds(1);
            status->tickClock();
        }
        status->tickFigures();
    }
    int unlockedInputs() const
    {
        int n = 0;
        for (int i = 0; i < LinePracticeWindow::kLines; ++i)
            n += line->input(i)->isReadOnly() ? 0 : 1;
        return n;
    }
};
