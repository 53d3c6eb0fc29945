// The real probes on Linux: /proc and sysfs stand in for the Mac's host, registry and IOReport.
#include <unordered_map>
#include <utility>

#include "platform/applicazioni.h"
#include "platform/linux/applicazioni_linux.h"
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
        avvii_.clear();
        for (auto& v : processi_.leggi()) {
            lista[v.pid] = TempoProcesso{v.cpu, v.memoria, testoUtf8(v.nome), v.eta,
                                         v.avvio};  // the kernel allows any bytes
            avvii_[v.pid] = {v.avvio, std::move(v.nome)};
        }
        return lista;
    }

    LetturaGPU letturaGPU(bool completa) override { return letturaGPULinux("/", completa); }
    std::map<std::int32_t, std::string> clientANE() override { return clientANELinux("/"); }
    double memoriaUsata() override { return host_.memoriaUsata(); }
    std::uint64_t memoriaFisica() override { return host_.memoriaFisica(); }

    std::optional<std::string> nomeApplicazione(std::int32_t pid) override {
        // The listing just read says which process the pid is: its stat line is not read again.
        if (const auto it = avvii_.find(pid); it != avvii_.end())
            return Applicazioni::soloNome(
                applicazioniDesktop().applicazione(pid, it->second.first, it->second.second));
        return applicazioniDesktop().nome(pid);
    }

    int processoriAttivi() override { return host_.processoriAttivi(); }
    std::unique_ptr<Energia> creaEnergia() override { return std::make_unique<EnergiaLinux>("/"); }
    void riposa() override { processi_.chiudi(); }

private:
    HostLinux host_{"/", true};
    LettoreProcessi processi_;
    // Start time and raw command name of each pid in the last listing.
    std::unordered_map<std::int32_t, std::pair<std::uint64_t, std::string>> avvii_;
    const Macchina macchina_ = leggiMacchina(host_);
};

}  // namespace

std::unique_ptr<Sonde> sondeDiSistema() {
    return std::make_unique<SondeLinux>();
}

}  // namespace pulsaro
