// Compute accelerators (NPUs) of the kernel's accel class and the processes using them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pulsaro {

struct DispositivoAccel {
    std::string nome;          // "accel0"
    std::string cartella;      // its sysfs folder
    std::string driver;        // name of the bound driver, empty when unknown
    std::string fileOccupato;  // cumulative busy time in microseconds, empty when not offered
};

std::vector<DispositivoAccel> dispositiviAccel(const std::string& radice);

// pid → command name of the processes holding an accel device open: descriptors that link to
// /dev/accel/accel<N>, or DRM descriptors whose fdinfo names the driver of an accel device.
// Empty, without looking at any process, when there is no accel device.
std::map<std::int32_t, std::string> clientAccel(const std::string& radice);

// Busy microseconds of a device so far, when readable.
std::optional<std::uint64_t> occupatoAccel(const DispositivoAccel& d);

}  // namespace pulsaro
