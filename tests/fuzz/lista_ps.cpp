// The process listing tool's output, and the time and number fields inside it.
#include <cmath>

#include "fuzz/fuzz.h"
#include "platform/testo_utf8.h"
#include "sampling/lista_ps.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto t = fuzz::testo(dati, n);
    for (const auto& [pid, voce] : leggiListaPs(t)) {
        fuzz::verifica(std::isfinite(voce.cpu), "tempo CPU finito");
        fuzz::verifica(utf8Valido(voce.nome), "nome in UTF-8");
        fuzz::verifica(!voce.eta || (std::isfinite(*voce.eta) && *voce.eta >= 0), "età finita");
    }
    fuzz::verifica(std::isfinite(tempoCPU(t)), "tempoCPU finito");
    if (auto d = numeroDecimale(t)) fuzz::verifica(std::isfinite(*d), "numero decimale finito");
    const auto ultimo = ultimoComponente(t);
    fuzz::verifica(ultimo.size() <= t.size(), "ultimo componente dentro il percorso");
    return 0;
}
