#include "sistema/linux/gpu_linux.h"

#include <algorithm>

#include "platform/linux/drm.h"

namespace pulsaro {

LetturaGPU letturaGPULinux(const std::string& radice, bool completa) {
    LetturaGPU lettura;
    auto schede = schedeDRM(radice);
    lettura.assente = schede.empty();
    // A card whose driver offers its load but cannot give it fails; one that offers none still
    // works through its clients' times.
    lettura.trovata =
        std::any_of(schede.begin(), schede.end(), [](const SchedaDRM& s) { return !s.illeggibile; });
    if (!lettura.trovata) return lettura;
    for (const auto& s : schede)
        if (s.occupazione) lettura.totale = std::max(lettura.totale, *s.occupazione);
    if (!completa) return lettura;
    for (auto& [pid, t] : tempiGPU(radice)) lettura.perPid[pid] = {t.ns, std::move(t.nome)};
    return lettura;
}

}  // namespace pulsaro
