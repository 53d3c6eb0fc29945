#include "platform/tabella_preferenze.h"

#include <algorithm>

namespace pulsaro::TabellaPreferenze {

std::int64_t Intera::leggi(const Preferenze& p) const {
    return std::clamp(p.intero(chiave, predefinito), minimo, massimo);
}

std::size_t Scelta::leggi(const Preferenze& p) const {
    const auto t = p.testo(chiave);
    for (std::size_t i = 0; t && i < scelte.size(); ++i)
        if (*t == scelte[i]) return i;
    return 0;
}

std::string Colore::leggi(const Preferenze& p) const {
    if (auto t = p.testo(chiave))
        if (auto c = seiCifre(*t)) return *c;
    return predefinito;
}

std::optional<std::string> seiCifre(std::string_view t) {
    auto vuoto = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '#'; };
    while (!t.empty() && vuoto(t.front())) t.remove_prefix(1);
    while (!t.empty() && vuoto(t.back())) t.remove_suffix(1);
    if (t.size() != 6) return std::nullopt;
    std::string r;
    for (char c : t) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return std::nullopt;
        r += c;
    }
    return r;
}

}  // namespace pulsaro::TabellaPreferenze
