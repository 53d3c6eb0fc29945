// Fixed description texts of the processor and the GPU, shown by the settings window.
#pragma once

#include <optional>
#include <string>

namespace pulsaro {

class Host;

namespace Core {

// "10 core (6 + 4)" or "10 core"; read once.
const std::string& cpu();
// "10 core" or "Funziona"; read once.
const std::string& gpu();
std::optional<long long> sysctl(const std::string& nome);

std::string testoProcessore(int processori, std::optional<long long> p0, std::optional<long long> p1);
std::string testoGPU(std::optional<long long> core);
std::string testoProcessore(Host& host);

}  // namespace Core
}  // namespace pulsaro
