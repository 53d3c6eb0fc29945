// Processes that hold a client of the Neural Engine driver.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/registro.h"

namespace pulsaro {

std::map<std::int32_t, std::string> clientANE(Registro& registro);

}  // namespace pulsaro
