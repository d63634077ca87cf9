#pragma once
// Hints and radical cards for the line-by-line window: finds the character
// and the longest phrase at the highlighted position, looks up their codes
// and shows the balloon; shows the cards.
#include "shell/WubiHelp.h"

#include <QObject>
#include <QPointer>

#include "wubi/ui/HintBalloon.h"
struct AppContext;

class WubiHints : public QObject, public WubiHelp {
    Q_OBJECT
public:
    explicit WubiHints(AppContext &ctx, QObject *parent = nullptr);
    ~WubiHints() override;

    void hintKey(bool edition86, const QString &referenceLine, int pos, int line, QWidget *window,
                 QWidget *inputLine) override;
    void showRadicalCard(int keyCode, bool edition86) override;
    void closeHint() override;

    HintBalloon *balloon() const { return m_balloon; }

private:
    AppContext &m_ctx;
    QPointer<HintBalloon> m_balloon;
    QPointer<QWidget> m_hintedInput; // the input line the balloon helps with
};
