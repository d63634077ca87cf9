#pragma once
// The help item and F1: the program's help page, when it exists, in a window
// of its own beside the main window.
#include <QPointer>
#include <QString>

class HelpWindow;
class QWidget;
class SettingsStore;

class HelpLauncher {
public:
    HelpLauncher(QWidget &mainWindow, SettingsStore &settings);

    // Start-up: the page is used when the file is there.
    void findPage(const QString &helpFile);
    QString helpFile() const { return m_helpFile; }
    void showHelp(); // nothing without the page
    HelpWindow *helpWindow() const;
    void close();

private:
    QWidget &m_main;
    SettingsStore &m_settings;
    QString m_helpFile;
    QPointer<HelpWindow> m_help;
};
