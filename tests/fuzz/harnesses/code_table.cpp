// The scrambled-file reader and the code-table parser: any bytes in place of
// data/zb86.dz load or are refused with a message, and the index answers
// exactly what a scan of the table string answers.
#include "FuzzSupport.h"

#include "data/CodeTable.h"
#include "support/TableScan.h"
#include "data/Scramble.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input is the plain table; it is stored scrambled, as shipped.
    const QByteArray plain(reinterpret_cast<const char *>(data), qsizetype(size));
    WriteScratchFile(QStringLiteral("data/zb86.dz"), UnscrambleBytes(plain));
    FUZZ_CHECK(ReadScrambledFile(ScratchDir() + QStringLiteral("/data/zb86.dz")) == plain);

    CodeTables tables;
    const QStringList messages = LoadCodeTables(ScratchDir(), true, false, tables);
    FUZZ_CHECK(messages.isEmpty() != tables.t86.isEmpty());
    // Whatever decodes is also indexed directly, loaded or not.
    const CodeTable table(DecodeTableText(plain));
    for (const CodeTable *t : {static_cast<const CodeTable *>(&tables.t86), &table}) {
        const QString &text = t->text();
        // Ask for every word of the table, for starts of words and for
        // pieces taken at fuzzer-chosen places.
        FuzzedDataProvider choose(data, size);
        for (int i = 0; i < 8 && choose.remaining_bytes() > 0; ++i) {
            const qsizetype at = qsizetype(choose.ConsumeIntegralInRange<size_t>(0, size_t(text.size())));
            const qsizetype length = qsizetype(choose.ConsumeIntegralInRange<size_t>(0, 6));
            const QString piece = text.mid(at, length);
            FUZZ_CHECK(t->codeOf(piece) == ScanCodeOf(*t, piece));
            FUZZ_CHECK(t->isEntryPrefix(piece) == ScanEntryPrefix(*t, piece));
        }
        qsizetype hash = text.indexOf(QLatin1Char('#'));
        for (int k = 0; hash >= 0 && k < 16; ++k) {
            const qsizetype next = text.indexOf(QLatin1Char('#'), hash + 1);
            const QString segment = text.mid(hash + 1, next < 0 ? -1 : next - hash - 1);
            const QString word = segment.left(segment.indexOf(QLatin1Char('%')));
            FUZZ_CHECK(t->codeOf(word) == ScanCodeOf(*t, word));
            FUZZ_CHECK(t->isEntryPrefix(word.left(1)) == ScanEntryPrefix(*t, word.left(1)));
            hash = next;
        }
    }
    return 0;
}
