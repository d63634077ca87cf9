#pragma once
// The 双拼 key chart of a chosen scheme: the keyboard with each key's
// initials and finals, and the keys of the syllables without an initial.
#include <QWidget>

class QComboBox;
class QLabel;
class ShuangpinKeyboard;
struct AppContext;

class ShuangpinChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ShuangpinChartWindow(AppContext &ctx, QWidget *parent = nullptr);

    QComboBox *schemeBox = nullptr;
    ShuangpinKeyboard *keyboard = nullptr;
    QLabel *zeroInitialLabel = nullptr;

    void showScheme();
};
