// The figures a scrape takes away, written in the OpenMetrics text format or in the older
// Prometheus text format, and the choice between the two from the scraper's Accept header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sampling/uso.h"

namespace pulsaro {

// Where the endpoint listens when the settings switch it on, or `--esporta` gives only a port.
inline constexpr const char* indirizzoEsportazione = "127.0.0.1";
inline constexpr std::uint16_t portaEsportazione = 9420;
// More processes than this would let one scrape grow without bound in series.
inline constexpr int massimoProcessiEsportati = 30;

// What one scrape answers with: the last full sample's figures while a view shows them, else a
// light reading of the time since the previous scrape.
struct LetturaEsportata {
    UsoTotale totale;
    double memoria = 0;               // percent of physical memory in use
    std::uint64_t memoriaFisica = 0;  // bytes
    StatoFonti stato;
    std::vector<UsoProcesso> processi;  // the heaviest ones, only when they are asked for

    bool operator==(const LetturaEsportata&) const = default;
};

enum class FormatoEsposizione { openMetrics, prometheus };

// OpenMetrics unless the Accept header ranks the older text format (text/plain) above it.
FormatoEsposizione formatoPerAccept(std::string_view accept);
// The Content-Type of an answer in that format.
std::string_view tipoContenuto(FormatoEsposizione f);

// A label value (a process name) as the formats want it inside double quotes: backslash, double
// quote and line feed escaped, invalid UTF-8 replaced; nothing else can end the value or the line.
std::string valoreEtichetta(std::string_view testo);

std::string esposizione(const LetturaEsportata& l, FormatoEsposizione f);

}  // namespace pulsaro
