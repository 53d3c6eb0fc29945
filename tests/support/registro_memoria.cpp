#include "support/registro_memoria.h"

#include <algorithm>

namespace pulsaro {

RegistroMemoria::RegistroMemoria() {
    elementi_.push_back({{"IORegistryEntry"}, {}, "IOService", {}});
}

RegistroMemoria::Nodo RegistroMemoria::aggiungi(Nodo genitore, std::vector<std::string> classi,
                                                ValoreRegistro::Dizionario proprieta, std::string piano) {
    Nodo nuovo = elementi_.size();
    elementi_.push_back({std::move(classi), std::move(proprieta), std::move(piano), {}});
    elementi_.at(genitore).figli.push_back(nuovo);
    return nuovo;
}

void RegistroMemoria::imposta(Nodo nodo, const std::string& chiave, ValoreRegistro valore) {
    elementi_.at(nodo).proprieta[chiave] = std::move(valore);
}

void RegistroMemoria::percorso(const std::string& percorso, Nodo nodo) {
    percorsi_.emplace_back(percorso, nodo);
}

Voce RegistroMemoria::apri(Nodo nodo) {
    ++aperte_;
    return Voce(this, nodo + 1);
}

void RegistroMemoria::rilascia(std::uintptr_t) noexcept {
    --aperte_;
}

const RegistroMemoria::Elemento* RegistroMemoria::elemento(const Voce& voce) const {
    if (!voce || voce.maniglia() > elementi_.size()) return nullptr;
    return &elementi_[voce.maniglia() - 1];
}

std::optional<std::vector<Voce>> RegistroMemoria::servizi(const std::string& classe) {
    if (classiGuaste_.count(classe)) return std::nullopt;
    std::vector<Voce> trovati;
    for (Nodo n = 1; n < elementi_.size(); ++n) {
        const auto& c = elementi_[n].classi;
        if (elementi_[n].piano == "IOService" && std::find(c.begin(), c.end(), classe) != c.end())
            trovati.push_back(apri(n));
    }
    return trovati;
}

std::optional<ValoreRegistro> RegistroMemoria::proprieta(const Voce& voce, const std::string& chiave) {
    const Elemento* e = elemento(voce);
    if (!e) return std::nullopt;
    auto it = e->proprieta.find(chiave);
    if (it == e->proprieta.end()) return std::nullopt;
    return it->second;
}

void RegistroMemoria::raccogli(Nodo nodo, std::vector<Voce>& fuori) {
    for (Nodo f : elementi_[nodo].figli) {
        if (elementi_[f].piano != "IOService") continue;
        fuori.push_back(apri(f));
        raccogli(f, fuori);
    }
}

std::vector<Voce> RegistroMemoria::discendenti(const Voce& voce) {
    std::vector<Voce> fuori;
    if (elemento(voce)) raccogli(voce.maniglia() - 1, fuori);
    return fuori;
}

Voce RegistroMemoria::voce(const std::string& percorso) {
    for (const auto& [p, n] : percorsi_)
        if (p == percorso) return apri(n);
    return {};
}

std::optional<std::vector<Voce>> RegistroMemoria::figli(const Voce& voce, const std::string& piano) {
    const Elemento* e = elemento(voce);
    if (!e || figliGuasti_.count(voce.maniglia() - 1)) return std::nullopt;
    std::vector<Voce> fuori;
    for (Nodo f : e->figli)
        if (elementi_[f].piano == piano) fuori.push_back(apri(f));
    return fuori;
}

}  // namespace pulsaro
