// Command-line options of the terminal mode; NUL bytes separate the arguments.
#include "fuzz/fuzz.h"
#include "shell/terminale.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto o = leggiOpzioni(fuzz::pezzi(fuzz::testo(dati, n)));
    if (!o.errore.empty()) return 0;
    if (o.campioni) fuzz::verifica(*o.campioni >= 1, "almeno un campione");
    if (o.intervallo) fuzz::verifica(*o.intervallo >= 0.1 && *o.intervallo <= 3600, "intervallo nei limiti");
    return 0;
}
