#include "app/ui/HelpLauncher.h"

#include "app/ui/HelpWindow.h"
#include "data/Paths.h"
#include "shell/Placement.h"

#include <QGuiApplication>
#include <QScreen>

HelpLauncher::HelpLauncher(QWidget &mainWindow, SettingsStore &settings) : m_main(mainWindow), m_settings(settings) {}

void HelpLauncher::findPage(const QString &helpFile)
{
    m_helpFile = FileExists(helpFile) ? helpFile : QString();
}

void HelpLauncher::showHelp()
{
    if (m_helpFile.isEmpty())
        return;
    if (!m_help) {
        m_help = new HelpWindow(m_helpFile, m_settings, &m_main);
        const QScreen *screen = m_main.screen() ? m_main.screen() : QGuiApplication::primaryScreen();
        if (screen)
            m_help->move(BesideMainWindow(m_main.frameGeometry(), m_help->frameGeometry().size(),
                                          screen->availableGeometry()));
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

HelpWindow *HelpLauncher::helpWindow() const
{
    return m_help.data();
}

void HelpLauncher::close()
{
    if (m_help)
        m_help->close();
}
