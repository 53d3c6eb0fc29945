// Short Italian texts about the sources and memory sizes, shared by every view.
#pragma once

#include <cstdint>
#include <string>

#include "sampling/uso.h"

namespace pulsaro {

// Names the sources that do not work: "Tutto funziona", "GPU non disponibile", ...
std::string testoStato(const StatoFonti& stato);

// Says which units the machine does not have: "Nessuna GPU rilevata", "Nessuna NPU rilevata",
// "Nessuna GPU né NPU rilevata"; empty when it has them all.
std::string testoAssenti(const StatoFonti& stato);

// The faults, then what the machine lacks: "Tutto funziona · Nessuna NPU rilevata".
std::string testoFonti(const StatoFonti& stato);

// "50 MB" below 1024 binary megabytes, "1,5 GB" (decimal comma) from there on.
std::string memoriaTesto(std::uint64_t byte);

}  // namespace pulsaro
