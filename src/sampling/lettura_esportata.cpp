// The monitor's side of a scrape: the figures it answers with, read on the sampling queue.
#include <algorithm>
#include <chrono>

#include "sampling/monitor.h"
#include "sampling/tabella_processi.h"
#include "sampling/tick.h"

namespace pulsaro {

struct Monitor::Esportazione {
    std::uint64_t memoriaFisica = 0;
    // The last full sample, its per-process table kept for the heaviest processes.
    std::optional<LetturaEsportata> campione;
    Coda::Istante istanteCampione;
    std::map<std::int32_t, UsoProcesso> tabella;
    // The scrapes' own readings while no full sample runs: baselines and the last answer.
    LetturaTick tick;
    std::map<std::int32_t, double> cpuPrec;
    std::map<std::int32_t, std::uint64_t> gpuPrec;
    std::optional<Coda::Istante> istante;
    LetturaEsportata ultima;
    int processiUltima = 0;
};

namespace {
// Scrapes closer than this share one reading: several scrapers, or a flood, cost one.
constexpr std::chrono::seconds condivisa{1};
// A full sample older than this (views closed since) no longer answers.
constexpr std::chrono::seconds validitaCampione{10};
}  // namespace

void Monitor::leggiPerEsportare(int processi, std::function<void(LetturaEsportata)> consegna) {
    std::weak_ptr<Monitor> debole = weak_from_this();
    processi = std::clamp(processi, 0, massimoProcessiEsportati);
    coda_.async([debole, processi, consegna = std::move(consegna)] {
        if (auto m = debole.lock()) consegna(m->letturaEsportata(processi));
    });
}

void Monitor::ricordaPerEsportare(const UsoTotale& totale, double memoria, const StatoFonti& stato,
                                  std::map<std::int32_t, UsoProcesso> tabella) {
    // Nothing kept until somebody scrapes.
    if (!esportazione_) return;
    Esportazione& e = *esportazione_;
    e.campione = LetturaEsportata{totale, memoria, e.memoriaFisica, stato, {}};
    e.istanteCampione = coda_.ora();
    e.tabella = std::move(tabella);
}

LetturaEsportata Monitor::letturaEsportata(int processi) {
    if (!esportazione_) {
        esportazione_ = std::make_shared<Esportazione>();
        esportazione_->memoriaFisica = sonde_.memoriaFisica();
    }
    Esportazione& e = *esportazione_;
    auto nomeApp = [this](std::int32_t id) { return sonde_.nomeApplicazione(id); };
    const auto adesso = coda_.ora();

    // A view keeps full samples running: the scrape costs nothing more.
    if (timerEsiste_.load() && e.campione && adesso - e.istanteCampione < validitaCampione) {
        LetturaEsportata l = *e.campione;
        if (processi > 0) l.processi = primiProcessi(e.tabella, processi, nomeApp);
        return l;
    }
    if (e.istante && adesso - *e.istante < condivisa && e.processiUltima >= processi) {
        LetturaEsportata l = e.ultima;
        if (l.processi.size() > static_cast<std::size_t>(processi))
            l.processi.resize(static_cast<std::size_t>(processi));
        return l;
    }

    // A light reading of the time since the previous scrape; the first one has no baseline.
    double dt = e.istante ? std::chrono::duration<double>(adesso - *e.istante).count() : 0;
    if (!(dt > 0.05)) dt = 0.05;
    e.istante = adesso;
    const LetturaTick t = sonde_.tickCPU();
    LetturaEsportata l;
    l.totale.cpu = percentualeCPU(e.tick, t);
    l.totale.core = coreImpegnati(e.tick.perCore, t.perCore);
    const bool tickMossi = t.totali != 0 && t.totali != e.tick.totali;
    if (t.totali != 0) e.tick = t;

    const LetturaGPU gpu = sonde_.letturaGPU(processi > 0);
    const Potenze potenze = energia_->leggi();
    piccoANE_ = piccoANE(piccoANE_, potenze.ane);
    if (auto a = energia_->attivitaANE())
        l.totale.ane = std::clamp(*a * 100.0, 0.0, 100.0);
    else
        l.totale.ane = utilizzoANEDaPotenza(potenze.ane, energia_->numeroANE(), piccoANE_);
    l.totale.gpu = gpu.totale;
    l.totale.gpuWatt = potenze.gpu;
    l.totale.aneWatt = potenze.ane;
    l.memoria = memoriaUsata(sonde_);
    l.memoriaFisica = e.memoriaFisica;
    l.stato = StatoFonti{tickMossi, gpu.trovata, energia_->pronta(), gpu.assente, energia_->assente()};

    if (processi > 0) {
        const TempiProcessi lista = sonde_.tempiProcessi();
        const auto client = sonde_.clientANE();
        IngressoTabella in;
        in.lista = &lista;
        in.dt = dt;
        in.core = core_;
        in.cpuPrec = &e.cpuPrec;
        in.gpuPrec = &e.gpuPrec;
        in.gpu = &gpu.perPid;
        in.client = &client;
        in.quotaANE = client.empty() ? 0 : l.totale.ane / static_cast<double>(client.size());
        RisultatoTabella r = costruisciTabella(in);
        e.cpuPrec = std::move(r.cpuPrec);
        e.gpuPrec = std::move(r.gpuPrec);
        l.processi = primiProcessi(r.tabella, processi, nomeApp);
        l.stato.cpu = l.stato.cpu && !lista.empty();
        // Nobody else lists: nothing stays open until the next scrape.
        if (!timerEsiste_.load()) sonde_.riposa();
    }
    e.ultima = l;
    e.processiUltima = processi;
    return l;
}

}  // namespace pulsaro
