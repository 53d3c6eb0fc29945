// Host readings: what the machine tells about its processors and memory.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pulsaro {

// Cumulative counters of one logical core, in the order user, system, idle, nice.
using ContatoriCore = std::array<std::uint64_t, 4>;

// One entry of the core class table: the class bytes (first byte is the class letter)
// and the logical core number.
struct ClasseCore {
    std::string classe;
    long long numero = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // Per-core counters; nullopt when the host cannot be read.
    virtual std::optional<std::vector<ContatoriCore>> contatoriCPU() = 0;
    // Percent of physical memory in use, 0 to 100; 0 when it cannot be read.
    virtual double memoriaUsata() = 0;
    // Core class table in the order the host lists it; empty when unreadable.
    virtual std::vector<ClasseCore> classiCore() = 0;
    virtual int processori() = 0;
    virtual int processoriAttivi() = 0;
    virtual std::uint64_t memoriaFisica() = 0;
    // Cores of the performance and of the efficiency level; nullopt when the host does not say.
    virtual std::optional<long long> corePrestazioni() = 0;
    virtual std::optional<long long> coreEfficienza() = 0;
    // GPU core count when the host knows it.
    virtual std::optional<long long> coreGPU() = 0;
};

// The host this process runs on; lives for the whole run.
Host& hostDiSistema();

}  // namespace pulsaro
