#pragma once
// Reading reference texts and classifying typed text.
#include <QString>

struct TextReadResult {
    bool ok = false;
    QString text;
    QString error;   // why the read failed, in the program's language
    QString warning; // what in a text that was read is not as in the file
};

// Reads a text file: UTF-8 (BOM or not) when it reads as UTF-8 with at most a
// few damaged bytes, else GB18030 (the superset of GBK); UTF-16 with a
// byte-order mark, or without one when its zero bytes show it. Bytes that do
// not decode become U+FFFD and the warning counts them. Tabs become spaces
// and other control characters are left out, with a warning too.
// CR, CR LF and lone LF end a line. With keepLineBreaks every line (the last
// too) is followed by CR LF; otherwise lines are joined with nothing between.
// Files above kMaxTextFileBytes are refused; only what the file holds is
// allocated. Messages do not repeat the path (the caller shows it).
TextReadResult ReadTextFile(const QString &path, bool keepLineBreaks);
// The same preparation for a text that did not come from a file: tabs become
// spaces, other control characters are left out, lines end or are joined as
// with ReadTextFile.
QString TypeableText(QString text, bool keepLineBreaks);
inline constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;
// Decoded text (from the clipboard, say) made typeable and its lines
// joined as ReadTextFile does; the warning says what was changed.
TextReadResult PrepareText(QString text, bool keepLineBreaks);

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
