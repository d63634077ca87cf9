#include "data/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

// True when the last byte is a lead byte whose second byte is missing. Lead and
// trail ranges overlap, so only a walk from the start can tell.
bool endsInCutCharacter(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        if (!isLeadByte(p[i])) {
            ++i;
        } else if (i + 1 == n) {
            return true;
        } else {
            i += isTrailByte(p[i + 1]) ? 2 : 1;
        }
    }
    return false;
}

bool holdsSuspectCharacter(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0xFFFD || (u >= 0xE000 && u <= 0xF8FF))
            return true;
    }
    return false;
}
} // namespace

QString DecodeGbk(QByteArrayView bytes, bool *clean)
{
    const bool cut = endsInCutCharacter(bytes);
    if (cut)
        bytes = bytes.first(bytes.size() - 1);
    QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    const bool failed = decoder.hasError() || !decoder.isValid();
    if (cut)
        text.append(QChar(QChar::ReplacementCharacter));
    if (clean)
        *clean = !cut && !failed && !holdsSuspectCharacter(text);
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
bool IsValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        char32_t min = 0;
        char32_t c = 0;
        if ((b & 0xE0) == 0xC0) {
            more = 1, min = 0x80, c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2, min = 0x800, c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3, min = 0x10000, c = b & 0x07;
        } else {
            return false;
        }
        if (n - i <= more)
            return false;
        for (int k = 1; k <= more; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (p[i + k] & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}
