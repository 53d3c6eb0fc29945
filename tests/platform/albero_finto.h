// A throwaway folder tree for the Linux readers, removed when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace pulsaro::prova {

class AlberoFinto {
public:
    AlberoFinto() {
        std::random_device rd;
        radice_ = std::filesystem::temp_directory_path() / ("pulsaro-albero-" + std::to_string(rd()));
        std::filesystem::create_directories(radice_);
    }
    AlberoFinto(const AlberoFinto&) = delete;
    AlberoFinto& operator=(const AlberoFinto&) = delete;
    ~AlberoFinto() {
        std::error_code e;
        std::filesystem::remove_all(radice_, e);
    }

    std::string radice() const { return radice_.string(); }

    void scrivi(const std::string& relativo, const std::string& testo) const {
        auto p = radice_ / relativo;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary | std::ios::trunc) << testo;
    }
    void cartella(const std::string& relativo) const {
        std::filesystem::create_directories(radice_ / relativo);
    }
    // A symbolic link; its target need not exist.
    void collega(const std::string& relativo, const std::string& destinazione) const {
        auto p = radice_ / relativo;
        std::filesystem::create_directories(p.parent_path());
        std::error_code e;
        std::filesystem::remove(p, e);
        std::filesystem::create_symlink(destinazione, p);
    }
    // A descriptor of a process: the link under fd/ and its fdinfo text.
    void descrittore(int pid, int fd, const std::string& destinazione, const std::string& fdinfo) const {
        const std::string base = "proc/" + std::to_string(pid);
        collega(base + "/fd/" + std::to_string(fd), destinazione);
        scrivi(base + "/fdinfo/" + std::to_string(fd), fdinfo);
    }

private:
    std::filesystem::path radice_;
};

// A /proc/<pid>/stat line with the fields the readers use; the others are plausible fillers.
inline std::string statFinto(int pid, const std::string& comm, unsigned long utime, unsigned long stime,
                             unsigned long long avvio, long rss) {
    return std::to_string(pid) + " (" + comm + ") S 1 " + std::to_string(pid) + " " + std::to_string(pid) +
           " 0 -1 4194560 120 0 3 0 " + std::to_string(utime) + " " + std::to_string(stime) +
           " 0 0 20 0 1 0 " + std::to_string(avvio) + " 12345678 " + std::to_string(rss) +
           " 18446744073709551615 1 1 0 0 0 0 0 0 0 0 0 0 17 1 0 0 0 0 0\n";
}

// The descriptors this process holds open (none where there is no /proc).
inline std::size_t descrittoriAperti() {
    std::size_t n = 0;
    std::error_code e;
    for (std::filesystem::directory_iterator i("/proc/self/fd", e), fine; !e && i != fine; i.increment(e))
        ++n;
    return n;
}

}  // namespace pulsaro::prova
