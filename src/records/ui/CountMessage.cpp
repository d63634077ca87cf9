// PLACEHOLDER until the result window lands.
#include "records/ui/CountMessage.h"

void ShowCountMessage(AppContext &, const PracticeReport &) {}
