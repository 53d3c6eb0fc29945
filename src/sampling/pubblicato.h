// A published value: observers hear of every assignment; some only of real changes.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace pulsaro {

template <class T>
class Pubblicato {
public:
    using Osservatore = std::function<void(const T&)>;

    explicit Pubblicato(T iniziale = T{}) : valore_(std::move(iniziale)) {}

    const T& operator()() const { return valore_; }

    // soloCambi: skip assignments equal to the value this observer last heard of.
    int abbona(Osservatore o, bool soloCambi = false) {
        int g = prossimo_++;
        voci_.push_back({g, std::move(o), soloCambi, valore_});
        return g;
    }
    void disdici(int gettone) {
        std::erase_if(voci_, [&](const Voce& v) { return v.gettone == gettone; });
    }

    // Stores and notifies; the caller announces the change beforehand.
    void assegna(T nuovo) {
        valore_ = std::move(nuovo);
        auto copia = voci_;  // an observer may subscribe or unsubscribe while notified
        for (auto& v : copia) {
            if (v.soloCambi) {
                auto it =
                    std::find_if(voci_.begin(), voci_.end(), [&](auto& x) { return x.gettone == v.gettone; });
                if (it == voci_.end() || it->ultimo == valore_) continue;
                it->ultimo = valore_;
            }
            v.osservatore(valore_);
        }
    }

private:
    struct Voce {
        int gettone;
        Osservatore osservatore;
        bool soloCambi;
        T ultimo;
    };
    T valore_;
    std::vector<Voce> voci_;
    int prossimo_ = 1;
};

}  // namespace pulsaro
