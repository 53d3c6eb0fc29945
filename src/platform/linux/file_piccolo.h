// Reading the small text files of procfs and sysfs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace pulsaro {

// The whole text, at most `massimo` bytes; nullopt when the file cannot be read.
std::optional<std::string> leggiFilePiccolo(const std::string& percorso, std::size_t massimo = 1 << 20);

}  // namespace pulsaro
