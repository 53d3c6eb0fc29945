// The creator string of a registry client ("pid <id>, <name>").
#include <string>

#include "fuzz/fuzz.h"
#include "probes/creatore.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto t = fuzz::testo(dati, n);
    if (auto c = analizzaCreatore(t)) {
        fuzz::verifica(t.starts_with("pid "), "un creatore comincia con \"pid \"");
        fuzz::verifica(c->nome.size() < t.size(), "il nome sta nel testo");
    }
    // A number that reads back is the same number when written again (bar sign and zeros).
    if (auto v = interoConSegno32(t)) fuzz::verifica(interoConSegno32(std::to_string(*v)) == v, "intero");
    return 0;
}
