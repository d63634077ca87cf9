// PLACEHOLDER until the generator lands: returns empty text so that callers link.
#include "wubi/Wubi.h"

namespace wubi {
QString ShortCodePool(const CodeTables &, ShortCodeSelectors) { return {}; }
QString PhrasePool(const CodeTables &, int, bool) { return {}; }
QString CharacterDrillText(PracticeState &, const QString &, int, int, RandomSource &) { return {}; }
QString PhraseDrillText(PracticeState &, const QString &, int, RandomSource &) { return {}; }
QString LongPhraseDrillText(PracticeState &, bool, RandomSource &) { return {}; }
} // namespace wubi
