#pragma once
// The Simplified-Chinese code page (GBK, code page 936), in which the code
// tables and the reference texts are stored.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes GBK bytes. Bytes that do not form a GBK character, and a lead byte
// cut off at the end, become U+FFFD; decoding never fails. *clean is false when
// that happened. Real GBK codes may decode to private-use characters (for
// instance FE50..FEA0 and A6D9..A6DF): they are not damage.
QString DecodeGbk(QByteArrayView bytes, bool *clean = nullptr);

// Decodes GB18030, the superset of GBK that adds four-byte codes for every
// character GBK lacks. Damaged bytes become U+FFFD; *badBytes counts them.
QString DecodeGb18030(QByteArrayView bytes, int *badBytes = nullptr);

// Encodes text as GBK. *ok is false when some character has no GBK code (it
// is then written as "?").
QByteArray EncodeGbk(const QString &text, bool *ok = nullptr);

// How the bytes read as UTF-8: sequences of two to four bytes that are valid,
// and bytes that fit no valid sequence.
struct Utf8Tally {
    qsizetype multibyte = 0;
    qsizetype bad = 0;
    bool cut = false; // the bytes end inside a sequence (counted as one bad byte)
};
Utf8Tally TallyUtf8(QByteArrayView bytes);

// True when the bytes are valid UTF-8 (a leading BOM allowed).
bool IsValidUtf8(QByteArrayView bytes);
