#pragma once
// The Simplified-Chinese code page (GBK, code page 936), in which the code
// tables and the reference texts are stored.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Decodes GBK bytes. Bytes that do not form a GBK character, and a lead byte
// cut off at the end, become U+FFFD; decoding never fails. *clean is false when
// that happened or when a byte sequence maps to a private-use character
// (unassigned or user-defined codes, which no real text holds).
QString DecodeGbk(QByteArrayView bytes, bool *clean = nullptr);

// Encodes text as GBK. *ok is false when some character has no GBK code (it
// is then written as "?").
QByteArray EncodeGbk(const QString &text, bool *ok = nullptr);

// True when the bytes are valid UTF-8 (a leading BOM allowed).
bool IsValidUtf8(QByteArrayView bytes);
