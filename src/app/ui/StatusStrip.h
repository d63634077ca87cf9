#pragma once
// frmBase: the status strip under the practice area, with the message line
// lblLib and the state indicator lblState.
#include <QWidget>

class QLabel;
struct PracticeState;

class StatusStrip : public QWidget {
    Q_OBJECT
public:
    StatusStrip(PracticeState &state, QWidget *parent);
    ~StatusStrip() override;

    void setMessage(const QString &text);
    void setReady(bool ready);
    QString message() const;
    QString stateText() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    PracticeState &m_state;
    QLabel *m_lblLib;
    QLabel *m_lblState;
    QPixmap m_background;
};

// Text of lblState for the ready flag: "就绪", or "  0" with two spaces.
QString StatusStateText(bool ready);
