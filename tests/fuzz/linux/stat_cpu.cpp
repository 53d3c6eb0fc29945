// /proc/stat: the per-core tick counters.
#include "fuzz/fuzz.h"
#include "platform/linux/host_linux.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    static const fuzz::Cartella albero;
    albero.scrivi("proc/stat", fuzz::testo(dati, n));
    HostLinux host(albero.radice, false);
    if (auto c = host.contatoriCPU()) fuzz::verifica(!c->empty() && c->size() <= 65536, "numero di core");
    return 0;
}
