// CPU ticks: reading them, the total busy percentage and the busy cores between two readings.
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"
#include "sampling/sonde.h"
#include "sampling/uso.h"

namespace pulsaro {

// Sums and per-core ticks from raw (user, system, idle, nice) counters.
LetturaTick tickDaContatori(const std::vector<ContatoriCore>& contatori);

// One reading of this host's ticks; (0, 0, empty) when it cannot be read.
LetturaTick tickCPU(Host& host);

// Busy percent of all cores from reading a to the later reading b. 0 when nothing moved or a
// counter went backwards (a core taken offline, a 32-bit counter that wrapped): such an
// interval has no data rather than a modulo-2^64 giant.
double percentualeCPU(const LetturaTick& a, const LetturaTick& b);

// Busy cores between two per-core lists for a given class table.
CoreImpegnati contaCore(const std::vector<Tick>& prima, const std::vector<Tick>& dopo,
                        const std::vector<std::string>& tipi);

// Class letter per logical core number, 0 to the highest number found; "P" for gaps.
std::vector<std::string> tabellaCore(const std::vector<ClasseCore>& classi);

int contaP(const std::vector<std::string>& tipi, int processori);
int contaE(const std::vector<std::string>& tipi);

}  // namespace pulsaro
