// Reading a large reference text and counting typed text.
#include "data/Gbk.h"
#include "practice/TextFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {
QString sampleText(qsizetype characters)
{
    const QString line = QStringLiteral("春天来了，公园里的花都开了。Spring is here; the park is green! ");
    QString text;
    text.reserve(characters + line.size() + 2);
    while (text.size() < characters)
        text += line + QStringLiteral("\r\n");
    return text;
}
} // namespace

static void BM_CountTypedText1MB(benchmark::State &state)
{
    const QString text = sampleText(512 * 1024); // 1 MB of UTF-16
    for (auto _ : state)
        benchmark::DoNotOptimize(CountTypedText(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_CountTypedText1MB)->Unit(benchmark::kMillisecond);

static void BM_ReadTextFile10MB(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    QByteArray bytes;
    const QByteArray chunk = EncodeGbk(sampleText(64 * 1024));
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += chunk;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTextFile(path, state.range(0) != 0));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadTextFile10MB)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
