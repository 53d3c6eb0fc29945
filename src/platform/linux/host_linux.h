// The host readings of Linux, from /proc and sysfs under a root folder (tests pass a fake tree).
#pragma once

#include <string>

#include "platform/host.h"

namespace pulsaro {

class HostLinux : public Host {
public:
    explicit HostLinux(std::string radice = "/");

    std::optional<std::vector<ContatoriCore>> contatoriCPU() override;
    double memoriaUsata() override;
    std::vector<ClasseCore> classiCore() override;
    int processori() override;
    int processoriAttivi() override;
    std::uint64_t memoriaFisica() override;
    std::optional<long long> valoreSistema(const std::string& nome) override;
    std::optional<long long> coreGPU() override;

private:
    std::string percorso(const std::string& relativo) const;
    // How many CPUs a sysfs list file names; nullopt when it is missing or empty.
    std::optional<int> contaCpu(const char* file) const;
    std::string radice_;
};

// "0-3,8,10-11" → the numbers it lists; malformed pieces are skipped.
std::vector<int> leggiElencoCpu(const std::string& testo);

}  // namespace pulsaro
