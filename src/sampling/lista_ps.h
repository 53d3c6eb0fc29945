// The process listing tool's output ("pid=,cputime=,etime=,rss=,comm=") read into the listing map.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sampling/sonde.h"

namespace pulsaro {

// The listing tool and the arguments that make it print the five columns read below; the elapsed
// time tells a process born since the previous sample from one missing from its listing.
inline constexpr std::string_view percorsoPs = "/bin/ps";
inline constexpr std::array<std::string_view, 3> argomentiPs = {"-A", "-o",
                                                                "pid=,cputime=,etime=,rss=,comm="};

// One entry per id; a later line for the same id replaces an earlier one. Malformed lines are
// skipped, unreadable CPU time or memory count as 0, invalid UTF-8 becomes U+FFFD.
TempiProcessi leggiListaPs(std::string_view testo);

// "mm:ss.cc", "hh:mm:ss" or "dd-hh:mm:ss" in seconds; unreadable parts count as 0.
double tempoCPU(std::string_view testo);

// An elapsed time in the same forms, every part readable; nullopt otherwise.
std::optional<double> tempoTrascorso(std::string_view testo);

// A decimal number (optional sign, digits, optional fraction); nullopt otherwise.
std::optional<double> numeroDecimale(std::string_view testo);

// The text after the last slash, ignoring trailing slashes.
std::string_view ultimoComponente(std::string_view percorso);

}  // namespace pulsaro
