// Running a helper program and collecting what it prints.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace pulsaro {

// Runs the executable at `percorso` (no shell, no search path) with `argomenti`, standard input
// and error on the null device, and returns its standard output read to the end. The exit status
// is not looked at. nullopt when it cannot be started, or when it has not finished within
// `limite` (it is then killed). The child is always reaped and no descriptor is left open.
std::optional<std::string> eseguiProgramma(const std::string& percorso,
                                           const std::vector<std::string>& argomenti,
                                           std::chrono::milliseconds limite);

// CPU seconds (user + system) used so far by this process's children that have been reaped.
double secondiCpuFigli();

}  // namespace pulsaro
