#include "sampling/monitor.h"

#include <algorithm>

#include "platform/tabella_preferenze.h"
#include "sampling/tabella_processi.h"
#include "sampling/tick.h"

namespace pulsaro {

double memoriaUsata(Sonde& sonde) {
    const double p = sonde.memoriaUsata();
    if (!(p > 0)) return 0;
    return std::min(p, 100.0);
}

double piccoANE(double picco, double watt) {
    return std::max(picco * 0.999, watt);
}

double utilizzoANEDaPotenza(double watt, int numeroANE, double picco) {
    const double riferimento = std::max(8.0 * std::max(numeroANE, 1), picco);
    // Counters that ran backwards give negative power: no activity, not a negative one.
    return std::clamp(watt / riferimento * 100.0, 0.0, 100.0);
}

std::shared_ptr<Monitor> Monitor::crea(Sonde& sonde, Coda& coda, Principale principale) {
    std::shared_ptr<Monitor> m(new Monitor(sonde, coda, std::move(principale)));
    m->avvia();
    return m;
}

namespace {
// Before the first sample the figures are 0 but the machine's core counts are already known.
UsoTotale totaleIniziale(const Macchina& m) {
    UsoTotale t;
    t.core = CoreImpegnati{0, 0, m.numeroP, m.numeroE};
    return t;
}

Riepilogo riepilogoIniziale(const Macchina& m) {
    Riepilogo r;
    r.core = CoreImpegnati{0, 0, m.numeroP, m.numeroE};
    return r;
}
}  // namespace

Monitor::Monitor(Sonde& sonde, Coda& coda, Principale principale)
    : totale(totaleIniziale(sonde.macchina())),
      stato(StatoFonti{}),
      riepilogo(riepilogoIniziale(sonde.macchina())),
      sonde_(sonde),
      coda_(coda),
      principale_(std::move(principale)),
      numeroProcessi_(static_cast<int>(TabellaPreferenze::numeroPannelli.predefinito)),
      core_(std::max(1, sonde.processoriAttivi())),
      macchina_(sonde.macchina()),
      energia_(sonde.creaEnergia()),
      numeroCoda_(numeroProcessi_),
      tickLeggero_(sonde.tickCPU()),
      tickPrec_(sonde.tickCPU()),
      istantePrec_(coda.ora()) {}

void Monitor::avvia() {
    std::weak_ptr<Monitor> debole = weak_from_this();
    coda_.async([debole] {
        if (auto m = debole.lock()) m->verifica();
    });
    avviaControllo();
}

Monitor::~Monitor() {
    for (auto* t : {&timer_, &leggero_, &controllo_})
        if (*t) (*t)->annulla();
}

Abbonamento Monitor::osservaCambiamenti(std::function<void()> prima) {
    return annunci_.aggiungi(std::move(prima));
}

CoreImpegnati Monitor::coreImpegnati(const std::vector<Tick>& prima, const std::vector<Tick>& dopo) const {
    CoreImpegnati c = contaCore(prima, dopo, macchina_.tipi);
    c.numeroP = macchina_.numeroP;
    c.numeroE = macchina_.numeroE;
    return c;
}

template <class T>
void Monitor::assegna(Pubblicato<T>& membro, T valore) {
    annunci_.chiama();
    membro.assegna(std::move(valore));
}

void Monitor::avviaControllo() {
    if (controllo_) controllo_->annulla();
    std::weak_ptr<Monitor> debole = weak_from_this();
    controllo_ = coda_.timer(60, 60, 10, [debole] {
        if (auto m = debole.lock()) m->verifica();
    });
}

Monitor::Interesse Monitor::interesse() {
    if (interessati_++ == 0) {
        if (controllo_) controllo_->annulla();
        controllo_.reset();
        riavvia(0.35);
    }
    return Interesse(weak_from_this());
}

void Monitor::lascia() {
    if (interessati_ == 0 || --interessati_ > 0) return;
    if (timer_) timer_->annulla();
    timer_.reset();
    timerEsiste_ = false;
    std::weak_ptr<Monitor> debole = weak_from_this();
    coda_.async([debole] {
        if (auto m = debole.lock()) m->sonde_.riposa();
    });
    avviaControllo();
}

Monitor::Interesse& Monitor::Interesse::operator=(Interesse&& altro) noexcept {
    if (this != &altro) {
        finisci();
        monitor_ = std::exchange(altro.monitor_, {});
    }
    return *this;
}

void Monitor::Interesse::finisci() {
    if (auto m = std::exchange(monitor_, {}).lock()) m->lascia();
}

void Monitor::riavvia(std::optional<double> primo) {
    if (timer_) timer_->annulla();
    timer_.reset();
    timerEsiste_ = false;
    if (interessati_ == 0) return;
    std::weak_ptr<Monitor> debole = weak_from_this();
    coda_.async([debole] {
        if (auto m = debole.lock()) m->azzeraRiferimenti();
    });
    timer_ = coda_.timer(primo.value_or(intervallo()), intervallo(), 0, [debole] {
        if (auto m = debole.lock()) m->campiona();
    });
    timerEsiste_ = true;
}

void Monitor::impostaIntervallo(double secondi) {
    // A zero or negative period would spin the queue.
    assegna(intervallo, secondi > 0.01 ? secondi : 0.01);
    riavvia(std::nullopt);
}

void Monitor::impostaSeguito(std::optional<std::int32_t> id, std::uint64_t avvio) {
    avvioSeguito_ = id ? avvio : 0;
    assegna(seguito, id);
    std::weak_ptr<Monitor> debole = weak_from_this();
    coda_.async([debole, id, avvio = avvioSeguito_] {
        if (auto m = debole.lock()) {
            m->seguitoCoda_ = id;
            m->avvioSeguitoCoda_ = avvio;
        }
    });
}

bool Monitor::eSeguito(const UsoProcesso& p) const {
    return seguito() == p.id && (avvioSeguito_ == 0 || p.avvio == 0 || p.avvio == avvioSeguito_);
}

void Monitor::impostaNumeroProcessi(int n) {
    numeroProcessi_ = std::max(n, 0);
    std::weak_ptr<Monitor> debole = weak_from_this();
    coda_.async([debole, n = numeroProcessi_] {
        if (auto m = debole.lock()) m->numeroCoda_ = n;
    });
}

void Monitor::riquadro(bool acceso) {
    if (leggero_) leggero_->annulla();
    leggero_.reset();
    leggeroEsiste_ = acceso;
    if (!acceso) return;
    std::weak_ptr<Monitor> debole = weak_from_this();
    leggero_ = coda_.timer(0.3, 2.0, 0.3, [debole] {
        if (auto m = debole.lock()) m->campionaLeggero();
    });
}

void Monitor::verificaOra() {
    std::weak_ptr<Monitor> debole = weak_from_this();
    coda_.async([debole] {
        if (auto m = debole.lock()) m->verifica();
    });
}

// --- queue -----------------------------------------------------------------------------------

void Monitor::verifica() {
    const auto t = sonde_.tickCPU();
    const bool cpu = t.totali != 0 && !sonde_.tempiProcessi().empty();
    const LetturaGPU g = sonde_.letturaGPU(false);
    // The check's own listing keeps nothing open at rest.
    if (!timerEsiste_.load()) sonde_.riposa();
    // With no sample running the history gets the totals this check can read cheaply.
    std::optional<Misure> cifre;
    if (!timerEsiste_.load() && !leggeroEsiste_.load()) {
        cifre.emplace();
        if (t.totali != 0 && tickControllo_.totali != 0) {
            const CoreImpegnati core = coreImpegnati(tickControllo_.perCore, t.perCore);
            cifre->imposta(Figura::cpu, percentualeCPU(tickControllo_, t));
            cifre->imposta(Figura::coreP, core.p);
            cifre->imposta(Figura::coreE, core.e);
        }
        cifre->imposta(Figura::memoria, memoriaUsata(sonde_));
        if (g.trovata) cifre->imposta(Figura::gpu, g.totale);
    }
    if (t.totali != 0) tickControllo_ = t;
    pubblica(StatoFonti{cpu, g.trovata, energia_->pronta(), g.assente, energia_->assente()}, cifre);
}

void Monitor::pubblica(StatoFonti s, std::optional<Misure> cifre) {
    std::weak_ptr<Monitor> debole = weak_from_this();
    principale_([debole, s, cifre, t = coda_.ora()] {
        auto m = debole.lock();
        if (!m) return;
        if (!(m->stato() == s)) m->assegna(m->stato, s);
        if (cifre) m->registra(t, *cifre);
    });
}

void Monitor::registra(Coda::Istante t, const Misure& m, const PesantiMinuto::Primo* pesante) {
    // A figure whose source does not work (a machine without a GPU) is no reading, not a zero.
    Misure lette;
    for (const auto& v : catalogo)
        if (const auto x = m[v.figura]; x && disponibile(v.figura, stato())) lette.imposta(v.figura, *x);
    storia_.aggiungi(t, lette);
    if (pesante) storia_.pesante(t, pesante->pid, pesante->nome, pesante->cpu);
    annunciStoria_.chiama();
}

void Monitor::azzeraRiferimenti() {
    cpuPrec_.clear();
    for (const auto& [id, p] : sonde_.tempiProcessi()) cpuPrec_[id] = p.cpu;
    gpuPrec_.clear();
    for (const auto& [id, g] : sonde_.letturaGPU(true).perPid) gpuPrec_[id] = g.first;
    tickPrec_ = sonde_.tickCPU();
    istantePrec_ = coda_.ora();
    energia_->leggi();
}

void Monitor::campiona() {
    // 1. Time base, floored so that shares never divide by zero or by a negative time.
    const auto adesso = coda_.ora();
    double dt = std::chrono::duration<double>(adesso - istantePrec_).count();
    if (!(dt > 0.05)) dt = 0.05;
    istantePrec_ = adesso;

    // 2-3. Listing and CPU.
    const TempiProcessi lista = sonde_.tempiProcessi();
    const LetturaTick t = sonde_.tickCPU();
    const CoreImpegnati core = coreImpegnati(tickPrec_.perCore, t.perCore);
    const double cpu = percentualeCPU(tickPrec_, t);
    // A reading with no ticks failed: it is no movement, and the last good one stays the baseline.
    const bool letti = t.totali != 0;
    const bool tickMossi = letti && t.totali != tickPrec_.totali;
    if (letti) tickPrec_ = t;

    // 4-6. GPU, energy, Neural Engine utilisation.
    const LetturaGPU gpu = sonde_.letturaGPU(true);
    const Potenze potenze = energia_->leggi();
    // The peak follows every full sample, so a later fall-back to power starts from a current one.
    piccoANE_ = piccoANE(piccoANE_, potenze.ane);
    double ane = 0;
    if (auto a = energia_->attivitaANE())
        ane = std::clamp(*a * 100.0, 0.0, 100.0);
    else
        ane = utilizzoANEDaPotenza(potenze.ane, energia_->numeroANE(), piccoANE_);

    // 7. Neural Engine clients.
    const auto client = sonde_.clientANE();
    const double quota = client.empty() ? 0 : ane / static_cast<double>(client.size());

    // 8. Table, baselines, top list.
    IngressoTabella in;
    in.lista = &lista;
    in.dt = dt;
    in.core = core_;
    in.cpuPrec = &cpuPrec_;
    in.gpuPrec = &gpuPrec_;
    in.gpu = &gpu.perPid;
    in.client = &client;
    in.quotaANE = quota;
    RisultatoTabella r = costruisciTabella(in);
    cpuPrec_ = std::move(r.cpuPrec);
    gpuPrec_ = std::move(r.gpuPrec);
    auto nomeApp = [this](std::int32_t id) { return sonde_.nomeApplicazione(id); };
    std::vector<UsoProcesso> primi = primiProcessi(r.tabella, numeroCoda_, nomeApp);
    auto pesante = pesanti_.aggiungi(adesso, r.tabella);

    // 9. Followed process.
    std::optional<UsoProcesso> dett;
    if (seguitoCoda_) {
        auto it = r.tabella.find(*seguitoCoda_);
        // A later process given the same id is not the one followed: that one has ended.
        if (it != r.tabella.end() &&
            (avvioSeguitoCoda_ == 0 || it->second.avvio == 0 || it->second.avvio == avvioSeguitoCoda_)) {
            dett = it->second;
            if (auto nome = nomeApp(dett->id)) dett->nome = *nome;
        }
    }

    // 10. Sources, assigned before the lists so observers see the state first.
    const StatoFonti fonti{tickMossi && !lista.empty(), gpu.trovata, energia_->pronta(), gpu.assente,
                           energia_->assente()};

    // 11. Applications holding Neural Engine clients.
    std::vector<std::string> aneApp;
    for (const auto& [id, nome] : client) aneApp.push_back(nomeApp(id).value_or(nome));
    std::sort(aneApp.begin(), aneApp.end());
    aneApp.erase(std::unique(aneApp.begin(), aneApp.end()), aneApp.end());

    // 12-13. Memory and publication, in one message: the main thread wakes once a sample.
    const double memoria = memoriaUsata(sonde_);
    UsoTotale tot{cpu, core, gpu.totale, ane, potenze.gpu, potenze.ane, std::move(aneApp)};
    Riepilogo riep{memoria, cpu, core, gpu.totale, ane};
    ricordaPerEsportare(tot, memoria, fonti, std::move(r.tabella));
    std::weak_ptr<Monitor> debole = weak_from_this();
    principale_([debole, fonti, primi = std::move(primi), tot = std::move(tot), dett = std::move(dett), riep,
                 adesso, pesante = std::move(pesante)]() mutable {
        auto m = debole.lock();
        if (!m) return;
        const Misure cifre = misure(riep, tot);
        if (!(m->stato() == fonti)) m->assegna(m->stato, fonti);
        m->assegna(m->processi, std::move(primi));
        m->assegna(m->totale, std::move(tot));
        m->assegna(m->dettaglio, std::move(dett));
        if (!(m->riepilogo() == riep)) m->assegna(m->riepilogo, riep);
        m->registra(adesso, cifre, pesante ? &*pesante : nullptr);
    });
}

void Monitor::campionaLeggero() {
    // A skipped sample still takes its reading: the tile's next figure then covers only the
    // last interval, not the whole time a window was open.
    const LetturaTick t = sonde_.tickCPU();
    if (timerEsiste_.load()) {
        if (t.totali != 0) tickLeggero_ = t;
        return;
    }
    const CoreImpegnati core = coreImpegnati(tickLeggero_.perCore, t.perCore);
    const double cpu = percentualeCPU(tickLeggero_, t);
    if (t.totali != 0) tickLeggero_ = t;
    double ane = 0;
    if (auto a = energia_->attivitaANE()) ane = std::clamp(*a * 100.0, 0.0, 100.0);
    const double memoria = memoriaUsata(sonde_);
    const double gpu = sonde_.letturaGPU(false).totale;
    Riepilogo riep{memoria, cpu, core, gpu, ane};
    std::weak_ptr<Monitor> debole = weak_from_this();
    principale_([debole, riep, t = coda_.ora()] {
        auto m = debole.lock();
        if (!m) return;
        if (!(m->riepilogo() == riep)) m->assegna(m->riepilogo, riep);
        m->registra(t, misure(riep));
    });
}

}  // namespace pulsaro
