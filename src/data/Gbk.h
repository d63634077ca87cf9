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

// Encodes text as GBK. *ok is false when some character has no GBK code (it
// is then written as "?").
QByteArray EncodeGbk(const QString &text, bool *ok = nullptr);

// True when the bytes are valid UTF-8 (a leading BOM allowed).
bool IsValidUtf8(QByteArrayView bytes);
