// The real probes of this machine, put together for the monitor.
#pragma once

#include <memory>

#include "sampling/sonde.h"

namespace pulsaro {

std::unique_ptr<Sonde> sondeDiSistema();

}  // namespace pulsaro
