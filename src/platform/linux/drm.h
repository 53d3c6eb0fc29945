// DRM graphics cards: device utilisation, GPU time of each process, power.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pulsaro {

struct SchedaDRM {
    std::string nome;                   // "card0"
    std::string cartella;               // its sysfs folder
    std::string driver;                 // name of the bound driver, empty when unknown
    std::optional<double> occupazione;  // device/gpu_busy_percent, where the driver offers it
    bool illeggibile = false;           // the driver offers gpu_busy_percent, yet it cannot be read
};

// The cards (card<N>, not render nodes or connectors) that have a device. Firmware framebuffers
// (simpledrm and kin) only show what the firmware set up: they are not GPUs.
std::vector<SchedaDRM> schedeDRM(const std::string& radice);

struct TempoGPU {
    std::uint64_t ns = 0;  // cumulative engine time of all the process's clients
    std::string nome;
};

// GPU time of every process holding a DRM client that reports usage. Each client counts once
// per process, however many descriptors share it. Values are cumulative as the kernel gives them.
std::map<std::int32_t, TempoGPU> tempiGPU(const std::string& radice);

// Sum of engine times of one fdinfo text ("drm-engine-<name>: <n> ns"), nullopt when the text
// is not a DRM client's. Capacity lines are not times.
struct ClienteDRM {
    std::string chiave;  // drm-pdev and drm-client-id; empty when the driver gives no id
    std::uint64_t ns = 0;
};
std::optional<ClienteDRM> clienteDRM(std::string_view fdinfo);

// hwmon power files of the cards (power1_average, else power1_input), in microwatts.
std::vector<std::string> filePotenzaGPU(const std::string& radice);

}  // namespace pulsaro
