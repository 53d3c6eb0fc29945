#include "shell/avvio.h"

#include <cstdio>
#include <iostream>

#include "shell/terminale.h"

namespace pulsaro {

int avvia(int argc, char** argv) {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    const OpzioniTerminale o = leggiOpzioni(argomenti);
    if (!o.errore.empty()) {
        std::cerr << "pulsaro: " << o.errore << "\n\n" << testoAiuto();
        return 2;
    }
    if (o.aiuto) {
        std::cout << testoAiuto();
        return 0;
    }
    // The menu-bar application is not there yet: every start runs the terminal mode.
    return eseguiTerminale(o, std::cout);
}

}  // namespace pulsaro
