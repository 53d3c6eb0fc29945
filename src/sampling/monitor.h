// The one object that samples the machine and publishes what it found, on the main thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sampling/coda.h"
#include "sampling/esposizione.h"
#include "sampling/pubblicato.h"
#include "sampling/sonde.h"
#include "sampling/storia.h"
#include "sampling/uso.h"

namespace pulsaro {

// Percent of physical memory in use, from the host's statistics.
double memoriaUsata(Sonde& sonde);

class Monitor : public std::enable_shared_from_this<Monitor> {
public:
    // Hands a block to the main thread (a queued call on the event loop, or a list in tests).
    using Principale = std::function<void(std::function<void()>)>;

    // The sonde and the queue must outlive the monitor. Call on the main thread.
    static std::shared_ptr<Monitor> crea(Sonde& sonde, Coda& coda, Principale principale);
    ~Monitor();
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    // Published members, read and observed on the main thread.
    Pubblicato<std::vector<UsoProcesso>> processi;
    Pubblicato<UsoTotale> totale;
    // Seconds between full samples; changed through impostaIntervallo.
    Pubblicato<double> intervallo{1.5};
    // The process the main window follows; changed through impostaSeguito.
    Pubblicato<std::optional<std::int32_t>> seguito;
    Pubblicato<std::optional<UsoProcesso>> dettaglio;
    Pubblicato<StatoFonti> stato;
    Pubblicato<Riepilogo> riepilogo;

    // Every call restarts the main timer.
    void impostaIntervallo(double secondi);
    // avvio: the process's start (UsoProcesso::avvio), so a later process given the same id is
    // not taken for it; 0 when unknown.
    void impostaSeguito(std::optional<std::int32_t> id, std::uint64_t avvio = 0);
    // p is the followed process itself, not another one that has its id since.
    bool eSeguito(const UsoProcesso& p) const;
    // How many of the heaviest processes a full sample keeps; the next sample takes it up.
    void impostaNumeroProcessi(int n);
    int numeroProcessi() const { return numeroProcessi_; }
    bool aneAcceso() const { return totale().ane >= 1.0; }
    // Divisor of the per-process CPU share: the processors active at start.
    int core() const { return core_; }
    // Core classes and counts, processor and GPU texts, as the probes read them at start.
    const Macchina& macchina() const { return macchina_; }

    // The day's figures, fed on the main thread by the samples already taken: full ones, the
    // tile's light ones, and with neither the 60 s check's cheap totals.
    const Storia& storia() const { return storia_; }
    // The queue's clock, which the history's instants are on.
    Coda::Istante ora() const { return coda_.ora(); }
    // Called after the history took a sample.
    Abbonamento osservaStoria(std::function<void()> dopo) { return annunciStoria_.aggiungi(std::move(dopo)); }

    // Called before any published member takes a new value.
    Abbonamento osservaCambiamenti(std::function<void()> prima);

    // Interest in full samples: while at least one handle lives, the main timer runs; when the
    // last one ends, the 60 s source check takes over. Made, moved and ended on the main thread;
    // a handle that outlives its monitor ends harmlessly.
    class Interesse {
    public:
        Interesse() = default;
        Interesse(Interesse&& altro) noexcept : monitor_(std::exchange(altro.monitor_, {})) {}
        Interesse& operator=(Interesse&& altro) noexcept;
        Interesse(const Interesse&) = delete;
        Interesse& operator=(const Interesse&) = delete;
        ~Interesse() { finisci(); }

        void finisci();
        bool attivo() const { return !monitor_.expired(); }

    private:
        friend class Monitor;
        explicit Interesse(std::weak_ptr<Monitor> m) : monitor_(std::move(m)) {}
        std::weak_ptr<Monitor> monitor_;
    };
    [[nodiscard]] Interesse interesse();
    int interessati() const { return interessati_; }
    // Light sampling for the menu-bar tile.
    void riquadro(bool acceso);
    void verificaOra();

    // A scrape asks for the figures: the last full sample while one runs, else a light reading of
    // the time since the previous scrape (with the listing only when `processi` > 0). Any thread:
    // it only hands the work to the queue, where `consegna` is called.
    void leggiPerEsportare(int processi, std::function<void(LetturaEsportata)> consegna);

    bool campionando() const { return timer_ != nullptr; }
    bool inControllo() const { return controllo_ != nullptr; }
    bool leggeroAcceso() const { return leggero_ != nullptr; }

private:
    Monitor(Sonde& sonde, Coda& coda, Principale principale);
    void avvia();

    // Main thread.
    void riavvia(std::optional<double> primo);
    void lascia();
    void avviaControllo();
    template <class T>
    void assegna(Pubblicato<T>& membro, T valore);
    // Busy cores between two readings, with this machine's classes and counts.
    CoreImpegnati coreImpegnati(const std::vector<Tick>& prima, const std::vector<Tick>& dopo) const;

    // Queue.
    void verifica();
    void pubblica(StatoFonti s, std::optional<Misure> cifre = std::nullopt);
    void azzeraRiferimenti();
    void campiona();
    void campionaLeggero();

    Sonde& sonde_;
    Coda& coda_;
    Principale principale_;

    Abbonati<> annunci_;
    Abbonati<> annunciStoria_;
    Storia storia_;
    void registra(Coda::Istante t, const Misure& m, const PesantiMinuto::Primo* pesante = nullptr);

    // Main thread.
    int interessati_ = 0;
    std::shared_ptr<TimerCoda> timer_;
    std::shared_ptr<TimerCoda> leggero_;
    std::shared_ptr<TimerCoda> controllo_;
    // Set together with timer_; the light sample reads it on the queue.
    std::atomic<bool> timerEsiste_{false};
    // Set together with leggero_: the check reads the figures only when no sample does.
    std::atomic<bool> leggeroEsiste_{false};
    int numeroProcessi_;
    std::uint64_t avvioSeguito_ = 0;

    const int core_;
    const Macchina macchina_;
    std::unique_ptr<Energia> energia_;

    // Queue.
    std::optional<std::int32_t> seguitoCoda_;
    std::uint64_t avvioSeguitoCoda_ = 0;
    int numeroCoda_;
    LetturaTick tickLeggero_;
    std::map<std::int32_t, double> cpuPrec_;
    std::map<std::int32_t, std::uint64_t> gpuPrec_;
    LetturaTick tickPrec_;
    Coda::Istante istantePrec_;
    double piccoANE_ = 0;
    PesantiMinuto pesanti_;
    LetturaTick tickControllo_;

    // Queue: what scrapes read (sampling/lettura_esportata.cpp), made at the first scrape.
    struct Esportazione;
    std::shared_ptr<Esportazione> esportazione_;
    void ricordaPerEsportare(const UsoTotale& totale, double memoria, const StatoFonti& stato,
                             std::map<std::int32_t, UsoProcesso> tabella);
    LetturaEsportata letturaEsportata(int processi);
};

// The slowly decaying peak of the Neural Engine power after one more reading.
double piccoANE(double picco, double watt);
// Neural Engine utilisation in percent from power against the peak (already updated).
double utilizzoANEDaPotenza(double watt, int numeroANE, double picco);

}  // namespace pulsaro
