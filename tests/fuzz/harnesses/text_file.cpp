// The text reader: encoding detection (UTF-8, UTF-16 with or without a mark,
// GB18030, binary), line splitting and counting. Any file is read or refused
// with a message; the two line modes agree; no control character but the
// line breaks reaches the learner; the counts add up.
#include "FuzzSupport.h"

#include "practice/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = WriteScratchFile(QStringLiteral("text.txt"), bytes);
    const TextReadResult withBreaks = ReadTextFile(path, true);
    const TextReadResult joined = ReadTextFile(path, false);
    FUZZ_CHECK(withBreaks.ok == joined.ok);
    if (!withBreaks.ok) {
        FUZZ_CHECK(!withBreaks.error.isEmpty() && withBreaks.text.isEmpty());
        return 0;
    }
    // Every line ends in CR LF, and holds no other CR or LF.
    const QString &lines = withBreaks.text;
    FUZZ_CHECK(lines.isEmpty() || lines.endsWith(QStringLiteral("\r\n")));
    FUZZ_CHECK(lines.count(QLatin1Char('\r')) == lines.count(QLatin1Char('\n')));
    FUZZ_CHECK(lines.count(QLatin1Char('\r')) == lines.count(QStringLiteral("\r\n")));
    QString dropped = lines;
    dropped.remove(QStringLiteral("\r\n"));
    FUZZ_CHECK(dropped == joined.text);
    FUZZ_CHECK(withBreaks.warning == joined.warning);
    for (QChar c : joined.text)
        FUZZ_CHECK(c.unicode() >= 0x20 && (c.unicode() < 0x7F || c.unicode() > 0x9F) && c.unicode() != 0xFEFF);

    const TypedCounts counts = CountTypedText(lines);
    const TypedCounts again = CountTypedText(joined.text);
    FUZZ_CHECK(counts.totalCount == again.totalCount && counts.characterCount == again.characterCount
               && counts.punctuationCount == again.punctuationCount);
    const qsizetype spaces = joined.text.count(QLatin1Char(' '));
    FUZZ_CHECK(counts.totalCount == counts.characterCount + counts.punctuationCount + spaces);
    FUZZ_CHECK(counts.totalCount <= joined.text.size());
    return 0;
}
