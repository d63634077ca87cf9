#pragma once
// Where the phrases of a phrase drill's reference line start, so that the
// line can show them apart: the drill text itself has no separators.
#include "practice/PracticeState.h"

#include <QVector>

namespace wubi {
// Character indices of the phrase starts in `line`, ascending from 0; empty
// when the current drill is no phrase drill or the line does not split into
// its phrases. The two-, three- and four-character drills (the weak-phrase
// drill among them) split every two, three or four characters; the
// multi-character drill into words of five or more characters of its
// edition's table.
QVector<int> PhraseStarts(const PracticeState &state, const QString &line);
} // namespace wubi
