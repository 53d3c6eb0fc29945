// The real probes on Linux: /proc and sysfs stand in for the Mac's host, registry and IOReport.
#include "platform/linux/host_linux.h"
#include "sampling/sonde.h"
#include "sampling/tick.h"

namespace pulsaro {

namespace {

class SondeLinux : public Sonde {
public:
    LetturaTick tickCPU() override { return pulsaro::tickCPU(host_); }
    ListaProcessi tempiProcessi() override { return {}; }
    LetturaGPU letturaGPU(bool) override { return {}; }
    std::map<std::int32_t, std::string> clientANE() override { return {}; }
    double memoriaUsata() override { return host_.memoriaUsata(); }
    std::optional<std::string> nomeApplicazione(std::int32_t) override { return std::nullopt; }
    int processoriAttivi() override { return host_.processoriAttivi(); }
    std::unique_ptr<Energia> creaEnergia() override { return std::make_unique<EnergiaAssente>(); }

private:
    HostLinux host_{"/"};
};

}  // namespace

std::unique_ptr<Sonde> sondeDiSistema() { return std::make_unique<SondeLinux>(); }

}  // namespace pulsaro
