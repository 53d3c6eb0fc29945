// sysfs CPU lists ("0-3,8,10-11").
#include "fuzz/fuzz.h"
#include "platform/linux/host_linux.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    for (int cpu : leggiElencoCpu(std::string(fuzz::testo(dati, n)))) fuzz::verifica(cpu >= 0, "cpu >= 0");
    return 0;
}
