#pragma once
// imgType(i): one rounded picture button of the graphic menu with its caption
// lblType(i). Shows the rest picture, or the hover picture while it is the
// button under the pointer.
#include <QWidget>

class QLabel;

class GraphicButton : public QWidget {
    Q_OBJECT
public:
    GraphicButton(int index, const QString &caption, QWidget *parent);
    int index() const { return m_index; }
    bool showsHoverPicture() const { return m_hover; }
    void setHoverPicture(bool hover);
    QLabel *captionLabel() const { return m_caption; }
    // A left press, as a screen reader's press action gives it.
    Q_INVOKABLE void click() { emit pressed(m_index, Qt::LeftButton); }

    static constexpr int kWidth = 81;
    static constexpr int kHeight = 33;

signals:
    void pressed(int index, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_index;
    bool m_hover = false;
    QLabel *m_caption;
};
