// GPU utilisation and per-process GPU time from the accelerators of the registry.
#pragma once

#include "platform/registro.h"
#include "sampling/sonde.h"

namespace pulsaro {

// completa false reads only the utilisation and never walks the clients (the light sample).
LetturaGPU letturaGPU(Registro& registro, bool completa = true);

}  // namespace pulsaro
