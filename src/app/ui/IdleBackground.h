#pragma once
// The picture behind the practice area while no exercise is open.
#include <QWidget>

struct PracticeState;

class IdleBackground : public QWidget {
    Q_OBJECT
public:
    IdleBackground(PracticeState &state, QWidget *parent);
    ~IdleBackground() override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    PracticeState &m_state;
};
