#include "wubi/HintLookup.h"

namespace wubi {

std::optional<HintText> FindHint(PracticeState &state, bool edition86, const QString &referenceLine, int pos)
{
    if (pos < 0 || pos >= referenceLine.size())
        return std::nullopt;
    HintText hint;
    hint.character = referenceLine.at(pos);
    if (!LookUpCode(state, hint.character, edition86))
        return std::nullopt;
    hint.characterCode = state.lookupCode;

    // Grow the phrase while the table still has a word starting with it.
    const QStringView line(referenceLine);
    int length = 2;
    while (pos + length <= line.size() && IsEntryPrefix(state, line.mid(pos, length), edition86))
        ++length;
    if (length < 3)
        return hint;

    hint.phrase = referenceLine.mid(pos, length - 1);
    if (!LookUpCode(state, hint.phrase, edition86))
        return std::nullopt;
    hint.phraseCode = state.lookupCode;
    return hint;
}

} // namespace wubi
