// The X server behind Qt's xcb platform, for what Qt does not tell (not on macOS).
#pragma once

#include <xcb/xcb.h>

#include <cstdint>

namespace pulsaro {

// None unless the application runs on X11.
xcb_connection_t* connessioneX();

// Adds events to those this client already receives from `finestra` (Qt's own among them);
// false when the window is gone.
bool aggiungiEventiX(xcb_connection_t* c, xcb_window_t finestra, std::uint32_t eventi);

}  // namespace pulsaro
