#include "probes/client_ane.h"

#include "probes/creatore.h"

namespace pulsaro {

std::map<std::int32_t, std::string> clientANE(Registro& registro) {
    std::map<std::int32_t, std::string> client;
    // Visited in this order, so a name found under the second class wins.
    for (const char* classe : {"H11ANEIn", "H1xANELoadBalancer"}) {
        auto servizi = registro.servizi(classe);
        if (!servizi) continue;
        for (const Voce& servizio : *servizi) {
            for (const Voce& discendente : registro.discendenti(servizio)) {
                auto testo = registro.proprieta(discendente, "IOUserClientCreator");
                const auto* s = testo ? testo->testo() : nullptr;
                if (!s) continue;
                if (auto creatore = analizzaCreatore(*s)) client[creatore->pid] = std::move(creatore->nome);
            }
        }
    }
    return client;
}

}  // namespace pulsaro
