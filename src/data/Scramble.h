#pragma once
// Scrambled ".dz" data files: every byte is XOR-ed with one of four key bytes
// chosen by its position. The key bytes are defined here once; the data tool
// that writes the files and the program that reads them share them.
#include <QByteArray>
#include <QString>

namespace scramble {
inline constexpr unsigned char kKeyA = 0x5A;
inline constexpr unsigned char kKeyB = 0xC3;
inline constexpr unsigned char kKeyC = 0x96;
inline constexpr unsigned char kKeyD = 0x2E;

// Key byte for position i: A when i % 5 == 0, else D when i % 7 == 0,
// else C when i % 9 == 0, otherwise B.
unsigned char keyAt(qint64 i);
} // namespace scramble

// The largest data file read; the biggest real one (a code table) is a few MB.
inline constexpr qint64 kMaxDataFileBytes = qint64(64) * 1024 * 1024;

// All bytes of the file, unchanged; empty when missing, empty, unreadable or
// larger than kMaxDataFileBytes.
QByteArray ReadWholeFile(const QString &path);
// Same length, every byte XOR-ed with its position's key byte. Scrambling is
// the same operation.
QByteArray UnscrambleBytes(const QByteArray &bytes);
// UnscrambleBytes(ReadWholeFile(path)).
QByteArray ReadScrambledFile(const QString &path);
