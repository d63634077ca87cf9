#pragma once
// Answers for the modal windows a handler opens while the test waits in it.
#include "shell/PracticeReport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <vector>

// Answers message boxes as they come up, in order, and remembers what they
// said and which button was preselected.
class MessageBoxScript {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::StandardButton preselected = QMessageBox::NoButton;
    };

    explicit MessageBoxScript(std::deque<QMessageBox::StandardButton> answers) : m_answers(std::move(answers))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    std::vector<Seen> seen;
    bool finished() const { return m_answers.empty(); }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_last || m_answers.empty())
            return;
        m_last = box;
        Seen s;
        s.title = box->windowTitle();
        s.text = box->text();
        if (box->defaultButton())
            s.preselected = box->standardButton(box->defaultButton());
        seen.push_back(s);
        const QMessageBox::StandardButton answer = m_answers.front();
        m_answers.pop_front();
        if (QAbstractButton *button = box->button(answer))
            button->click();
        else
            box->reject();
    }

    std::deque<QMessageBox::StandardButton> m_answers;
    QPointer<QMessageBox> m_last;
    QTimer m_timer;
};

// The report a result window shows, as read from its labels.
inline PracticeReport ShownReport(const QWidget *resultWindow)
{
    PracticeReport report;
    report.title = resultWindow->windowTitle();
    const auto text = [resultWindow](const QString &name) {
        const auto *label = resultWindow->findChild<QWidget *>(name);
        return label ? label->property("text").toString() : QString();
    };
    for (int i = 0; i < 6; ++i) {
        report.captions[std::size_t(i)] = text(QStringLiteral("lblCaption(%1)").arg(i)).chopped(1); // "："
        report.values[std::size_t(i)] = text(QStringLiteral("lblMessage(%1)").arg(i));
    }
    const QString mistakes = text(QStringLiteral("lblPinyinMistakesValue"));
    if (!mistakes.isEmpty())
        report.pinyinMistakes = mistakes.split(QLatin1Char('\n'));
    return report;
}

inline bool IsResultWindow(const QWidget *w)
{
    return w->objectName() == QStringLiteral("CountMessage");
}

// Closes every result window that comes up, remembering what it showed.
class ReportCatcher {
public:
    ReportCatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    std::vector<PracticeReport> reports;

private:
    void poll()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !IsResultWindow(dialog))
            return;
        reports.push_back(ShownReport(dialog));
        dialog->findChild<QAbstractButton *>(QStringLiteral("comClose"))->click();
    }

    QTimer m_timer;
};
