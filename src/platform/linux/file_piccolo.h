// Reading the small text files of procfs and sysfs, and small files someone else may name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pulsaro {

// `radice` joined with a relative path, with one slash between them. Every reader takes its
// root folder, so that tests point it at a tree they build.
std::string sottoRadice(const std::string& radice, std::string_view relativo);

// The whole text, at most `massimo` bytes; nullopt when the file cannot be read or is not a
// regular file (a FIFO, a device, a folder), which is never waited on.
std::optional<std::string> leggiFilePiccolo(const std::string& percorso, std::size_t massimo = 1 << 20);

}  // namespace pulsaro
