#pragma once
// StatusStrip: the status strip under the practice area, with the message line
// lblLib, the composer's edition and note lblWubi, and the state indicator
// lblState.
#include <QWidget>

class QLabel;

class StatusStrip : public QWidget {
    Q_OBJECT
public:
    explicit StatusStrip(QWidget *parent);
    ~StatusStrip() override;

    void setMessage(const QString &text);
    void setReady(bool ready);
    // The built-in composer's edition and note; empty hides it.
    void setComposerText(const QString &text);
    QString message() const;
    QString composerText() const;
    QString stateText() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QLabel *m_tableLabel;
    QLabel *m_stateLabel;
    QLabel *m_wubiLabel;
    QPixmap m_background;
};

// Text of lblState for the ready flag: "就绪" or "未就绪".
QString StatusStateText(bool ready);
