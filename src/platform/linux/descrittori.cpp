#include "platform/linux/descrittori.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <cstdlib>

#include "platform/linux/file_piccolo.h"

namespace pulsaro {

namespace {

class Cartella {
public:
    explicit Cartella(int fd) : d_(fd >= 0 ? fdopendir(fd) : nullptr) {
        if (fd >= 0 && !d_) close(fd);
    }
    Cartella(const Cartella&) = delete;
    Cartella& operator=(const Cartella&) = delete;
    ~Cartella() {
        if (d_) closedir(d_);
    }
    DIR* get() const { return d_; }
    int fd() const { return d_ ? dirfd(d_) : -1; }

private:
    DIR* d_;
};

std::optional<std::string> leggiDa(int base, const char* relativo) {
    int fd = openat(base, relativo, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string testo;
    char buffer[4096];
    while (true) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        testo.append(buffer, static_cast<std::size_t>(n));
        // fdinfo is far below one buffer: a short read is its end, which saves a call per descriptor.
        if (static_cast<std::size_t>(n) < sizeof buffer) break;
    }
    close(fd);
    return testo;
}

bool soloCifre(const char* s) {
    if (!*s) return false;
    for (; *s; ++s)
        if (*s < '0' || *s > '9') return false;
    return true;
}

std::string_view senzaVuoti(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string nomeDaComm(const std::string& radice, std::int32_t pid) {
    auto testo = leggiFilePiccolo(sottoRadice(radice, "proc/" + std::to_string(pid) + "/comm"));
    if (!testo) return {};
    if (!testo->empty() && testo->back() == '\n') testo->pop_back();
    return *testo;
}

void perDescrittori(const std::string& radice, const std::function<bool(std::string_view)>& scelta,
                    const std::function<void(std::int32_t, std::string_view, std::string_view)>& visita) {
    Cartella proc(open(sottoRadice(radice, "proc").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!proc.get()) return;
    std::string relativo;
    char collegamento[512];
    while (dirent* p = readdir(proc.get())) {
        if (!soloCifre(p->d_name)) continue;
        long long numero = std::atoll(p->d_name);
        if (numero > 2147483647) continue;
        const std::string cartellaPid = p->d_name;
        Cartella fd(openat(proc.fd(), (cartellaPid + "/fd").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!fd.get()) continue;  // gone, or another user's
        while (dirent* f = readdir(fd.get())) {
            if (f->d_name[0] == '.') continue;
            ssize_t n = readlinkat(fd.fd(), f->d_name, collegamento, sizeof collegamento);
            if (n <= 0) continue;
            std::string_view destinazione(collegamento, static_cast<std::size_t>(n));
            if (!scelta(destinazione)) continue;
            relativo = cartellaPid + "/fdinfo/" + f->d_name;
            auto info = leggiDa(proc.fd(), relativo.c_str());
            visita(static_cast<std::int32_t>(numero), destinazione,
                   info ? std::string_view(*info) : std::string_view{});
        }
    }
}

std::map<std::string, std::string, std::less<>> chiaviFdinfo(std::string_view testo) {
    std::map<std::string, std::string, std::less<>> chiavi;
    while (!testo.empty()) {
        std::size_t fine = testo.find('\n');
        std::string_view riga = testo.substr(0, fine);
        testo = fine == std::string_view::npos ? std::string_view{} : testo.substr(fine + 1);
        std::size_t duePunti = riga.find(':');
        if (duePunti == std::string_view::npos) continue;
        std::string_view chiave = senzaVuoti(riga.substr(0, duePunti));
        if (chiave.empty()) continue;
        chiavi[std::string(chiave)] = std::string(senzaVuoti(riga.substr(duePunti + 1)));
    }
    return chiavi;
}

}  // namespace pulsaro
