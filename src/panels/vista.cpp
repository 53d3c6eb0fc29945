#include "panels/vista.h"

#include "platform/tabella_preferenze.h"

namespace pulsaro {

QString testoVista(Vista v) {
    return QString::fromUtf8(TabellaPreferenze::vista.scelte.at(static_cast<std::size_t>(v)));
}

Vista vistaDaTesto(const std::string& testo) {
    for (Vista v : tutteLeViste)
        if (testo == TabellaPreferenze::vista.scelte.at(static_cast<std::size_t>(v))) return v;
    return Vista::barre;
}

}  // namespace pulsaro
