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

// A line of such a file without its blanks and tabs around it (and a CRLF's CR).
inline std::string_view spazia(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

}  // namespace pulsaro
