#include "sistema/linux/gpu_linux.h"

#include <algorithm>

#include "platform/linux/drm.h"

namespace pulsaro {

LetturaGPU letturaGPULinux(const std::string& radice, bool completa) {
    LetturaGPU lettura;
    auto schede = schedeDRM(radice);
    if (schede.empty()) return lettura;
    lettura.trovata = true;
    for (const auto& s : schede)
        if (s.occupazione) lettura.totale = std::max(lettura.totale, *s.occupazione);
    if (!completa) return lettura;
    for (auto& [pid, t] : tempiGPU(radice)) lettura.perPid[pid] = {t.ns, std::move(t.nome)};
    return lettura;
}

}  // namespace pulsaro
