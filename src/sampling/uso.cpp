#include "sampling/uso.h"

namespace pulsaro {

std::string CoreImpegnati::testo() const {
    std::string t = std::to_string(totale()) + "/" + std::to_string(numeroP + numeroE) + " core";
    if (numeroE >= 1) t += " (P " + std::to_string(p) + " \u00B7 E " + std::to_string(e) + ")";
    return t;
}

}  // namespace pulsaro
