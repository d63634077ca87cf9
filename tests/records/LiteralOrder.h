#pragma once
// The record viewer's reorder as first written: a selection sort that
// exchanges the first strictly better record of the rest into each place.
// OrderRecords must agree with it, ties included.
#include "records/RecordOrder.h"

#include <utility>
#include <vector>

inline void literalSelectionSort(std::vector<TypingRecord> &records, RecordKey key)
{
    for (size_t a = 0; a + 1 < records.size(); ++a) {
        size_t best = a;
        for (size_t i = a + 1; i < records.size(); ++i) {
            if (RecordComesBefore(key, records[i], records[best]))
                best = i;
        }
        std::swap(records[a], records[best]);
    }
}
