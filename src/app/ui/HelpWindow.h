#pragma once
// The program's help page in a browser window of its own: a normal window
// with a title bar, closed by Escape too, that comes back at the size the
// learner left it.
#include <QWidget>

class QTextBrowser;
class SettingsStore;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString &helpFile, SettingsStore &settings, QWidget *parent);
    QTextBrowser *browser() const { return m_browser; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    SettingsStore &m_settings;
    QTextBrowser *m_browser;
};
