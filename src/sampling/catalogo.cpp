#include "sampling/catalogo.h"

#include <cstdio>

namespace pulsaro {

const VoceCatalogo* voce(std::string_view id) {
    for (const auto& v : catalogo)
        if (id == v.id) return &v;
    return nullptr;
}

std::optional<double> Misure::operator[](Figura f) const {
    const auto i = static_cast<std::size_t>(f);
    if (!(letti_ & (1u << i))) return std::nullopt;
    return valori_[i];
}

void Misure::imposta(Figura f, double v) {
    const auto i = static_cast<std::size_t>(f);
    valori_[i] = v;
    letti_ = static_cast<std::uint8_t>(letti_ | (1u << i));
}

Misure misure(const Riepilogo& r) {
    Misure m;
    m.imposta(Figura::memoria, r.memoria);
    m.imposta(Figura::cpu, r.cpu);
    m.imposta(Figura::coreP, r.core.p);
    m.imposta(Figura::coreE, r.core.e);
    m.imposta(Figura::gpu, r.gpu);
    m.imposta(Figura::ane, r.ane);
    return m;
}

Misure misure(const Riepilogo& r, const UsoTotale& t) {
    // Memory comes with the summary only; the rest of the full sample's figures are its totals.
    Misure m = misure(Riepilogo{r.memoria, t.cpu, t.core, t.gpu, t.ane});
    m.imposta(Figura::gpuWatt, t.gpuWatt);
    m.imposta(Figura::aneWatt, t.aneWatt);
    return m;
}

bool disponibile(Figura f, const StatoFonti& stato) {
    switch (voce(f).fonte) {
        case Fonte::nessuna:
            return true;
        case Fonte::cpu:
            return stato.cpu;
        case Fonte::gpu:
            return stato.gpu;
        case Fonte::ane:
            return stato.ane;
    }
    return false;
}

bool aneAttivo(double ane) {
    return ane >= 0.5;
}

namespace {
std::string formatta(const char* formato, double v) {
    // Sized first: an absurd reading must not be cut short.
    const int n = std::snprintf(nullptr, 0, formato, v);
    if (n <= 0) return {};
    std::string t(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(t.data(), t.size(), formato, v);
    t.pop_back();
    return t;
}
}  // namespace

std::string testo(Figura f, double v, bool compatto) {
    switch (voce(f).unita) {
        case Unita::percento:
            return formatta(compatto ? "%.0f%%" : "%.0f %%", v);
        case Unita::core:
            return formatta("%.0f", v);
        case Unita::watt: {
            std::string t = formatta("%.1f W", v);
            for (char& c : t)
                if (c == '.') c = ',';
            return t;
        }
        case Unita::attivita:
            return aneAttivo(v) ? "attivo" : "a riposo";
    }
    return {};
}

double valoreMetrica(Figura f, double v) {
    const Unita u = voce(f).unita;
    return u == Unita::percento || u == Unita::attivita ? v / 100.0 : v;
}

}  // namespace pulsaro
