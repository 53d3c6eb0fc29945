// The probe interface: everything the monitor reads from the machine, called on its queue.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sampling/uso.h"

namespace pulsaro {

// One tick reading: sums over all logical cores and the per-core counters.
struct LetturaTick {
    std::uint64_t occupati = 0;
    std::uint64_t totali = 0;
    std::vector<Tick> perCore;
};

// One process of the listing.
struct TempoProcesso {
    double cpu = 0;             // cumulative CPU seconds
    std::uint64_t memoria = 0;  // resident bytes
    std::string nome;
    // Seconds since the process started, at the listing; absent when the listing does not say.
    std::optional<double> eta = std::nullopt;
    // When it started, in the system's own units: the same at every listing of one process, and
    // another number for a later process given the same id. Absent when the listing does not say.
    std::optional<std::uint64_t> avvio = std::nullopt;
};
using TempiProcessi = std::map<std::int32_t, TempoProcesso>;

struct LetturaGPU {
    std::map<std::int32_t, std::pair<std::uint64_t, std::string>> perPid;  // ns, name
    double totale = 0;
    bool trovata = false;
    bool assente = false;  // the machine has no GPU at all: not a fault
};

struct Potenze {
    double gpu = 0;  // watts
    double ane = 0;
};

// Energy and Neural Engine activity reader; keeps its own baselines.
class Energia {
public:
    virtual ~Energia() = default;
    virtual Potenze leggi() = 0;
    virtual std::optional<double> attivitaANE() = 0;
    virtual int numeroANE() const = 0;
    // True when the reader is set up, so that the Neural Engine source works.
    virtual bool pronta() const = 0;
    // True when the machine has no Neural Engine or stand-in at all, so there is nothing to set up.
    virtual bool assente() const { return false; }
};

// The machine's fixed facts, read once by the real probes and handed on as plain values.
struct Macchina {
    // Class letter of each logical core ("E" efficiency, anything else performance); empty when
    // the core table cannot be read, and then every busy core counts as a performance core.
    std::vector<std::string> tipi;
    int numeroP = 0;
    int numeroE = 0;
    std::string testoCPU;  // "10 core (6 + 4)" or "10 core"
    std::string testoGPU;  // "10 core" or "Funziona"

    bool operator==(const Macchina&) const = default;
};

class Sonde {
public:
    virtual ~Sonde() = default;
    virtual Macchina macchina() = 0;
    virtual LetturaTick tickCPU() = 0;
    virtual TempiProcessi tempiProcessi() = 0;
    // completa false: only the device utilisation is wanted (the light sample).
    virtual LetturaGPU letturaGPU(bool completa) = 0;
    virtual std::map<std::int32_t, std::string> clientANE() = 0;
    virtual double memoriaUsata() = 0;
    // Physical memory in bytes; 0 when it cannot be read.
    virtual std::uint64_t memoriaFisica() { return 0; }
    // Localized name of the running application with this id, if any.
    virtual std::optional<std::string> nomeApplicazione(std::int32_t pid) = 0;
    virtual int processoriAttivi() = 0;
    // Made once, by the monitor that owns it.
    virtual std::unique_ptr<Energia> creaEnergia() = 0;
    // Nothing will be listed for a while (no view on screen): let go of what the listing keeps
    // open between samples.
    virtual void riposa() {}
};

}  // namespace pulsaro

namespace pulsaro {

// An energy reader with nothing set up: no power, no activity, the Neural Engine source off.
class EnergiaAssente : public Energia {
public:
    Potenze leggi() override { return {}; }
    std::optional<double> attivitaANE() override { return std::nullopt; }
    int numeroANE() const override { return 1; }
    bool pronta() const override { return false; }
};

}  // namespace pulsaro
