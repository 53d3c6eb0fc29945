#include "barra/testi_barra.h"

#include <cstdio>

#include "sampling/testi.h"

namespace pulsaro {

bool statoGrigio(const StatoFonti& stato, bool iconaStato) {
    return iconaStato && !stato.guasti().tutto();
}

std::string suggerimentoBarra(const StatoFonti& stato, bool iconaStato) {
    std::string t = statoGrigio(stato, iconaStato) ? testoStato(stato.guasti()) : std::string();
    // A missing unit is no alarm, just a fact worth a word.
    if (const std::string assenti = testoAssenti(stato); !assenti.empty())
        t += (t.empty() ? "" : " \u00B7 ") + assenti;
    if (t.empty()) return etichettaBarra;
    return std::string(etichettaBarra) + " \u2013 " + t;
}

bool aneAttivo(double ane) {
    return ane >= 0.5;
}

std::string suggerimentoRiquadro(const Riepilogo& r, const StatoFonti& stato, bool iconaStato) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "Memoria %.0f %%, CPU %.0f %%, GPU %.0f %%, Neural Engine %s", r.memoria,
                  r.cpu, r.gpu, aneAttivo(r.ane) ? "attivo" : "a riposo");
    std::string t = buf;
    if (statoGrigio(stato, iconaStato)) t += " \u2013 " + testoStato(stato);
    return t;
}

std::string descrizioneRiquadro(const Riepilogo& r) {
    const char* formato = "Memoria %.0f%%, CPU %.0f%%, GPU %.0f%%, Neural Engine %s";
    const char* ane = aneAttivo(r.ane) ? "attivo" : "a riposo";
    // Sized first: an absurd reading must not be cut short.
    const int n = std::snprintf(nullptr, 0, formato, r.memoria, r.cpu, r.gpu, ane);
    if (n <= 0) return {};
    std::string t(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(t.data(), t.size(), formato, r.memoria, r.cpu, r.gpu, ane);
    t.pop_back();
    return t;
}

}  // namespace pulsaro
