// The process listing read straight from /proc, without a child process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// Lists the processes under `radice`/proc again and again. Opening and closing a stat file is
// most of what a listing costs the kernel, so each process's file stays open between listings
// (at most `aperti` of them; the others are opened each time). A descriptor of /proc/<pid>/stat
// belongs to its process: once that has exited it fails, and a new process that got the same
// pid is opened afresh.
class LettoreProcessi {
public:
    explicit LettoreProcessi(std::string radice = "/", std::size_t aperti = apertiPredefiniti());
    ~LettoreProcessi();
    LettoreProcessi(const LettoreProcessi&) = delete;
    LettoreProcessi& operator=(const LettoreProcessi&) = delete;

    // Processes that vanish while being read are left out. Empty when /proc cannot be read.
    std::vector<VoceProc> leggi();
    std::size_t aperti() const { return aperti_.size(); }
    // Closes every kept file; the next listing opens them again.
    void chiudi();

    // A quarter of the descriptors the process may open, at most 512: the rest stay for the
    // toolkit, the display connection and files.
    static std::size_t apertiPredefiniti();

private:
    struct Aperto {
        int fd = -1;
        unsigned giro = 0;  // the listing that last saw the pid
    };
    std::string radice_;
    std::size_t massimo_;
    unsigned giro_ = 0;
    std::unordered_map<std::int32_t, Aperto> aperti_;
};

}  // namespace pulsaro
