// The real probes on macOS: Mach host statistics, the process listing tool, the I/O registry
// and the IOReport library.
#include <chrono>

#include "platform/applicazioni.h"
#include "platform/esegui.h"
#include "platform/host.h"
#include "platform/ioreport.h"
#include "platform/registro.h"
#include "probes/client_ane.h"
#include "probes/ioreport_energia.h"
#include "probes/lettura_gpu.h"
#include "sampling/core.h"
#include "sampling/lista_ps.h"
#include "sampling/sonde.h"
#include "sampling/tick.h"
#include "sistema/sistema.h"

namespace pulsaro {

namespace {

class SondeMacos : public Sonde {
public:
    Macchina macchina() override { return macchina_; }
    LetturaTick tickCPU() override { return pulsaro::tickCPU(hostDiSistema()); }

    TempiProcessi tempiProcessi() override {
        // A listing tool that hangs must not freeze sampling: it is given a few seconds.
        auto uscita = eseguiProgramma(std::string(percorsoPs),
                                      std::vector<std::string>(argomentiPs.begin(), argomentiPs.end()),
                                      std::chrono::seconds(3));
        if (!uscita) return {};
        return leggiListaPs(*uscita);
    }

    LetturaGPU letturaGPU(bool completa) override {
        return pulsaro::letturaGPU(registroDiSistema(), completa);
    }
    std::map<std::int32_t, std::string> clientANE() override {
        return pulsaro::clientANE(registroDiSistema());
    }
    double memoriaUsata() override { return hostDiSistema().memoriaUsata(); }
    std::uint64_t memoriaFisica() override { return hostDiSistema().memoriaFisica(); }

    std::optional<std::string> nomeApplicazione(std::int32_t pid) override {
        return applicazioniDiSistema().nome(pid);
    }

    int processoriAttivi() override { return hostDiSistema().processoriAttivi(); }
    std::unique_ptr<Energia> creaEnergia() override {
        return std::make_unique<IOReportEnergia>(caricaIOReport());
    }

private:
    const Macchina macchina_ = leggiMacchina(hostDiSistema());
};

}  // namespace

std::unique_ptr<Sonde> sondeDiSistema() {
    return std::make_unique<SondeMacos>();
}

}  // namespace pulsaro
