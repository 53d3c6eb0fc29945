#include "sistema/linux/npu_linux.h"

#include "platform/linux/accel.h"

namespace pulsaro {

std::map<std::int32_t, std::string> clientANELinux(const std::string& radice) {
    return clientAccel(radice);
}

}  // namespace pulsaro
