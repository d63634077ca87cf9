#pragma once
// A 双拼 scheme's chart drawn as the keyboard: each key cap with its letter,
// the initial(s) it stands for (red) and its finals (blue). Keys can be
// highlighted (the two keys of a syllable after a slip).
#include "pinyin/ShuangpinChart.h"

#include <QWidget>

class ShuangpinKeyboard : public QWidget {
    Q_OBJECT
public:
    explicit ShuangpinKeyboard(QWidget *parent = nullptr);

    void setChart(const ShuangpinChart &chart);
    void setHighlighted(const QString &keys);
    const QString &highlighted() const { return m_highlighted; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF capRect(int row, int column) const;
    void paintCap(QPainter &p, const QRectF &rect, QChar key) const;

    QMap<QChar, ShuangpinKeyLabels> m_keys;
    QString m_highlighted;
};
