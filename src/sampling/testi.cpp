#include "sampling/testi.h"

#include <cstdio>
#include <vector>

namespace pulsaro {

std::string testoStato(const StatoFonti& stato) {
    std::vector<std::string> nomi;
    if (!stato.cpu) nomi.emplace_back("CPU");
    if (!stato.gpu) nomi.emplace_back("GPU");
    if (!stato.ane) nomi.emplace_back("Neural Engine");
    if (nomi.empty()) return "Tutto funziona";
    if (nomi.size() == 1) return nomi[0] + " non disponibile";
    std::string t;
    for (std::size_t i = 0; i + 1 < nomi.size(); ++i) {
        if (i > 0) t += ", ";
        t += nomi[i];
    }
    return t + " e " + nomi.back() + " non disponibili";
}

std::string testoAssenti(const StatoFonti& stato) {
    if (stato.gpuAssente && stato.aneAssente) return "Nessuna GPU né NPU rilevata";
    if (stato.gpuAssente) return "Nessuna GPU rilevata";
    if (stato.aneAssente) return "Nessuna NPU rilevata";
    return {};
}

std::string testoFonti(const StatoFonti& stato) {
    const std::string assenti = testoAssenti(stato);
    return testoStato(stato.guasti()) + (assenti.empty() ? "" : " \u00B7 " + assenti);
}

std::string memoriaTesto(std::uint64_t byte) {
    const double mb = static_cast<double>(byte) / 1048576.0;
    char buf[64];
    if (mb >= 1024) {
        std::snprintf(buf, sizeof buf, "%.1f GB", mb / 1024.0);
        std::string t = buf;
        for (auto& c : t)
            if (c == '.') c = ',';
        return t;
    }
    std::snprintf(buf, sizeof buf, "%.0f MB", mb);
    return buf;
}

}  // namespace pulsaro
