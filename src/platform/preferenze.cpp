#include "platform/preferenze.h"

#include <algorithm>

namespace pulsaro {

std::optional<bool> Preferenze::booleano(const std::string& chiave) const {
    auto v = valore(chiave);
    if (v && std::holds_alternative<bool>(*v)) return std::get<bool>(*v);
    return std::nullopt;
}

bool Preferenze::booleano(const std::string& chiave, bool predefinito) const {
    return booleano(chiave).value_or(predefinito);
}

std::optional<std::int64_t> Preferenze::intero(const std::string& chiave) const {
    auto v = valore(chiave);
    if (v && std::holds_alternative<std::int64_t>(*v)) return std::get<std::int64_t>(*v);
    return std::nullopt;
}

std::int64_t Preferenze::intero(const std::string& chiave, std::int64_t predefinito) const {
    return intero(chiave).value_or(predefinito);
}

std::optional<std::string> Preferenze::testo(const std::string& chiave) const {
    auto v = valore(chiave);
    if (v && std::holds_alternative<std::string>(*v)) return std::get<std::string>(*v);
    return std::nullopt;
}

std::string Preferenze::testo(const std::string& chiave, const std::string& predefinito) const {
    return testo(chiave).value_or(predefinito);
}

Abbonamento Preferenze::osserva(Osservatore o) {
    return osservatori_.aggiungi(std::move(o));
}

// Called outside any lock: an observer may read or write preferences itself.
void Preferenze::annuncia(const std::string& chiave) {
    osservatori_.chiama(chiave);
}

std::optional<ValorePreferenza> PreferenzeInMemoria::valore(const std::string& chiave) const {
    std::lock_guard lock(mutex_);
    for (auto& [k, v] : valori_)
        if (k == chiave) return v;
    return std::nullopt;
}

void PreferenzeInMemoria::scrivi(const std::string& chiave, const ValorePreferenza& v) {
    {
        std::lock_guard lock(mutex_);
        auto it = std::find_if(valori_.begin(), valori_.end(), [&](auto& p) { return p.first == chiave; });
        if (it != valori_.end())
            it->second = v;
        else
            valori_.emplace_back(chiave, v);
    }
    annuncia(chiave);
}

void PreferenzeInMemoria::rimuovi(const std::string& chiave) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(valori_, [&](auto& p) { return p.first == chiave; });
    }
    annuncia(chiave);
}

}  // namespace pulsaro
