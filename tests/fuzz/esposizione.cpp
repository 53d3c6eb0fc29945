// A scraper's Accept header and a process name chosen by whoever runs the process.
#include <string>

#include "fuzz/fuzz.h"
#include "sampling/esposizione.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto t = fuzz::testo(dati, n);
    const FormatoEsposizione f = formatoPerAccept(t);
    LetturaEsportata l;
    l.processi = {{1, std::string(t), 1, 0, 0, false, 0}, {2, "dopo", 1, 0, 0, false, 0}};
    const std::string e = esposizione(l, f);
    // The name stays inside its label: every line is still a comment or one sample, and the
    // process after it still has its own line.
    std::size_t righe = 0;
    for (std::size_t i = 0; i < e.size();) {
        const std::size_t fine = e.find('\n', i);
        fuzz::verifica(fine != std::string::npos, "ogni riga finisce con un a capo");
        const std::string_view riga(e.data() + i, fine - i);
        fuzz::verifica(riga.starts_with("# ") || riga.starts_with("pulsaro_"), "commento o campione");
        if (riga.starts_with("pulsaro_processo_cpu_ratio{pid=\"2\",nome=\"dopo\"} ")) ++righe;
        i = fine + 1;
    }
    fuzz::verifica(righe == 1, "il processo dopo il nome ostile");
    return 0;
}
