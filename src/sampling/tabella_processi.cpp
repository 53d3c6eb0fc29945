#include "sampling/tabella_processi.h"

#include <algorithm>

namespace pulsaro {

RisultatoTabella costruisciTabella(const IngressoTabella& in) {
    RisultatoTabella r;
    const double dt = in.dt > 0.05 ? in.dt : 0.05;
    const int core = in.core > 0 ? in.core : 1;

    if (in.lista) {
        for (const auto& [id, t] : *in.lista) {
            // A process born after the previous sample spent all its time within the interval; one
            // missing from the previous listing for another reason has no baseline and shows 0.
            double prima = t.eta && *t.eta < dt ? 0 : t.cpu;
            if (in.cpuPrec) {
                auto it = in.cpuPrec->find(id);
                if (it != in.cpuPrec->end()) prima = it->second;
            }
            double d = t.cpu - prima;
            if (!(d > 0)) d = 0;
            double quota = std::min(d / dt / core * 100.0, 100.0);
            r.tabella[id] = UsoProcesso{id, t.nome, quota, 0, 0, false, t.memoria, t.avvio.value_or(0)};
            r.cpuPrec[id] = t.cpu;
        }
    }
    if (in.gpu) {
        for (const auto& [id, coppia] : *in.gpu) {
            const auto& [tempo, nome] = coppia;
            double quota = 0;
            if (in.gpuPrec) {
                auto it = in.gpuPrec->find(id);
                if (it != in.gpuPrec->end() && tempo >= it->second)
                    quota = static_cast<double>(tempo - it->second) / (dt * 1e9) * 100.0;
            }
            auto [it, nuovo] = r.tabella.try_emplace(id, UsoProcesso{id, nome, 0, 0, 0, false, 0});
            it->second.gpu = std::min(quota, 100.0);
            r.gpuPrec[id] = tempo;
        }
    }
    if (in.client) {
        for (const auto& [id, nome] : *in.client) {
            auto [it, nuovo] = r.tabella.try_emplace(id, UsoProcesso{id, nome, 0, 0, 0, false, 0});
            it->second.ane = in.quotaANE;
            it->second.usaANE = true;
        }
    }
    return r;
}

std::vector<UsoProcesso> primiProcessi(
    const std::map<std::int32_t, UsoProcesso>& tabella, int quanti,
    const std::function<std::optional<std::string>(std::int32_t)>& nomeApp) {
    std::vector<UsoProcesso> tutti;
    tutti.reserve(tabella.size());
    for (const auto& [id, u] : tabella) tutti.push_back(u);
    const auto n = std::min<std::size_t>(tutti.size(), static_cast<std::size_t>(std::max(quanti, 0)));
    auto prima = [](const UsoProcesso& a, const UsoProcesso& b) {
        if (a.punteggio() != b.punteggio()) return a.punteggio() > b.punteggio();
        return a.memoria > b.memoria;
    };
    std::partial_sort(tutti.begin(), tutti.begin() + static_cast<std::ptrdiff_t>(n), tutti.end(), prima);
    tutti.resize(n);
    if (nomeApp)
        for (auto& u : tutti)
            if (auto nome = nomeApp(u.id); nome && !nome->empty()) u.nome = std::move(*nome);
    return tutti;
}

}  // namespace pulsaro
