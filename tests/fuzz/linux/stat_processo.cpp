// /proc/<pid>/stat: the name between parentheses and the numbered fields after it.
#include "fuzz/fuzz.h"
#include "platform/linux/processi_proc.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto t = fuzz::testo(dati, n);
    if (auto s = leggiStat(t)) fuzz::verifica(s->nome.size() + 2 <= t.size(), "il nome sta nel testo");
    return 0;
}
