// Desktop entries and their Exec lines. The first byte picks the language asked for.
#include <array>

#include "fuzz/fuzz.h"
#include "platform/linux/voci_desktop.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    static constexpr std::array<std::string_view, 5> lingue = {"", "it", "it_IT", "it_IT.UTF-8@euro", "_"};
    if (n == 0) return 0;
    const auto lingua = lingue[dati[0] % lingue.size()];
    const auto t = fuzz::testo(dati + 1, n - 1);
    if (auto v = leggiVoceDesktop(t, lingua)) {
        fuzz::verifica(!v->nome.empty(), "una voce ha un nome");
        eseguibileDaExec(v->exec);
    }
    for (const auto& parola : paroleExec(t)) fuzz::verifica(parola.size() <= t.size(), "parola dal testo");
    fuzz::verifica(eseguibileDaExec(t).find('/') == std::string::npos, "nome senza cartelle");
    return 0;
}
