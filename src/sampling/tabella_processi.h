// Per-process shares from two consecutive full samples, and the heaviest processes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sampling/sonde.h"
#include "sampling/uso.h"

namespace pulsaro {

struct IngressoTabella {
    const TempiProcessi* lista = nullptr;
    double dt = 0.05;  // seconds since the previous full sample, already floored
    int core = 1;      // active processors
    const std::map<std::int32_t, double>* cpuPrec = nullptr;
    const std::map<std::int32_t, std::uint64_t>* gpuPrec = nullptr;
    const decltype(LetturaGPU::perPid)* gpu = nullptr;
    const std::map<std::int32_t, std::string>* client = nullptr;
    double quotaANE = 0;  // Neural Engine share of each client
};

struct RisultatoTabella {
    std::map<std::int32_t, UsoProcesso> tabella;
    std::map<std::int32_t, double> cpuPrec;
    std::map<std::int32_t, std::uint64_t> gpuPrec;
};

RisultatoTabella costruisciTabella(const IngressoTabella& in);

// The heaviest `quanti` records, by punteggio then memory; the kept ones are named by
// `nomeApp` when the process is a running application.
std::vector<UsoProcesso> primiProcessi(
    const std::map<std::int32_t, UsoProcesso>& tabella, int quanti,
    const std::function<std::optional<std::string>(std::int32_t)>& nomeApp);

}  // namespace pulsaro
