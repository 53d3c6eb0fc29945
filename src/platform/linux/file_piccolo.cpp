#include "platform/linux/file_piccolo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pulsaro {

std::string sottoRadice(const std::string& radice, std::string_view relativo) {
    std::string r = radice.empty() ? std::string("/") : radice;
    if (r.back() != '/') r.push_back('/');
    while (!relativo.empty() && relativo.front() == '/') relativo.remove_prefix(1);
    r.append(relativo);
    return r;
}

std::optional<std::string> leggiFilePiccolo(const std::string& percorso, std::size_t massimo) {
    // A FIFO or a device named here by someone else would block the open or never end: only
    // regular files are read, as the opened descriptor tells (procfs and sysfs files are regular).
    const int fd = open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    std::string testo;
    char buffer[4096];
    // Read to the end: procfs hands out whole lines per read, so a short read is not the end.
    while (testo.size() < massimo) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        testo.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    if (testo.size() > massimo) testo.resize(massimo);
    return testo;
}

}  // namespace pulsaro
