#pragma once
// What the hint keys show: the highlighted character of a reference line with
// its code, and the longest phrase starting there with its code.
#include "practice/PracticeState.h"

#include <optional>

struct HintText {
    QString character;
    QString characterCode;
    QString phrase; // empty when no phrase of two or more characters starts here
    QString phraseCode;
};

namespace wubi {
// `pos` counts characters: one outside the Basic Multilingual Plane is one.
// Nothing when the character at `pos` has no entry in the edition's table, or
// when the longest phrase with an entry prefix has no exact entry of its own.
std::optional<HintText> FindHint(PracticeState &state, bool edition86, const QString &referenceLine, int pos);
} // namespace wubi
