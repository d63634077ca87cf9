#pragma once
// The program's help page in a browser window of its own.
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString &helpFile, QWidget *parent);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};
