#pragma once
// Reordering and pruning the records of the record file, in memory.
#include "records/RecordFile.h"

enum class RecordKey {
    Name = 0,     // stored name field, trailing spaces included, ascending by code value
    Speed = 1,    // descending
    SavedAt = 2,  // save-time text, ascending
    Number = 3,   // record number, descending
};

// True when a's key comes strictly before b's in the order of `key`.
bool RecordComesBefore(RecordKey key, const TypingRecord &a, const TypingRecord &b);

// Reorders exactly as a selection sort that exchanges the first best record
// of the rest into each place would, ties included, but in O(n log n).
// Record numbers stay with their records.
void OrderRecords(std::vector<TypingRecord> &records, RecordKey key);

// Removes the records whose number equals `number` and numbers the rest
// 1, 2, 3 ... in file order. Returns whether any record was removed.
bool RemoveRecordsWithNumber(std::vector<TypingRecord> &records, double number);

// Removes the records of a user: the first L characters of the trimmed name
// equal the trimmed `user` (L its length), so "王" removes "王小明" too.
// Renumbers like RemoveRecordsWithNumber. An empty (trimmed) user removes
// nothing.
bool RemoveRecordsOfUser(std::vector<TypingRecord> &records, const QString &user);
