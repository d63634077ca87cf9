// PLACEHOLDER until the radical cards are rendered.
#include "Steps.h"

bool BuildRadicalCards(const QString &, const QString &, QString *) { return true; }
