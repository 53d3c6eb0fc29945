// The stored tile colour: six hexadecimal digits, "#" and blanks trimmed.
#include <algorithm>
#include <cctype>

#include "barra/riquadro_barra.h"
#include "fuzz/fuzz.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto t = fuzz::testo(dati, n);
    auto c = RiquadroBarra::colore(t);
    if (!c) return 0;
    fuzz::verifica(c->isValid(), "colore valido");
    // What is read is written back as the same six digits, in upper case.
    std::string cifre(t);
    std::erase_if(cifre, [](char x) { return !std::isxdigit(static_cast<unsigned char>(x)); });
    std::transform(cifre.begin(), cifre.end(), cifre.begin(),
                   [](char x) { return static_cast<char>(std::toupper(static_cast<unsigned char>(x))); });
    fuzz::verifica(RiquadroBarra::hex(*c) == cifre, "il colore letto si riscrive uguale");
    return 0;
}
