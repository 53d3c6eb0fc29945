#include "platform/testi_desktop.h"

#include <iterator>

namespace pulsaro {

namespace {

struct Variante {
    TestoDesktop testo;
    std::string_view mac;
    std::string_view gnuLinux;
};

// No Dock, no ⌘, no approval of login items on Linux, and the machine is not a Mac.
constexpr Variante varianti[] = {
    {TestoDesktop::avvioAccesso, "Apri Pulsaro all'accesso al Mac", "Apri Pulsaro all'accesso al computer"},
    {TestoDesktop::chiusura,
     "Chiudendo l'app dal Dock o con \u2318Q l'icona resta attiva. Per chiuderla del tutto usa "
     "\u00ABEsci\u00BB "
     "dal pannellino o dal menu contestuale.",
     "Chiudendo le finestre o con Ctrl+Q l'icona resta attiva. Per chiuderla del tutto usa \u00ABEsci\u00BB "
     "dal pannellino o dal menu contestuale."},
    {TestoDesktop::daApprovare, "Da approvare in Impostazioni di Sistema \u203A Elementi login.", ""},
    {TestoDesktop::aiutoCapacita,
     "Clic su un processo per ingrandirlo in alto. Valori in % della capacità totale del Mac (",
     "Clic su un processo per ingrandirlo in alto. Valori in % della capacità totale del computer ("},
    {TestoDesktop::piedeStato,
     "Spunta: Pulsaro legge questi dati. Poi i core del Mac (del Neural Engine macOS non dice il numero) e "
     "quanto sono usati adesso: per la CPU i core impegnati sopra il 50% (P ad alte prestazioni, E a basso "
     "consumo).",
     "Spunta: Pulsaro legge questi dati. Poi i core del computer (di una NPU Linux non dice il numero) e "
     "quanto sono usati adesso: per la CPU i core impegnati sopra il 50% (P ad alte prestazioni, E a basso "
     "consumo)."},
};

}  // namespace

std::string_view testoDesktop(TestoDesktop t, FormaTesti forma) {
    for (const Variante& v : varianti)
        if (v.testo == t) return forma == FormaTesti::mac ? v.mac : v.gnuLinux;
    return {};
}

FormaTesti formaTestiDiSistema() {
#if defined(__APPLE__)
    return FormaTesti::mac;
#else
    return FormaTesti::gnuLinux;
#endif
}

}  // namespace pulsaro
