#pragma once
// The main keyboard block with each key coloured by how often it was missed:
// pale for no errors, through orange to red, grey for keys never practised.
// The caps are drawn as in the keyboard drills (PaintKeyCap).
#include "keyboard/KeyboardPicture.h"
#include "progress/ProgressData.h"

#include <QHash>
#include <QWidget>

class KeyHeatMap : public QWidget {
    Q_OBJECT
public:
    // The error rate from which a key is drawn fully red.
    static constexpr double kHottestRate = 0.2;

    explicit KeyHeatMap(QWidget *parent = nullptr);

    // Tallies by virtual-key code (MainBlockKeyTallies).
    void setTallies(QHash<int, ItemTally> tallies);
    // The colour the key's cap face is drawn in.
    QColor faceOf(int code) const;
    static QColor heatColour(double errorRate);
    static QColor unpractisedColour();
    // Where the (first) cap of the key is drawn, in widget pixels.
    QRectF keyRect(int code) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    bool event(QEvent *event) override; // the tally of the key under the mouse as a tool tip

private:
    // Where the caps and the colour scale go in the widget, for its size.
    struct Layout {
        double scale = 1;
        QPointF origin;   // of the caps' top-left corner
        QRectF plate;     // the keyboard case
        QRectF scaleBar;  // the colour scale below it
    };
    Layout layout() const;
    QRectF capRect(const KeyCap &cap, const Layout &l) const;
    void paintScale(QPainter &p, const QRectF &bar) const;
    QString toolTipAt(const QPoint &pos) const;

    KeyboardPicture m_picture;
    QHash<int, ItemTally> m_tallies;
};
