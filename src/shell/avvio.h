// The executable's entry: the menu-bar application, or the terminal mode.
#pragma once

#include <string>
#include <vector>

namespace pulsaro {

enum class Modo { applicazione, terminale, aiuto };

// What a start with these arguments runs; `schermo`: a display is there to show windows on.
Modo modoAvvio(const std::vector<std::string>& argomenti, bool schermo);

// Every option of the executable, the application's and the terminal mode's.
std::string testoAiuto();

int avvia(int argc, char** argv);

}  // namespace pulsaro
