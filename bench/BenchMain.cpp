// Speed figures on a collection of words (100,000 unless LEXMORA_BENCH_WORDS says otherwise). scripts/bench prints them.
#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv); // the window figures need widgets
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
