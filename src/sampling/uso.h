// Usage records: the plain values through which the engine hands its figures to the interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pulsaro {

// Cumulative tick counters of one logical core. No equality: only differences mean anything.
struct Tick {
    std::uint64_t occupati = 0;  // user + system + nice
    std::uint64_t totali = 0;    // busy + idle
};

// Busy performance and efficiency cores in one interval, with the machine's own counts.
struct CoreImpegnati {
    int p = 0;
    int e = 0;
    int numeroP = 0;  // the machine's performance cores
    int numeroE = 0;  // and efficiency cores

    static constexpr double soglia = 0.5;

    int totale() const { return p + e; }
    // "5/10 core (P 3 · E 2)", or "3/8 core" on a machine without efficiency cores.
    std::string testo() const;

    bool operator==(const CoreImpegnati&) const = default;
};

struct UsoProcesso {
    std::int32_t id = 0;
    std::string nome;
    double cpu = 0;
    double gpu = 0;
    double ane = 0;
    bool usaANE = false;
    std::uint64_t memoria = 0;
    std::uint64_t avvio = 0;  // when it started, in the listing's units (TempoProcesso); 0 unknown

    double punteggio() const { return cpu + gpu; }
    bool operator==(const UsoProcesso&) const = default;
};

struct UsoTotale {
    double cpu = 0;
    CoreImpegnati core;
    double gpu = 0;
    double ane = 0;
    double gpuWatt = 0;
    double aneWatt = 0;
    std::vector<std::string> aneApp;

    bool operator==(const UsoTotale&) const = default;
};

struct Riepilogo {
    double memoria = 0;
    double cpu = 0;
    CoreImpegnati core;
    double gpu = 0;
    double ane = 0;

    bool operator==(const Riepilogo&) const = default;
};

struct StatoFonti {
    bool cpu = true;
    bool gpu = true;
    bool ane = true;
    // A unit the machine does not have (a Linux box without a GPU or an NPU): it does not work,
    // yet nothing is broken. Never set on the Mac, where both always exist.
    bool gpuAssente = false;
    bool aneAssente = false;

    bool tutto() const { return cpu && gpu && ane; }
    // Only the units that exist and fail: what greys the icon and raises the warnings.
    StatoFonti guasti() const { return {cpu, gpu || gpuAssente, ane || aneAssente}; }
    bool operator==(const StatoFonti&) const = default;
};

}  // namespace pulsaro
