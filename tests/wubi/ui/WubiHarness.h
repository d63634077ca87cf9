#pragma once
// The program's pieces as a Wubi drill sees them: fresh state with both code
// tables, a shell with the line practice and the Wubi commands registered,
// and an answerer for the modal windows the commands open.
#include "app/ui/Fonts.h"
#include "practice/ui/Register.h"
#include "records/ui/Register.h"
#include "wubi/ui/Register.h"
#include "practice/ui/LinePracticeWindow.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/StartDialog.h"
#include "support/TestContext.h"
#include "wubi/ui/WubiHints.h"

#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>

// Calls `handle` for every modal window that shows; what it leaves open is
// rejected, as with Escape.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(5);
    }
    std::function<void(QWidget *)> handle;
    QStringList seen; // object names, in the order the windows showed

private:
    void tick()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w == m_last)
            return;
        m_last = w;
        seen << w->objectName();
        if (handle)
            handle(w);
        if (auto *d = qobject_cast<QDialog *>(w)) {
            if (d->isVisible())
                d->reject();
            if (d->isVisible()) // a window that ignores Escape
                d->done(QDialog::Rejected);
        }
        m_last = nullptr;
    }
    QTimer m_timer;
    QWidget *m_last = nullptr;
};

// The commands run the real close-others step, as in the program.
struct WubiHarness : TestContext {
    WubiHarness() : TestContext(5)
    {
        InstallChineseFonts();
        if (!LoadCodeTables(TestEnv::dataRoot(), true, true, state.tables).isEmpty())
            qFatal("code tables missing under %s", qPrintable(TestEnv::dataRoot()));
        RegisterLinePractice(ctx, shell);
        RegisterRecords(ctx, shell); // the result window
        RegisterWubi(ctx, shell);
        shell.mainWindow()->show();
    }
    // The hints go before the context they point back to.
    ~WubiHarness() { delete dynamic_cast<WubiHints *>(ctx.wubiHelp); }

    LinePracticeWindow *line() const { return qobject_cast<LinePracticeWindow *>(shell.window(ManagedWindow::LinePracticeWindow)); }

    // A generated Chinese drill page from `text`, started with Enter.
    LinePracticeWindow *startDrillPage(const QString &text)
    {
        shell.openLinePractice();
        stopStatusTimers();
        state.chineseText = true;
        state.generatedDrill = true;
        state.pendingText = text;
        line()->fillReferencePage();
        StartDialog dialog(ctx);
        dialog.startOnEnter(Qt::Key_Return);
        return line();
    }

    // The status window's clock is driven by the tests, not by real time.
    void stopStatusTimers()
    {
        if (QWidget *status = shell.window(ManagedWindow::RunPanel))
            for (QTimer *timer : status->findChildren<QTimer *>())
                timer->stop();
    }

    static void commit(QWidget *target, const QString &text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(target, &event);
    }
};
