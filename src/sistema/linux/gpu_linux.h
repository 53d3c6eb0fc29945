// The GPU probe on Linux: DRM cards and the DRM clients of each process.
#pragma once

#include <string>

#include "sampling/sonde.h"

namespace pulsaro {

// completa false reads only the device utilisation and never looks at process descriptors.
// No card at all is an absent GPU; cards that all fail to give their load are a GPU that fails.
LetturaGPU letturaGPULinux(const std::string& radice, bool completa);

}  // namespace pulsaro
