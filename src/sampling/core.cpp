#include "sampling/core.h"

#include "platform/host.h"
#include "sampling/tick.h"

namespace pulsaro {

namespace Core {

std::string testoProcessore(int processori, std::optional<long long> p0, std::optional<long long> p1) {
    std::string t = std::to_string(processori) + " core";
    if (p0 && p1 && *p0 + *p1 == processori)
        t += " (" + std::to_string(*p0) + " + " + std::to_string(*p1) + ")";
    return t;
}

std::string testoGPU(std::optional<long long> core) {
    return core ? std::to_string(*core) + " core" : "Funziona";
}

}  // namespace Core

Macchina leggiMacchina(Host& host) {
    Macchina m;
    const int processori = host.processori();
    m.tipi = tabellaCore(host.classiCore());
    m.numeroP = contaP(m.tipi, processori);
    m.numeroE = contaE(m.tipi);
    m.testoCPU = Core::testoProcessore(processori, host.corePrestazioni(), host.coreEfficienza());
    m.testoGPU = Core::testoGPU(host.coreGPU());
    return m;
}

}  // namespace pulsaro
