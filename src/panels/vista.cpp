#include "panels/vista.h"

namespace pulsaro {

QString testoVista(Vista v) {
    return v == Vista::contagiri ? QStringLiteral("Contagiri") : QStringLiteral("Barre");
}

Vista vistaDaTesto(const std::string& testo) {
    return testo == "Contagiri" ? Vista::contagiri : Vista::barre;
}

}  // namespace pulsaro
