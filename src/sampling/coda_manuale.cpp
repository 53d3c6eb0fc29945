#include "sampling/coda_manuale.h"

#include <algorithm>

namespace pulsaro {

struct CodaManuale::TimerManuale : TimerCoda {
    Istante scadenza;
    std::chrono::nanoseconds periodo{0};
    Compito gestore;
    bool attivo = true;
    void annulla() override { attivo = false; }
};

namespace {
std::chrono::nanoseconds ns(double s) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(s));
}
}  // namespace

CodaManuale::CodaManuale() : inizio_(Istante{} + std::chrono::hours(24 * 365 * 50)), ora_(inizio_) {}

void CodaManuale::async(Compito compito) {
    compiti_.push_back(std::move(compito));
}

std::shared_ptr<TimerCoda> CodaManuale::timer(double primo, double periodo, double, Compito gestore) {
    auto t = std::make_shared<TimerManuale>();
    t->scadenza = ora_ + ns(primo);
    t->periodo = ns(periodo);
    t->gestore = std::move(gestore);
    timer_.push_back(t);
    return t;
}

void CodaManuale::esegui() {
    while (!compiti_.empty()) {
        auto c = std::move(compiti_.front());
        compiti_.erase(compiti_.begin());
        c();
    }
}

void CodaManuale::avanza(double s) {
    const Istante fine = ora_ + ns(s);
    for (;;) {
        esegui();
        std::erase_if(timer_, [](const auto& t) { return !t->attivo; });
        std::shared_ptr<TimerManuale> prossimo;
        for (auto& t : timer_)
            if (t->scadenza <= fine && (!prossimo || t->scadenza < prossimo->scadenza)) prossimo = t;
        if (!prossimo) break;
        ora_ = std::max(ora_, prossimo->scadenza);
        if (prossimo->periodo.count() > 0)
            prossimo->scadenza += prossimo->periodo;
        else
            prossimo->attivo = false;
        auto g = prossimo->gestore;
        g();
    }
    ora_ = fine;
    esegui();
}

double CodaManuale::secondi() const {
    return std::chrono::duration<double>(ora_ - inizio_).count();
}

std::size_t CodaManuale::timerAttivi() const {
    return static_cast<std::size_t>(
        std::count_if(timer_.begin(), timer_.end(), [](auto& t) { return t->attivo; }));
}

}  // namespace pulsaro
