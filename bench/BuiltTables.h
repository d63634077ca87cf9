#pragma once
// Both code tables of the built data folder, loaded once for a benchmark.
#include "data/CodeTable.h"

inline const CodeTables &BuiltTables()
{
    static const CodeTables tables = [] {
        CodeTables t;
        LoadCodeTables(QStringLiteral(QUORVEL_DATA_ROOT), true, true, t);
        return t;
    }();
    return tables;
}
