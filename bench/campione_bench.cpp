// What one light sample costs on this machine: ticks, busy cores, memory, GPU utilisation.
#include <benchmark/benchmark.h>

#include "platform/host.h"
#include "sampling/sonde.h"
#include "sampling/tick.h"
#include "sistema/sistema.h"

using namespace pulsaro;

static void CampioneLeggero(benchmark::State& state) {
    auto sonde = sondeDiSistema();
    LetturaTick prima = sonde->tickCPU();
    for (auto _ : state) {
        LetturaTick t = sonde->tickCPU();
        benchmark::DoNotOptimize(contaCore(prima.perCore, t.perCore, {}));
        benchmark::DoNotOptimize(percentualeCPU(prima, t));
        benchmark::DoNotOptimize(sonde->memoriaUsata());
        benchmark::DoNotOptimize(sonde->letturaGPU(false).totale);
        prima = std::move(t);
    }
}
BENCHMARK(CampioneLeggero)->Unit(benchmark::kMicrosecond);

static void TickEMemoria(benchmark::State& state) {
    Host& host = hostDiSistema();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tickCPU(host));
        benchmark::DoNotOptimize(host.memoriaUsata());
    }
}
BENCHMARK(TickEMemoria)->Unit(benchmark::kMicrosecond);
