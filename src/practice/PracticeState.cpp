#include "practice/PracticeState.h"

#include <utility>

const CodeTables &CodeTablesOf(const PracticeState &state)
{
    if (state.loadCodeTables)
        std::exchange(state.loadCodeTables, nullptr)();
    return state.tables;
}

bool LookUpCode(PracticeState &state, QStringView word, bool edition86)
{
    const std::optional<QString> code = CodeTablesOf(state).edition(edition86).codeOf(word);
    if (!code)
        return false;
    state.lookupCode = *code;
    return true;
}

bool IsEntryPrefix(const PracticeState &state, QStringView text, bool edition86)
{
    return CodeTablesOf(state).edition(edition86).isEntryPrefix(text);
}
