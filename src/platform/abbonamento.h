// Subscriptions that end themselves: a handle unsubscribes when it goes away, so a view that is
// destroyed never leaves a callback behind.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace pulsaro {

// Move-only; ends its subscription when destroyed or on `disdici`. Harmless if the source is gone.
class [[nodiscard]] Abbonamento {
public:
    Abbonamento() = default;
    explicit Abbonamento(std::function<void()> fine) : fine_(std::move(fine)) {}
    Abbonamento(Abbonamento&& altro) noexcept : fine_(std::exchange(altro.fine_, {})) {}
    Abbonamento& operator=(Abbonamento&& altro) noexcept {
        if (this != &altro) {
            disdici();
            fine_ = std::exchange(altro.fine_, {});
        }
        return *this;
    }
    Abbonamento(const Abbonamento&) = delete;
    Abbonamento& operator=(const Abbonamento&) = delete;
    ~Abbonamento() { disdici(); }

    void disdici() {
        if (auto f = std::exchange(fine_, {})) f();
    }
    bool attivo() const { return static_cast<bool>(fine_); }

private:
    std::function<void()> fine_;
};

// The callbacks of one source. Safe to call from any thread; a callback may subscribe or
// unsubscribe while it is being called, and one unsubscribed during a call is not called after.
template <class... A>
class Abbonati {
public:
    using Funzione = std::function<void(A...)>;

    Abbonati() = default;
    Abbonati(const Abbonati&) = delete;
    Abbonati& operator=(const Abbonati&) = delete;

    Abbonamento aggiungi(Funzione f) {
        auto voce = std::make_shared<Voce>();
        voce->funzione = std::move(f);
        {
            std::lock_guard blocco(stato_->mutex);
            stato_->voci.push_back(voce);
        }
        std::weak_ptr<Stato> debole = stato_;
        std::weak_ptr<Voce> questa = voce;
        return Abbonamento([debole, questa] {
            auto stato = debole.lock();
            if (!stato) return;
            std::lock_guard blocco(stato->mutex);
            if (auto v = questa.lock()) {
                v->attiva = false;
                std::erase(stato->voci, v);
            }
        });
    }

    void chiama(A... a) const {
        std::vector<std::shared_ptr<Voce>> copia;
        {
            std::lock_guard blocco(stato_->mutex);
            copia = stato_->voci;
        }
        for (auto& v : copia) {
            if (v->attiva) v->funzione(a...);
        }
    }

    std::size_t quanti() const {
        std::lock_guard blocco(stato_->mutex);
        return stato_->voci.size();
    }

private:
    struct Voce {
        Funzione funzione;
        std::atomic<bool> attiva{true};
    };
    struct Stato {
        std::mutex mutex;
        std::vector<std::shared_ptr<Voce>> voci;
    };
    std::shared_ptr<Stato> stato_ = std::make_shared<Stato>();
};

}  // namespace pulsaro
