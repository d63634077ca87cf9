#pragma once
// The picture behind the practice area while no exercise is open.
#include <QWidget>

class IdleBackground : public QWidget {
    Q_OBJECT
public:
    explicit IdleBackground(QWidget *parent);
    ~IdleBackground() override;

protected:
    void paintEvent(QPaintEvent *) override;
};
