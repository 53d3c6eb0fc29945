// One entry point for every benchmark of the engine.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
