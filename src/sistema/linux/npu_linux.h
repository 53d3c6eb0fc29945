// Neural Engine clients on Linux: the processes holding an NPU (accel device) open.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace pulsaro {

std::map<std::int32_t, std::string> clientANELinux(const std::string& radice);

}  // namespace pulsaro
