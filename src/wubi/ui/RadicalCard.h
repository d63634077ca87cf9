#pragma once
// The radical card window ShowZgb: one card picture, closed by a click on it
// or by Enter; every other key is ignored.
#include <QDialog>

class QLabel;
struct AppContext;

class RadicalCard : public QDialog {
    Q_OBJECT
public:
    RadicalCard(AppContext &ctx, QWidget *parent = nullptr);
    ~RadicalCard() override;

    // Card file name: "b" (Wubi 86) or "j" (Wubi 98), the key code, ".cr".
    static QString fileName(int keyCode, bool edition86);
    // Puts the card of the key into cardPicture and sizes the window to it; a
    // missing or damaged file shows a notice instead.
    bool loadCard(int keyCode, bool edition86);

    QLabel *cardPicture = nullptr;

    void closeCard() { accept(); }
    void handleKey(int keyCode);

public slots:
    void reject() override {} // Escape and the window manager do not close a card

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    AppContext &m_ctx;
};

// Loads ShowZgb with the card, places it and shows it modally.
void ShowRadicalCard(AppContext &ctx, int keyCode, bool edition86);
