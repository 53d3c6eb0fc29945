// Probes that read nothing worth showing: the gallery and the panel benchmarks set the monitor's
// published values themselves, on a monitor of a fixed 6 P + 4 E machine.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/monitor.h"
#include "sampling/sonde.h"

namespace pulsaro::prova {

struct SondeMute : Sonde {
    Macchina macchina() override { return {{}, 6, 4, "10 core (6 + 4)", "10 core"}; }
    LetturaTick tickCPU() override { return {1, 2, {{1, 2}}}; }
    TempiProcessi tempiProcessi() override { return {{1, {1, 1, "x"}}}; }
    LetturaGPU letturaGPU(bool) override { return {{}, 0, true}; }
    std::map<std::int32_t, std::string> clientANE() override { return {}; }
    double memoriaUsata() override { return 50; }
    std::optional<std::string> nomeApplicazione(std::int32_t) override { return std::nullopt; }
    int processoriAttivi() override { return 10; }
    std::unique_ptr<Energia> creaEnergia() override { return std::make_unique<EnergiaAssente>(); }
};

// A monitor on those probes, a manual queue and in-memory preferences.
struct ScenaMuta {
    SondeMute sonde;
    CodaManuale coda;
    PreferenzeInMemoria preferenze;
    std::shared_ptr<Monitor> monitor = Monitor::crea(sonde, coda, [](std::function<void()>) {});
};

}  // namespace pulsaro::prova
