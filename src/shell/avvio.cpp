#include "shell/avvio.h"

#include <cstdio>

namespace pulsaro {

int avvia(int, char**) {
    std::puts("pulsaro: in costruzione");
    return 0;
}

}  // namespace pulsaro
