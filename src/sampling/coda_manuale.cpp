#include "sampling/coda_manuale.h"

#include <algorithm>
#include <optional>

namespace pulsaro {

struct CodaManuale::TimerManuale : TimerCoda {
    Istante scadenza;
    std::chrono::nanoseconds periodo{0};
    std::chrono::nanoseconds tolleranza{0};
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

std::shared_ptr<TimerCoda> CodaManuale::timer(double primo, double periodo, double tolleranza,
                                              Compito gestore) {
    auto t = std::make_shared<TimerManuale>();
    t->scadenza = ora_ + ns(primo < 0 ? 0 : primo);
    t->periodo = ns(periodo);
    t->tolleranza = ns(tolleranza < 0 ? 0 : tolleranza);
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
    // Awake at ora_: the tasks, then every timer whose deadline has passed, by deadline.
    auto sveglia = [this] {
        for (;;) {
            esegui();
            std::erase_if(timer_, [](const auto& t) { return !t->attivo; });
            std::shared_ptr<TimerManuale> dovuto;
            for (auto& t : timer_)
                if (t->scadenza <= ora_ && (!dovuto || t->scadenza < dovuto->scadenza)) dovuto = t;
            if (!dovuto) return;
            if (dovuto->periodo.count() > 0) {
                do dovuto->scadenza += dovuto->periodo;
                while (dovuto->scadenza <= ora_);
            } else {
                dovuto->attivo = false;
            }
            auto g = dovuto->gestore;
            g();
        }
    };
    if (!compiti_.empty()) sveglia();
    for (;;) {
        // Asleep until the end of the earliest leeway.
        std::optional<Istante> risveglio;
        for (auto& t : timer_)
            if (t->attivo && (!risveglio || t->scadenza + t->tolleranza < *risveglio))
                risveglio = t->scadenza + t->tolleranza;
        if (!risveglio || *risveglio > fine) break;
        ora_ = std::max(ora_, *risveglio);
        sveglia();
    }
    ora_ = fine;
    if (!compiti_.empty()) sveglia();
}

double CodaManuale::secondi() const {
    return std::chrono::duration<double>(ora_ - inizio_).count();
}

std::size_t CodaManuale::timerAttivi() const {
    return static_cast<std::size_t>(
        std::count_if(timer_.begin(), timer_.end(), [](auto& t) { return t->attivo; }));
}

}  // namespace pulsaro
