#include "sampling/core.h"

#include "platform/host.h"

namespace pulsaro::Core {

std::string testoProcessore(int processori, std::optional<long long> p0, std::optional<long long> p1) {
    std::string t = std::to_string(processori) + " core";
    if (p0 && p1 && *p0 + *p1 == processori)
        t += " (" + std::to_string(*p0) + " + " + std::to_string(*p1) + ")";
    return t;
}

std::string testoGPU(std::optional<long long> core) {
    return core ? std::to_string(*core) + " core" : "Funziona";
}

std::string testoProcessore(Host& host) {
    return testoProcessore(host.processori(), host.valoreSistema("hw.perflevel0.physicalcpu"),
                           host.valoreSistema("hw.perflevel1.physicalcpu"));
}

const std::string& cpu() {
    static const std::string t = testoProcessore(hostDiSistema());
    return t;
}

const std::string& gpu() {
    static const std::string t = testoGPU(hostDiSistema().coreGPU());
    return t;
}

std::optional<long long> sysctl(const std::string& nome) {
    return hostDiSistema().valoreSistema(nome);
}

}  // namespace pulsaro::Core
