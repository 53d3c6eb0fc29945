#include "sampling/coda_seriale.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/filo.h"

namespace pulsaro {

using Orologio = std::chrono::steady_clock;

struct TimerSeriale;

struct CodaSeriale::Stato {
    std::mutex mutex;
    std::condition_variable sveglia;
    std::deque<Compito> compiti;
    std::vector<std::shared_ptr<TimerSeriale>> timer;
    bool fermo = false;
};

struct TimerSeriale : TimerCoda {
    std::weak_ptr<CodaSeriale::Stato> stato;
    Orologio::time_point scadenza;
    Orologio::duration periodo;
    Orologio::duration tolleranza;
    Coda::Compito gestore;

    void annulla() override {
        auto s = stato.lock();
        if (!s) return;
        std::lock_guard lock(s->mutex);
        std::erase_if(s->timer, [this](const auto& t) { return t.get() == this; });
        s->sveglia.notify_all();
    }
};

namespace {

Orologio::duration secondi(double s) {
    return std::chrono::duration_cast<Orologio::duration>(std::chrono::duration<double>(s < 0 ? 0 : s));
}

void lavora(std::shared_ptr<CodaSeriale::Stato> s, std::string nome) {
    preparaFiloDiServizio(nome);
    std::unique_lock lock(s->mutex);
    for (;;) {
        if (s->fermo) return;
        if (!s->compiti.empty()) {
            auto c = std::move(s->compiti.front());
            s->compiti.pop_front();
            lock.unlock();
            c();
            lock.lock();
            continue;
        }
        // A timer is due once its deadline has passed; the queue sleeps until the latest moment
        // its leeway allows, so that any earlier wake-up takes it along.
        const auto adesso = Orologio::now();
        std::shared_ptr<TimerSeriale> dovuto;
        auto prossima = Orologio::time_point::max();
        for (auto& t : s->timer) {
            if (t->scadenza <= adesso) {
                if (!dovuto || t->scadenza < dovuto->scadenza) dovuto = t;
            }
            prossima = std::min(prossima, t->scadenza + t->tolleranza);
        }
        if (dovuto) {
            auto gestore = dovuto->gestore;
            if (dovuto->periodo > Orologio::duration::zero()) {
                // Next deadline from the planned one, so periods do not drift; skip missed ones.
                do dovuto->scadenza += dovuto->periodo;
                while (dovuto->scadenza <= adesso);
            } else {
                std::erase(s->timer, dovuto);
            }
            lock.unlock();
            gestore();
            lock.lock();
            continue;
        }
        if (prossima == Orologio::time_point::max())
            s->sveglia.wait(lock);
        else
            s->sveglia.wait_until(lock, prossima);
    }
}

}  // namespace

CodaSeriale::CodaSeriale(std::string etichetta)
    : etichetta_(std::move(etichetta)),
      stato_(std::make_shared<Stato>()),
      lavoratore_(lavora, stato_, etichetta_) {}

CodaSeriale::~CodaSeriale() {
    {
        std::lock_guard lock(stato_->mutex);
        stato_->fermo = true;
        stato_->timer.clear();
        stato_->sveglia.notify_all();
    }
    // A task that drops the last owner runs on the worker itself: it cannot join itself,
    // and the shared state keeps the loop safe until it sees `fermo`.
    if (lavoratore_.get_id() == std::this_thread::get_id())
        lavoratore_.detach();
    else
        lavoratore_.join();
}

void CodaSeriale::async(Compito compito) {
    std::lock_guard lock(stato_->mutex);
    stato_->compiti.push_back(std::move(compito));
    stato_->sveglia.notify_all();
}

std::shared_ptr<TimerCoda> CodaSeriale::timer(double primo, double periodo, double tolleranza,
                                              Compito gestore) {
    auto t = std::make_shared<TimerSeriale>();
    t->stato = stato_;
    t->scadenza = Orologio::now() + secondi(primo);
    t->periodo = secondi(periodo);
    t->tolleranza = secondi(tolleranza);
    t->gestore = std::move(gestore);
    std::lock_guard lock(stato_->mutex);
    stato_->timer.push_back(t);
    stato_->sveglia.notify_all();
    return t;
}

Coda::Istante CodaSeriale::ora() const {
    return std::chrono::steady_clock::now();
}

}  // namespace pulsaro
