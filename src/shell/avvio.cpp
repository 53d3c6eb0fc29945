#include "shell/avvio.h"

#include <algorithm>
#include <iostream>

#include "platform/fatti_desktop.h"
#include "shell/applicazione.h"
#include "shell/terminale.h"

namespace pulsaro {

namespace {

bool contiene(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

}  // namespace

Modo modoAvvio(const std::vector<std::string>& argomenti, bool schermo) {
    if (contiene(argomenti, "--help") || contiene(argomenti, "-h")) return Modo::aiuto;
    if (contiene(argomenti, "--terminale") || !schermo) return Modo::terminale;
    return Modo::applicazione;
}

std::string testoAiuto() {
    return "Uso: pulsaro [-pannellino] [--da-login] [--esporta [INDIRIZZO:]PORTA [--esporta-processi N]]\n"
           "     pulsaro --terminale [--campioni N] [--intervallo S] [--json] [--storia] [--silenzioso]\n"
           "                         [--esporta [INDIRIZZO:]PORTA [--esporta-processi N]]\n"
           "\n"
           "Senza opzioni avvia l'applicazione: l'icona nell'area di notifica, il pannellino e la\n"
           "finestra principale. Un secondo avvio riapre la finestra principale di quella in corso.\n"
           "\n"
           "  -pannellino      apre il pannellino 1,5 s dopo l'avvio\n"
           "  --da-login       avvio all'accesso (lo passa la voce di avvio automatico): con l'icona\n"
           "                   nella barra non apre finestre\n"
           "  --terminale      campiona e stampa una riga per campione (anche senza schermo)\n"
           "  --campioni N     si ferma dopo N campioni\n"
           "  --intervallo S   secondi tra due campioni (predefinito 1.5)\n"
           "  --json           un oggetto JSON per riga invece del testo\n"
           "  --storia         una riga per minuto invece che per campione (minimo, media e massimo\n"
           "                   di ogni cifra e il processo più pesante), alla fine anche il minuto in corso\n"
           "  --silenzioso     non stampa i campioni: con --esporta si campiona solo quando Prometheus "
           "legge\n"
           "  --esporta [INDIRIZZO:]PORTA\n"
           "                   serve le misure a Prometheus su http://INDIRIZZO:PORTA/metrics; con la sola\n"
           "                   porta ascolta su 127.0.0.1, raggiungibile solo da questa macchina\n"
           "  --esporta-processi N\n"
           "                   con --esporta, anche gli N processi più pesanti (da 0 a 30)\n"
           "  --help           mostra questo aiuto\n"
           "\n"
           "Senza schermo (né DISPLAY né WAYLAND_DISPLAY) si usa la modalità terminale; Ctrl-C la termina.\n";
}

int avvia(int argc, char** argv) {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    const bool schermo = schermoDisponibile();
    switch (modoAvvio(argomenti, schermo)) {
        case Modo::aiuto:
            std::cout << testoAiuto();
            return 0;
        case Modo::applicazione:
            return eseguiApplicazione(argc, argv);
        case Modo::terminale:
            break;
    }
    if (!schermo && !contiene(argomenti, "--terminale")) {
        std::cerr << "pulsaro: nessuno schermo (né DISPLAY né WAYLAND_DISPLAY): uso la modalità terminale\n";
        // The application's own options mean nothing here.
        std::erase_if(argomenti,
                      [](const std::string& a) { return a == "-pannellino" || a == argomentoLogin; });
    }
    const OpzioniTerminale o = leggiOpzioni(argomenti);
    if (!o.errore.empty()) {
        std::cerr << "pulsaro: " << o.errore << "\n\n" << testoAiuto();
        return 2;
    }
    return eseguiTerminale(o, std::cout);
}

}  // namespace pulsaro
