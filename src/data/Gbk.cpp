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

bool IsValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}
