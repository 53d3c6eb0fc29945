// The real probes on Linux: /proc and sysfs stand in for the Mac's host, registry and IOReport.
#include "platform/applicazioni.h"
#include "platform/linux/host_linux.h"
#include "platform/linux/processi_proc.h"
#include "platform/testo_utf8.h"
#include "sampling/core.h"
#include "sampling/sonde.h"
#include "sampling/tick.h"
#include "sistema/linux/energia_linux.h"
#include "sistema/linux/gpu_linux.h"
#include "sistema/linux/npu_linux.h"
#include "sistema/sistema.h"

namespace pulsaro {

namespace {

class SondeLinux : public Sonde {
public:
    Macchina macchina() override { return macchina_; }
    LetturaTick tickCPU() override { return pulsaro::tickCPU(host_); }

    TempiProcessi tempiProcessi() override {
        TempiProcessi lista;
        for (auto& v : leggiProcessiProc("/"))
            lista[v.pid] =
                TempoProcesso{v.cpu, v.memoria, testoUtf8(v.nome), v.eta};  // the kernel allows any bytes
        return lista;
    }

    LetturaGPU letturaGPU(bool completa) override { return letturaGPULinux("/", completa); }
    std::map<std::int32_t, std::string> clientANE() override { return clientANELinux("/"); }
    double memoriaUsata() override { return host_.memoriaUsata(); }

    std::optional<std::string> nomeApplicazione(std::int32_t pid) override {
        return applicazioniDiSistema().nome(pid);
    }

    int processoriAttivi() override { return host_.processoriAttivi(); }
    std::unique_ptr<Energia> creaEnergia() override { return std::make_unique<EnergiaLinux>("/"); }

private:
    HostLinux host_{"/", true};
    const Macchina macchina_ = leggiMacchina(host_);
};

}  // namespace

std::unique_ptr<Sonde> sondeDiSistema() {
    return std::make_unique<SondeLinux>();
}

}  // namespace pulsaro
