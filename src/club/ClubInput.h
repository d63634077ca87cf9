#pragma once
// Checks of what a member or organiser types before it goes to the server:
// an empty, huge or control-character-laden name or passage is refused here
// with a message, never sent. SQL meta-characters are ordinary text: every
// query binds its values.
#include <QString>

inline constexpr int kMaxClubTitle = 40;       // characters of a passage or race title
inline constexpr int kMaxClubName = 40;        // characters of a member's display name
inline constexpr int kMaxPassageLength = 20000; // characters of a passage

// Empty when acceptable, else why not (in the program's language).
QString CheckClubTitle(const QString &title);
QString CheckClubName(const QString &name);
// A server login: 1 to 63 bytes, no control characters or spaces.
QString CheckClubLogin(const QString &login);
// Line breaks and tabs are allowed in a passage; other control characters not.
QString CheckPassage(const QString &passage);
