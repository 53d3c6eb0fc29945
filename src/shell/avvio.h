// The executable's entry: terminal mode or the menu-bar application.
#pragma once

namespace pulsaro {

int avvia(int argc, char** argv);

}  // namespace pulsaro
