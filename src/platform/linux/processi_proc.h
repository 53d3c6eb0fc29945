// The process listing read straight from /proc, without a child process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pulsaro {

struct VoceProc {
    std::int32_t pid = 0;
    double cpu = 0;             // user + system seconds
    std::uint64_t memoria = 0;  // resident bytes
    std::string nome;           // the kernel's command name (at most 15 bytes, any bytes)
    std::optional<double> eta;  // seconds since it started; absent without /proc/uptime
    std::uint64_t avvio = 0;    // start time, clock ticks after boot: with the pid, which process
};

// What /proc/<pid>/stat says about one process.
struct StatProcesso {
    std::string nome;
    std::uint64_t utime = 0;  // clock ticks
    std::uint64_t stime = 0;
    std::uint64_t avvio = 0;  // start time, clock ticks after boot
    std::int64_t rss = 0;     // pages
};

// Parses the text of /proc/<pid>/stat; the name sits between the first '(' and the last ')',
// as it may hold blanks and parentheses itself.
std::optional<StatProcesso> leggiStat(std::string_view testo);

// Every process under `radice`/proc; processes that vanish while being read are left out.
// Empty when /proc cannot be read.
std::vector<VoceProc> leggiProcessiProc(const std::string& radice = "/");

}  // namespace pulsaro
