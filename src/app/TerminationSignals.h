#pragma once
// SIGTERM and SIGINT end the program the normal way: the signal handler only
// writes the signal's number into a pipe, and the event loop, woken by it,
// says so with received(). Whoever listens quits normally, so the run going
// on is ended and its statistics written.
#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches SIGTERM and SIGINT from now until destroyed (one instance).
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    bool isInstalled() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
