#include "data/Scramble.h"

#include "data/FileAccess.h"

#include <utility>

namespace scramble {
unsigned char keyAt(qint64 i)
{
    if (i % 5 == 0)
        return kKeyA;
    if (i % 7 == 0)
        return kKeyD;
    if (i % 9 == 0)
        return kKeyC;
    return kKeyB;
}
} // namespace scramble

QByteArray ReadWholeFile(const QString &path)
{
    ReadBytes read = ReadFileBytes(path, kMaxDataFileBytes);
    return read.ok() ? std::move(read.bytes) : QByteArray();
}

QByteArray UnscrambleBytes(const QByteArray &bytes)
{
    // The key pattern repeats every lcm(5, 7, 9) = 315 bytes: build one period
    // and walk it instead of three divisions per byte.
    constexpr int kPeriod = 315;
    unsigned char keys[kPeriod];
    for (int i = 0; i < kPeriod; ++i)
        keys[i] = scramble::keyAt(i);

    QByteArray out(bytes.size(), Qt::Uninitialized);
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData());
    auto *dst = reinterpret_cast<unsigned char *>(out.data());
    int k = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        dst[i] = in[i] ^ keys[k];
        if (++k == kPeriod)
            k = 0;
    }
    return out;
}

QByteArray ReadScrambledFile(const QString &path)
{
    return UnscrambleBytes(ReadWholeFile(path));
}
