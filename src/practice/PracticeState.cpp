#include "practice/PracticeState.h"

bool LookUpCode(PracticeState &state, QStringView word, bool edition86)
{
    const std::optional<QString> code = state.tables.edition(edition86).codeOf(word);
    if (!code)
        return false;
    state.lookupCode = *code;
    return true;
}

bool IsEntryPrefix(const PracticeState &state, QStringView text, bool edition86)
{
    return state.tables.edition(edition86).isEntryPrefix(text);
}
