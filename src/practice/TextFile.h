#pragma once
// Reading reference texts and classifying typed text.
#include <QString>

struct TextReadResult {
    bool ok = false;
    QString text;
    QString error; // why the read failed, in the program's language
};

// Reads a text file: GBK, or UTF-8 when the file is valid UTF-8 (BOM or not).
// CR, CR LF and lone LF end a line. With keepLineBreaks every line (the last
// too) is followed by CR LF; otherwise lines are joined with nothing between.
// UTF-16 with a byte-order mark is read too. Undecodable bytes become
// U+FFFD. Files above kMaxTextFileBytes are refused; only what the file holds
// is allocated. Error messages do not repeat the path (the caller shows it).
TextReadResult ReadTextFile(const QString &path, bool keepLineBreaks);
inline constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

bool FolderExists(const QString &path);

struct TypedCounts {
    int totalCount = 0;
    int characterCount = 0;
    int punctuationCount = 0;
};

// One pass over the characters (not UTF-16 units): CR and LF count nowhere, a
// space counts in totalCount only, a practice punctuation mark in
// punctuationCount, anything else in characterCount.
TypedCounts CountTypedText(const QString &text);
bool IsPracticePunctuation(char32_t c);

// The 60-character letter pool of the English letters drill (finger groups
// with the digits removed).
QString BuildLetterPool();
// The 25 key-name characters.
QString KeyNameCharacters();
