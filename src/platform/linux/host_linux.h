// The host readings of Linux, from /proc and sysfs under a root folder (tests pass a fake tree).
#pragma once

#include <string>

#include "platform/host.h"

namespace pulsaro {

class HostLinux : public Host {
public:
    // radice: the folder that holds proc/ and sys/. sistemaInCorso: that tree is the running
    // system's own, so the C library may answer what sysfs does not; a test tree has no such help.
    HostLinux(std::string radice, bool sistemaInCorso);

    std::optional<std::vector<ContatoriCore>> contatoriCPU() override;
    double memoriaUsata() override;
    std::vector<ClasseCore> classiCore() override;
    int processori() override;
    int processoriAttivi() override;
    std::uint64_t memoriaFisica() override;
    std::optional<long long> corePrestazioni() override;
    std::optional<long long> coreEfficienza() override;
    std::optional<long long> coreGPU() override;

private:
    std::string percorso(const std::string& relativo) const;
    // How many CPUs a sysfs list file names; nullopt when it is missing or empty.
    std::optional<int> contaCpu(const char* file) const;
    std::string radice_;
    bool sistemaInCorso_;
};

// "0-3,8,10-11" → the numbers it lists; malformed pieces are skipped.
std::vector<int> leggiElencoCpu(const std::string& testo);

}  // namespace pulsaro
