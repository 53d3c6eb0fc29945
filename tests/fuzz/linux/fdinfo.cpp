// /proc/<pid>/fdinfo/<fd> of a DRM client.
#include "fuzz/fuzz.h"
#include "platform/linux/drm.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    const auto t = fuzz::testo(dati, n);
    if (auto c = clienteDRM(t)) fuzz::verifica(c->chiave.size() <= t.size() + 1, "chiave dal testo");
    return 0;
}
