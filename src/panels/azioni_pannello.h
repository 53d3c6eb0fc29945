// What the popover's buttons ask of the application: open the main window, the settings, quit.
#pragma once

#include <functional>

namespace pulsaro {

struct AzioniPannello {
    std::function<void()> apriPrincipale;
    std::function<void()> impostazioni;
    std::function<void()> esci;
};

}  // namespace pulsaro
