#pragma once
// main() of a benchmark that needs widgets: an application on the offscreen
// platform, then Google Benchmark's run.
#include <QApplication>
#include <benchmark/benchmark.h>

#define QUORVEL_OFFSCREEN_BENCHMARK_MAIN()                   \
    int main(int argc, char **argv)                         \
    {                                                       \
        qputenv("QT_QPA_PLATFORM", "offscreen");            \
        QApplication app(argc, argv);                       \
        benchmark::Initialize(&argc, argv);                 \
        benchmark::RunSpecifiedBenchmarks();                \
        benchmark::Shutdown();                              \
        return 0;                                           \
    }
