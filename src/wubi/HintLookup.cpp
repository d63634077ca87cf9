#include "wubi/HintLookup.h"

#include "practice/TextUnits.h"

namespace wubi {

std::optional<HintText> FindHint(PracticeState &state, bool edition86, const QString &referenceLine, int pos)
{
    const QStringList characters = Characters(referenceLine);
    if (pos < 0 || pos >= characters.size())
        return std::nullopt;
    HintText hint;
    hint.character = characters.at(pos);
    if (!LookUpCode(state, hint.character, edition86))
        return std::nullopt;
    hint.characterCode = state.lookupCode;

    // Grow the phrase while the table still has a word starting with it.
    auto phrase = [&](int length) { return characters.mid(pos, length).join(QString()); };
    int length = 2;
    while (pos + length <= characters.size() && IsEntryPrefix(state, phrase(length), edition86))
        ++length;
    if (length < 3)
        return hint;

    hint.phrase = phrase(length - 1);
    if (!LookUpCode(state, hint.phrase, edition86))
        return std::nullopt;
    hint.phraseCode = state.lookupCode;
    return hint;
}

} // namespace wubi
