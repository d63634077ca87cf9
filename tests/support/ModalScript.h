#pragma once
// Answers for the modal windows a handler opens while the test waits in it.
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

// Closes every result window that comes up, remembering its title and values.
class ReportCatcher {
public:
    struct Report {
        QString title;
        QStringList values;
    };

    ReportCatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    std::vector<Report> reports;

private:
    void poll()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QStringLiteral("CountMessage"))
            return;
        Report report;
        report.title = dialog->windowTitle();
        for (int i = 0; i < 6; ++i) {
            auto *label = dialog->findChild<QWidget *>(QStringLiteral("lblMessage(%1)").arg(i));
            report.values << (label ? label->property("text").toString() : QString());
        }
        reports.push_back(report);
        dialog->findChild<QAbstractButton *>(QStringLiteral("comClose"))->click();
    }

    QTimer m_timer;
};
