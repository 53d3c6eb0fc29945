// What the process listing costs: parsing the tool's output, this system's listing as the
// sampler reads it, running ps, and `top -b -n 1` for comparison.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/esegui.h"
#include "sampling/lista_ps.h"
#include "sampling/sonde.h"
#include "sampling/tabella_processi.h"
#include "sistema/sistema.h"

using namespace pulsaro;
using namespace std::chrono_literals;

namespace {

// A listing shaped like the one the tool prints on a busy Mac.
std::string listaFinta(int righe) {
    std::string s;
    for (int i = 0; i < righe; ++i) {
        const int pid = 100 + i * 7;
        s += std::string(pid < 1000 ? "  " : " ") + std::to_string(pid) + "  " + std::to_string(i % 97) +
             ":" + std::to_string(10 + i % 50) + "." + std::to_string(10 + i % 90) + " " +
             std::to_string(1 + i % 9) + "-0" + std::to_string(i % 10) + ":" + std::to_string(10 + i % 50) +
             ":" + std::to_string(10 + i % 40) + "  " + std::to_string(1000 + i * 13) +
             (i % 3 == 0 ? " /Applications/Some App.app/Contents/MacOS/Some App Helper (Renderer)\n"
                         : " /usr/libexec/servizio" + std::to_string(i) + "\n");
    }
    return s;
}

}  // namespace

static void LeggiListaPs(benchmark::State& state) {
    const std::string testo = listaFinta(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(leggiListaPs(testo));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LeggiListaPs)->Arg(5000)->Unit(benchmark::kMicrosecond);

// The process part of one full sample through the system's probes: listing, table, top nine.
static void CampioneProcessi(benchmark::State& state) {
    std::map<std::int32_t, double> cpuPrec;
    std::map<std::int32_t, std::uint64_t> gpuPrec;
    const decltype(LetturaGPU::perPid) gpu;
    const std::map<std::int32_t, std::string> client;
    std::size_t processi = 0;
    auto sonde = sondeDiSistema();  // kept from sample to sample, as the sampler keeps it
    for (auto _ : state) {
        const TempiProcessi lista = sonde->tempiProcessi();
        IngressoTabella in;
        in.lista = &lista;
        in.dt = 1.5;
        in.core = 2;
        in.cpuPrec = &cpuPrec;
        in.gpuPrec = &gpuPrec;
        in.gpu = &gpu;
        in.client = &client;
        RisultatoTabella r = costruisciTabella(in);
        cpuPrec = std::move(r.cpuPrec);
        gpuPrec = std::move(r.gpuPrec);
        benchmark::DoNotOptimize(primiProcessi(r.tabella, 9, nullptr));
        processi = lista.size();
    }
    state.counters["processi"] = static_cast<double>(processi);
}
BENCHMARK(CampioneProcessi)->Unit(benchmark::kMicrosecond);

// A child process: wall time, plus the child's own CPU time per run.
static void Programma(benchmark::State& state, const std::string& percorso,
                      const std::vector<std::string>& argomenti, bool leggi) {
    const double figliPrima = secondiCpuFigli();
    std::size_t processi = 0;
    for (auto _ : state) {
        auto uscita = eseguiProgramma(percorso, argomenti, 5s);
        if (!uscita) {
            state.SkipWithError("could not run the program");
            break;
        }
        if (leggi) processi = leggiListaPs(*uscita).size();
        benchmark::DoNotOptimize(uscita);
    }
    state.counters["cpu_figlio_ms"] =
        (secondiCpuFigli() - figliPrima) * 1e3 /
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    if (leggi) state.counters["processi"] = static_cast<double>(processi);
}
BENCHMARK_CAPTURE(Programma, ps, std::string(percorsoPs),
                  std::vector<std::string>(argomentiPs.begin(), argomentiPs.end()), true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Programma, top_b, std::string("/usr/bin/top"), std::vector<std::string>{"-b", "-n", "1"},
                  false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One refresh of a running `top -b`, without its start-up: twenty refreshes minus one.
static void TopAggiornamento(benchmark::State& state) {
    double totale = 0;
    for (auto _ : state) {
        double t0 = secondiCpuFigli();
        auto uno = eseguiProgramma("/usr/bin/top", {"-b", "-n", "1", "-d", "0.05"}, 5s);
        const double costoUno = secondiCpuFigli() - t0;
        t0 = secondiCpuFigli();
        auto venti = eseguiProgramma("/usr/bin/top", {"-b", "-n", "21", "-d", "0.05"}, 10s);
        const double costoVenti = secondiCpuFigli() - t0;
        if (!uno || !venti) {
            state.SkipWithError("could not run top");
            break;
        }
        totale += (costoVenti - costoUno) / 20;
    }
    state.counters["cpu_aggiornamento_ms"] =
        totale * 1e3 / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}
BENCHMARK(TopAggiornamento)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
