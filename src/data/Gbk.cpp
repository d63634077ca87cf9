#include "data/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool isDigitByte(unsigned char b) { return b >= 0x30 && b <= 0x39; }

struct GbkShape {
    bool cut = false;     // the last byte is a lead byte whose trail is missing
    bool invalid = false; // a byte that is neither ASCII, a single-byte code nor part of a pair
    int badBytes = 0;     // such bytes, the cut one included
};

// Walks the bytes as GBK pairs. Lead and trail ranges overlap, so only a walk
// from the start can tell where characters begin. The decoder alone cannot
// tell damage from real codes: it maps some stray bytes (0xFF) to the same
// private-use range as real user-defined codes.
// With `fourByteCodes`, GB18030's lead, digit, lead, digit codes count as
// characters too.
GbkShape shapeOf(QByteArrayView bytes, bool fourByteCodes = false)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    GbkShape shape;
    qsizetype i = 0;
    while (i < n) {
        if (p[i] <= 0x80) { // ASCII, and 0x80 (the euro sign of code page 936)
            ++i;
        } else if (p[i] == 0xFF) {
            shape.invalid = true;
            ++shape.badBytes;
            ++i;
        } else if (i + 1 == n) {
            shape.cut = true;
            ++shape.badBytes;
            ++i;
        } else if (isTrailByte(p[i + 1])) {
            i += 2;
        } else if (fourByteCodes && isDigitByte(p[i + 1]) && i + 3 < n && isLeadByte(p[i + 2])
                   && isDigitByte(p[i + 3])) {
            i += 4;
        } else {
            shape.invalid = true;
            ++shape.badBytes;
            ++i;
        }
    }
    return shape;
}
} // namespace

QString DecodeGbk(QByteArrayView bytes, bool *clean)
{
    const GbkShape shape = shapeOf(bytes);
    const bool cut = shape.cut;
    if (cut)
        bytes = bytes.first(bytes.size() - 1);
    QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    const bool failed = decoder.hasError() || !decoder.isValid();
    if (cut)
        text.append(QChar(QChar::ReplacementCharacter));
    if (clean)
        *clean = !cut && !shape.invalid && !failed;
    return text;
}

QString DecodeGb18030(QByteArrayView bytes, int *badBytes)
{
    const GbkShape shape = shapeOf(bytes, true);
    // The decoder would drop a cut-off last character without a trace.
    QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(shape.cut ? bytes.first(bytes.size() - 1) : bytes);
    if (shape.cut)
        text.append(QChar(QChar::ReplacementCharacter));
    if (badBytes)
        *badBytes = shape.badBytes + (decoder.hasError() && shape.badBytes == 0 ? 1 : 0);
    return text;
}

QByteArray EncodeGbk(const QString &text, bool *ok)
{
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (ok)
        *ok = encoder.isValid() && !encoder.hasError();
    return bytes;
}

// Qt's UTF-8 decoder replaces bad sequences without always reporting them, so
// the check is done here: no overlong forms, no surrogates, nothing past U+10FFFF.
Utf8Tally TallyUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    Utf8Tally tally;
    qsizetype i = 0;
    // The length of the valid sequence at i, 0 when there is none.
    auto sequenceAt = [&](qsizetype at) -> int {
        const unsigned char b = p[at];
        int more = 0;
        char32_t min = 0;
        char32_t c = 0;
        if ((b & 0xE0) == 0xC0)
            more = 1, min = 0x80, c = b & 0x1F;
        else if ((b & 0xF0) == 0xE0)
            more = 2, min = 0x800, c = b & 0x0F;
        else if ((b & 0xF8) == 0xF0)
            more = 3, min = 0x10000, c = b & 0x07;
        else
            return 0;
        for (int k = 1; k <= more; ++k) {
            if (at + k == n) {
                tally.cut = true;
                return 0;
            }
            if ((p[at + k] & 0xC0) != 0x80)
                return 0;
            c = (c << 6) | (p[at + k] & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return 0;
        return more + 1;
    };
    while (i < n) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        if (const int length = sequenceAt(i)) {
            ++tally.multibyte;
            i += length;
        } else if (tally.cut) {
            ++tally.bad;
            break;
        } else {
            ++tally.bad;
            ++i;
        }
    }
    return tally;
}

bool IsValidUtf8(QByteArrayView bytes)
{
    return TallyUtf8(bytes).bad == 0;
}
