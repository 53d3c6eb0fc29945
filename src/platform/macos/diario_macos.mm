// macOS: the unified log, under the application's subsystem; read it with
// `log stream --predicate 'subsystem == "it.pulsaro.Pulsaro"'`.
#import <os/log.h>

#include <string>

#include "platform/diario.h"

namespace pulsaro {

void scriviDiarioDiSistema(LivelloDiario l, std::string_view categoria, std::string_view messaggio) {
    static os_log_t registro = os_log_create("it.pulsaro.Pulsaro", "diario");
    os_log_type_t tipo = OS_LOG_TYPE_DEFAULT;
    switch (l) {
        case LivelloDiario::debug:
            tipo = OS_LOG_TYPE_DEBUG;
            break;
        case LivelloDiario::info:
            tipo = OS_LOG_TYPE_INFO;
            break;
        case LivelloDiario::avviso:
            tipo = OS_LOG_TYPE_DEFAULT;
            break;
        case LivelloDiario::errore:
            tipo = OS_LOG_TYPE_ERROR;
            break;
    }
    const std::string testo = std::string(categoria) + ": " + std::string(messaggio);
    // Public: the texts are ours and the paths of failing sources, never user data.
    os_log_with_type(registro, tipo, "%{public}s", testo.c_str());
}

}  // namespace pulsaro
