// Probes and energy readers whose answers and call counts the tests control.
#pragma once

#include <functional>
#include <vector>

#include "sampling/sonde.h"

namespace pulsaro::prova {

struct EnergiaFinta : Energia {
    Potenze potenze;
    std::optional<double> attivita;
    bool impostata = true;
    bool manca = false;  // the machine has no Neural Engine at all

    Potenze leggi() override { return potenze; }
    std::optional<double> attivitaANE() override { return attivita; }
    int numeroANE() const override { return 1; }
    bool pronta() const override { return impostata; }
    bool assente() const override { return manca; }
};

struct SondeFinte : Sonde {
    LetturaTick tick{100, 1000, {{50, 500}, {50, 500}}};
    TempiProcessi lista{{1, {1.0, 4096, "launchd"}}};
    LetturaGPU gpu{{}, 0, true};
    std::map<std::int32_t, std::string> client;
    std::map<std::int32_t, std::string> applicazioni;
    double memoria = 50;
    int attivi = 2;
    Macchina fatti{{}, 2, 0, "2 core", "Funziona"};

    int chiamateTick = 0, chiamateLista = 0, chiamateGPU = 0, chiamateMemoria = 0, riposi = 0;
    bool trattiene = false;           // a listing since the last rest, as the real one keeps files open
    EnergiaFinta* energia = nullptr;  // owned by the monitor

    Macchina macchina() override { return fatti; }
    LetturaTick tickCPU() override {
        ++chiamateTick;
        return tick;
    }
    TempiProcessi tempiProcessi() override {
        ++chiamateLista;
        trattiene = true;
        return lista;
    }
    LetturaGPU letturaGPU(bool completa) override {
        if (completa) ++chiamateGPU;
        return gpu;
    }
    std::map<std::int32_t, std::string> clientANE() override { return client; }
    double memoriaUsata() override {
        ++chiamateMemoria;
        return memoria;
    }
    std::optional<std::string> nomeApplicazione(std::int32_t pid) override {
        auto it = applicazioni.find(pid);
        if (it == applicazioni.end()) return std::nullopt;
        return it->second;
    }
    int processoriAttivi() override { return attivi; }
    void riposa() override {
        ++riposi;
        trattiene = false;
    }
    std::unique_ptr<Energia> creaEnergia() override {
        auto e = std::make_unique<EnergiaFinta>();
        energia = e.get();
        return e;
    }

    // Adds busy and idle ticks to every core, as a later reading would show.
    void avanzaTick(std::uint64_t occupati, std::uint64_t liberi) {
        tick.occupati = tick.totali = 0;
        for (auto& c : tick.perCore) {
            c.occupati += occupati;
            c.totali += occupati + liberi;
            tick.occupati += c.occupati;
            tick.totali += c.totali;
        }
    }
};

}  // namespace pulsaro::prova
