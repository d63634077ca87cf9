#pragma once
// The program's pieces as a Wubi drill sees them: fresh state with both code
// tables, a shell with the line practice and the Wubi commands registered,
// and an answerer for the modal windows the commands open.
#include "app/AppContext.h"
#include "app/ui/Registration.h"
#include "data/Clock.h"
#include "data/Cues.h"
#include "data/Random.h"
#include "data/Settings.h"
#include "practice/PracticeState.h"
#include "practice/ui/LineForm.h"
#include "practice/ui/ReferenceLine.h"
#include "practice/ui/StartDialog.h"
#include "support/FakeShell.h"
#include "support/TestEnv.h"
#include "wubi/ui/WubiHints.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFont>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>

// Drill kinds as the program's shell selects them.
class DrillShell : public FakeShell {
public:
    explicit DrillShell(PracticeState &state) : m_state(state) {}
    void selectDrillKind(int kind) override
    {
        FakeShell::selectDrillKind(kind);
        m_state.lettersOnlyDrill = kind == 1;
        m_state.randomCharDrill = kind == 2;
        for (int i = 2; i <= 5; ++i)
            m_state.phraseDrillKind[i] = kind == i + 1;
    }

private:
    PracticeState &m_state;
};

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

struct WubiHarness {
    TestEnv env;
    PracticeState state;
    SettingsStore settings{env.path() + QStringLiteral("/config/quorvel.ini")};
    RecordingCuePlayer cues;
    ManualClock clock;
    SeededRandom random{5};
    DrillShell shell{state};
    AppContext ctx{state, settings, cues, clock, random, paths(env), &shell, nullptr};

    WubiHarness()
    {
        QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC"),
                                                          QStringLiteral("Noto Sans CJK SC")});
        if (!LoadCodeTables(TestEnv::dataRoot(), true, true, state.tables).isEmpty())
            qFatal("code tables missing under %s", qPrintable(TestEnv::dataRoot()));
        RegisterLinePractice(ctx, shell);
        RegisterWubi(ctx, shell);
        shell.mainWindow()->show();
    }
    // The hints go before the context they point back to.
    ~WubiHarness() { delete dynamic_cast<WubiHints *>(ctx.wubiHelp); }

    static AppPaths paths(const TestEnv &env)
    {
        AppPaths p;
        p.dataRoot = TestEnv::dataRoot();
        p.configDir = env.path() + QStringLiteral("/config/quorvel");
        p.userDataDir = env.path() + QStringLiteral("/share/quorvel");
        QDir().mkpath(p.configDir);
        QDir().mkpath(p.userDataDir);
        return p;
    }

    LineForm *line() const { return qobject_cast<LineForm *>(shell.window(ManagedWindow::LineForm)); }

    // A generated Chinese drill page from `text`, started with Enter.
    LineForm *startDrillPage(const QString &text)
    {
        shell.openLinePractice();
        stopStatusTimers();
        state.chineseText = true;
        state.generatedDrill = true;
        state.pendingText = text;
        line()->fillReferencePage();
        StartDialog dialog(ctx);
        dialog.Form_KeyPress(13);
        return line();
    }

    // The status window's clock is driven by the tests, not by real time.
    void stopStatusTimers()
    {
        if (QWidget *status = shell.window(ManagedWindow::StateForm))
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
