// The main window's stored frame ("NSWindow Frame" text). The first two bytes give the height of
// the primary screen. A frame that reads is written back as a text that reads as the same frame.
#include <algorithm>
#include <vector>

#include "fuzz/fuzz.h"
#include "shell/cornice_finestra.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n < 2) return 0;
    const int altezza = (dati[0] << 8 | dati[1]) % 5000;
    const auto t = fuzz::testo(dati + 2, n - 2);
    const auto c = leggiCornice(t, altezza);
    if (c) {
        const auto di_nuovo = leggiCornice(testoCornice(*c, altezza), altezza);
        fuzz::verifica(di_nuovo && di_nuovo->finestra == c->finestra && di_nuovo->schermo == c->schermo,
                       "una cornice letta si riscrive uguale");
    }
    const std::vector<QRect> aree = {QRect(0, 0, 1440, 875), QRect(1440, -200, 1920, 1080)};
    if (auto r = corniceUsabile(t, altezza, aree)) {
        // Brought inside one of the screens, never larger than it was saved.
        const bool dentro =
            std::any_of(aree.begin(), aree.end(), [&](const QRect& a) { return a.contains(*r); });
        fuzz::verifica(
            c && dentro && r->width() <= c->finestra.width() && r->height() <= c->finestra.height(),
            "cornice usabile");
    }
    return 0;
}
