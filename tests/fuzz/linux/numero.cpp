// The decimal reader against GNU's from_chars, which it replaces where LLVM's library has none:
// the same texts accepted, the same length read, the same bits.
#include <charconv>
#include <cmath>
#include <cstring>

#include "fuzz/fuzz.h"
#include "platform/numeri.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto t = fuzz::testo(dati, n);
    double atteso = 0;
    const auto [fine, errore] = std::from_chars(t.data(), t.data() + t.size(), atteso);
    // from_chars also reads infinity and NaN, which every caller refused.
    const bool buono = errore == std::errc() && std::isfinite(atteso);
    const auto letto = leggiDecimale(t);
    fuzz::verifica(buono == letto.has_value(), "stesso esito di from_chars");
    if (!letto) return 0;
    fuzz::verifica(letto->lunghezza == static_cast<std::size_t>(fine - t.data()), "stessa lunghezza letta");
    fuzz::verifica(std::memcmp(&letto->valore, &atteso, sizeof atteso) == 0, "stesso valore");
    return 0;
}
