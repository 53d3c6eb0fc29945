#include "sampling/uso.h"

#include "platform/host.h"
#include "sampling/tick.h"

namespace pulsaro {

const std::vector<std::string>& CoreImpegnati::tipi() {
    // Read once; a static local is initialised once even when reached from two threads.
    static const std::vector<std::string> t = tabellaCore(hostDiSistema().classiCore());
    return t;
}

int CoreImpegnati::numeroP() {
    static const int processori = hostDiSistema().processori();
    return contaP(tipi(), processori);
}

int CoreImpegnati::numeroE() {
    return contaE(tipi());
}

CoreImpegnati CoreImpegnati::conta(const std::vector<Tick>& prima, const std::vector<Tick>& dopo) {
    return contaCore(prima, dopo, tipi());
}

std::string CoreImpegnati::testo() const {
    return testoCore(*this, numeroP(), numeroE());
}

std::string testoCore(const CoreImpegnati& c, int numeroP, int numeroE) {
    std::string t = std::to_string(c.totale()) + "/" + std::to_string(numeroP + numeroE) + " core";
    if (numeroE >= 1) t += " (P " + std::to_string(c.p) + " \u00B7 E " + std::to_string(c.e) + ")";
    return t;
}

}  // namespace pulsaro
