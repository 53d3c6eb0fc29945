// /proc/meminfo: used memory as a percentage and the physical memory.
#include <cmath>

#include "fuzz/fuzz.h"
#include "platform/linux/host_linux.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    static const fuzz::Cartella albero;
    albero.scrivi("proc/meminfo", fuzz::testo(dati, n));
    HostLinux host(albero.radice, false);
    const double usata = host.memoriaUsata();
    fuzz::verifica(usata >= 0 && usata <= 100, "memoria usata tra 0 e 100");
    host.memoriaFisica();
    return 0;
}
