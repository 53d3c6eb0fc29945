#include "probes/lettura_gpu.h"

#include <algorithm>
#include <cmath>

#include "probes/creatore.h"

namespace pulsaro {

namespace {

std::optional<double> utilizzo(Registro& registro, const Voce& acceleratore) {
    auto statistiche = registro.proprieta(acceleratore, "PerformanceStatistics");
    const auto* d = statistiche ? statistiche->dizionario() : nullptr;
    if (!d) return std::nullopt;
    auto it = d->find("Device Utilization %");
    if (it == d->end()) return std::nullopt;
    return it->second.numero();
}

// A counter that is not a non-negative whole number adds nothing.
std::uint64_t tempo(const ValoreRegistro& v) {
    if (auto n = std::get_if<std::int64_t>(&v.dato)) return *n >= 0 ? static_cast<std::uint64_t>(*n) : 0;
    if (auto n = std::get_if<double>(&v.dato)) {
        // 2^64 as a double.
        constexpr double limite = 18446744073709551616.0;
        if (std::isfinite(*n) && *n >= 0 && *n < limite && std::trunc(*n) == *n)
            return static_cast<std::uint64_t>(*n);
    }
    return 0;
}

// nullopt unless "AppUsage" is an array made only of dictionaries.
std::optional<std::uint64_t> tempoUso(Registro& registro, const Voce& cliente) {
    auto uso = registro.proprieta(cliente, "AppUsage");
    const auto* lista = uso ? uso->lista() : nullptr;
    if (!lista) return std::nullopt;
    std::uint64_t somma = 0;
    for (const auto& voce : *lista) {
        const auto* d = voce.dizionario();
        if (!d) return std::nullopt;
        auto it = d->find("accumulatedGPUTime");
        if (it != d->end()) somma += tempo(it->second);
    }
    return somma;
}

}  // namespace

LetturaGPU letturaGPU(Registro& registro, bool completa) {
    LetturaGPU lettura;
    auto acceleratori = registro.servizi("IOAccelerator");
    if (!acceleratori || acceleratori->empty()) return lettura;
    lettura.trovata = true;

    for (const Voce& acceleratore : *acceleratori) {
        if (auto u = utilizzo(registro, acceleratore)) lettura.totale = std::max(lettura.totale, *u);
        if (!completa) continue;
        for (const Voce& cliente : registro.discendenti(acceleratore)) {
            auto testo = registro.proprieta(cliente, "IOUserClientCreator");
            const auto* s = testo ? testo->testo() : nullptr;
            if (!s) continue;
            auto creatore = analizzaCreatore(*s);
            if (!creatore) continue;
            auto somma = tempoUso(registro, cliente);
            if (!somma) continue;
            auto& voce = lettura.perPid[creatore->pid];
            voce.first += *somma;
            voce.second = std::move(creatore->nome);
        }
    }
    return lettura;
}

}  // namespace pulsaro
