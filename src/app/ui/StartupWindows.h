#pragma once
// The splash window ForeForm and the idle background frmBackForm.
#include <QPixmap>
#include <QWidget>

struct PracticeState;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QPixmap m_picture;
};

class IdleBackground : public QWidget {
    Q_OBJECT
public:
    IdleBackground(PracticeState &state, QWidget *parent);
    ~IdleBackground() override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    PracticeState &m_state;
    QPixmap m_picture;
};
