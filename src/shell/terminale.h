// Terminal mode: the monitor's full samples printed as text or JSON lines.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "sampling/storia.h"
#include "sampling/uso.h"
#include "shell/esportatore.h"

namespace pulsaro {

struct OpzioniTerminale {
    bool terminale = false;
    bool json = false;
    bool aiuto = false;
    bool storia = false;                // the history a minute at a time instead of the samples
    std::optional<long long> campioni;  // stop after this many samples
    std::optional<double> intervallo;   // seconds
    OpzioniEsportazione esporta;
    bool silenzioso = false;  // no lines: only the endpoint, sampled when scraped
    std::string errore;       // non-empty when the arguments are wrong
};

OpzioniTerminale leggiOpzioni(const std::vector<std::string>& argomenti);

struct Campione {
    Riepilogo riepilogo;
    UsoTotale totale;
    StatoFonti stato;
    std::vector<UsoProcesso> processi;
    std::string core;  // the busy-core line, e.g. "5/10 core (P 3 · E 2)"
};

std::string rigaTesto(const Campione& c);
std::string rigaJson(const Campione& c);
// One minute of the history, which began `parete` seconds after the epoch: the least, mean and
// greatest of each figure read in it and its heaviest process, as a text or a JSON line.
std::string rigaStoria(const Storia::Minuto& m, std::int64_t parete, bool json);

// Runs the monitor on the real probes until the samples are done, Ctrl-C or a failed write to
// `out` (told on `errori`, with a non-zero status).
int eseguiTerminale(const OpzioniTerminale& opzioni, std::ostream& out, std::ostream& errori);
// The same with errors on standard error.
int eseguiTerminale(const OpzioniTerminale& opzioni, std::ostream& out);

}  // namespace pulsaro
