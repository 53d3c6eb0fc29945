#include "barra/testi_barra.h"

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

namespace {
// Title and text of the summary's figures other than core counts: "Memoria 62 %, CPU 23 %, ...".
std::string figureRiepilogo(const Riepilogo& r, bool compatto) {
    const Misure m = misure(r);
    std::string t;
    for (const auto& v : catalogo) {
        if (!v.nelRiepilogo || v.unita == Unita::core) continue;
        if (!t.empty()) t += ", ";
        t += std::string(v.titolo) + " " + testo(v.figura, m[v.figura].value_or(0), compatto);
    }
    return t;
}
}  // namespace

std::string suggerimentoRiquadro(const Riepilogo& r, const StatoFonti& stato, bool iconaStato) {
    std::string t = figureRiepilogo(r, false);
    if (statoGrigio(stato, iconaStato)) t += " \u2013 " + testoStato(stato);
    return t;
}

std::string descrizioneRiquadro(const Riepilogo& r) {
    return figureRiepilogo(r, true);
}

}  // namespace pulsaro
