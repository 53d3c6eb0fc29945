// A published value: observers hear of every assignment; some only of real changes.
#pragma once

#include <memory>
#include <utility>

#include "platform/abbonamento.h"

namespace pulsaro {

template <class T>
class Pubblicato {
public:
    using Osservatore = std::function<void(const T&)>;

    explicit Pubblicato(T iniziale = T{}) : valore_(std::move(iniziale)) {}

    const T& operator()() const { return valore_; }

    // soloCambi: skip assignments equal to the value this observer last heard of.
    Abbonamento abbona(Osservatore o, bool soloCambi = false) {
        if (!soloCambi) return abbonati_.aggiungi(std::move(o));
        auto ultimo = std::make_shared<T>(valore_);
        return abbonati_.aggiungi([o = std::move(o), ultimo](const T& v) {
            if (v == *ultimo) return;
            *ultimo = v;
            o(v);
        });
    }

    // Stores and notifies; the caller announces the change beforehand.
    void assegna(T nuovo) {
        valore_ = std::move(nuovo);
        abbonati_.chiama(valore_);
    }

private:
    T valore_;
    Abbonati<const T&> abbonati_;
};

}  // namespace pulsaro
