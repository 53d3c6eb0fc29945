// The machine's fixed facts: core classes and counts, and the processor and GPU texts that the
// settings window shows.
#pragma once

#include <optional>
#include <string>

#include "sampling/sonde.h"

namespace pulsaro {

class Host;

namespace Core {

// "10 core (6 + 4)" when the two level counts add up to the processors, else "10 core".
std::string testoProcessore(int processori, std::optional<long long> p0, std::optional<long long> p1);
// "10 core" or "Funziona".
std::string testoGPU(std::optional<long long> core);

}  // namespace Core

// Everything the engine needs to know once about this host; the real probes call it once.
Macchina leggiMacchina(Host& host);

}  // namespace pulsaro
