#pragma once
// Characters as the learner sees them: a QString holds UTF-16 units, and a
// character outside the Basic Multilingual Plane is a surrogate pair of two
// units. Everything that counts, compares or indexes typed text goes through
// these, so such a character is always one character.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

// Number of characters.
int CharacterCount(QStringView text);
// The last character (empty for an empty text).
QString LastCharacter(QStringView text);
// Units (1 or 2) of the character that starts at unit `unit`; 0 at or past the end.
int CharacterUnitsAt(QStringView text, int unit);
// Unit offset of each character, in order.
QVector<int> CharacterStarts(QStringView text);
// One entry per character.
QStringList Characters(QStringView text);
