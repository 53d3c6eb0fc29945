#include "platform/linux/processi_proc.h"

#include "platform/linux/file_piccolo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <utility>

namespace pulsaro {

namespace {

template <typename N>
bool numero(std::string_view s, N& v) {
    if (s.empty()) return false;
    auto [fine, errore] = std::from_chars(s.data(), s.data() + s.size(), v);
    return errore == std::errc{} && fine == s.data() + s.size();
}

std::optional<std::int32_t> pidDaNome(const char* nome) {
    std::string_view s(nome);
    if (s.empty() || s.front() < '1' || s.front() > '9') return std::nullopt;
    std::int32_t pid = 0;
    if (!numero(s, pid)) return std::nullopt;
    return pid;
}

// One read from the start: the kernel writes a stat line whole, and a second call only to see
// the end would add a third to the cost of the listing.
ssize_t leggiDaCapo(int fd, char* buffer, std::size_t dimensione) {
    ssize_t n;
    do {
        n = ::pread(fd, buffer, dimensione, 0);
    } while (n < 0 && errno == EINTR);
    return n;
}

long tickAlSecondo() {
    static const long t = [] {
        const long v = ::sysconf(_SC_CLK_TCK);
        return v > 0 ? v : 100;
    }();
    return t;
}

long dimensionePagina() {
    static const long p = [] {
        const long v = ::sysconf(_SC_PAGESIZE);
        return v > 0 ? v : 4096;
    }();
    return p;
}

// Seconds since boot, the clock the start times count on.
std::optional<double> secondiDallAvvio(const std::string& radice) {
    const auto testo = leggiFilePiccolo(sottoRadice(radice, "proc/uptime"), 256);
    if (!testo) return std::nullopt;
    const std::string_view s(*testo);
    const auto punto = s.find('.');
    const auto spazio = s.find_first_of(" \n");
    if (punto == std::string_view::npos || punto > spazio) return std::nullopt;
    std::uint64_t interi = 0;
    if (!numero(s.substr(0, punto), interi)) return std::nullopt;
    const std::string_view centesimi = s.substr(punto + 1, std::min(spazio, s.size()) - punto - 1);
    std::uint64_t frazione = 0;
    if (centesimi.size() != 2 || !numero(centesimi, frazione)) return std::nullopt;
    return static_cast<double>(interi) + static_cast<double>(frazione) / 100.0;
}

}  // namespace

std::optional<StatProcesso> leggiStat(std::string_view testo) {
    const auto aperta = testo.find('(');
    const auto chiusa = testo.rfind(')');
    if (aperta == std::string_view::npos || chiusa == std::string_view::npos || chiusa < aperta)
        return std::nullopt;
    StatProcesso s;
    s.nome.assign(testo.substr(aperta + 1, chiusa - aperta - 1));

    // Fields after the name, numbered as in proc(5): 3 is the state.
    std::string_view resto = testo.substr(chiusa + 1);
    int campo = 2;
    bool visti[4] = {};
    while (!resto.empty()) {
        while (!resto.empty() && (resto.front() == ' ' || resto.front() == '\n')) resto.remove_prefix(1);
        if (resto.empty()) break;
        auto fine = resto.find_first_of(" \n");
        const std::string_view pezzo = resto.substr(0, fine);
        resto = fine == std::string_view::npos ? std::string_view{} : resto.substr(fine);
        ++campo;
        switch (campo) {
            case 14:
                visti[0] = numero(pezzo, s.utime);
                break;
            case 15:
                visti[1] = numero(pezzo, s.stime);
                break;
            case 22:
                visti[2] = numero(pezzo, s.avvio);
                break;
            case 24:
                visti[3] = numero(pezzo, s.rss);
                break;
            default:
                break;
        }
        if (campo >= 24) break;
    }
    if (!(visti[0] && visti[1] && visti[2] && visti[3])) return std::nullopt;
    return s;
}

LettoreProcessi::LettoreProcessi(std::string radice, std::size_t aperti)
    : radice_(std::move(radice)), massimo_(aperti) {}

LettoreProcessi::~LettoreProcessi() {
    chiudi();
}

void LettoreProcessi::chiudi() {
    for (const auto& [pid, a] : aperti_) ::close(a.fd);
    aperti_.clear();
}

std::size_t LettoreProcessi::apertiPredefiniti() {
    rlimit limite{};
    if (::getrlimit(RLIMIT_NOFILE, &limite) != 0 || limite.rlim_cur == RLIM_INFINITY) return 512;
    return std::min<std::size_t>(512, static_cast<std::size_t>(limite.rlim_cur / 4));
}

std::vector<VoceProc> LettoreProcessi::leggi() {
    std::vector<VoceProc> voci;
    const int procFd = ::open(sottoRadice(radice_, "proc").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (procFd < 0) return voci;
    DIR* cartella = ::fdopendir(procFd);
    if (!cartella) {
        ::close(procFd);
        return voci;
    }
    ++giro_;
    const double tick = static_cast<double>(tickAlSecondo());
    const auto avviata = secondiDallAvvio(radice_);
    const auto pagina = static_cast<std::uint64_t>(dimensionePagina());
    char percorso[32];
    char buffer[4096];
    while (const dirent* e = ::readdir(cartella)) {
        const auto pid = pidDaNome(e->d_name);
        if (!pid) continue;
        ssize_t n = -1;
        if (const auto it = aperti_.find(*pid); it != aperti_.end()) {
            n = leggiDaCapo(it->second.fd, buffer, sizeof buffer);
            if (n > 0) {
                it->second.giro = giro_;
            } else {
                // Its process has gone: the pid, listed again, is another one's.
                ::close(it->second.fd);
                aperti_.erase(it);
            }
        }
        if (n <= 0) {
            auto [fine, errore] = std::to_chars(percorso, percorso + sizeof percorso - 6, *pid);
            if (errore != std::errc{}) continue;
            std::char_traits<char>::copy(fine, "/stat", 6);  // with its terminator
            const int fd = ::openat(procFd, percorso, O_RDONLY | O_CLOEXEC);
            if (fd < 0) continue;  // gone in the meantime
            n = leggiDaCapo(fd, buffer, sizeof buffer);
            if (n > 0 && aperti_.size() < massimo_)
                aperti_.emplace(*pid, Aperto{fd, giro_});
            else
                ::close(fd);
            if (n <= 0) continue;
        }
        auto stat = leggiStat(std::string_view(buffer, static_cast<std::size_t>(n)));
        if (!stat) continue;
        VoceProc v;
        v.pid = *pid;
        v.cpu = static_cast<double>(stat->utime + stat->stime) / tick;
        v.memoria = stat->rss > 0 ? static_cast<std::uint64_t>(stat->rss) * pagina : 0;
        v.nome = std::move(stat->nome);
        v.avvio = stat->avvio;
        // Uptime is read first, so a process born since then would come out slightly negative.
        if (avviata) v.eta = std::max(0.0, *avviata - static_cast<double>(stat->avvio) / tick);
        voci.push_back(std::move(v));
    }
    ::closedir(cartella);  // closes procFd too
    // Processes no longer listed let their files go.
    std::erase_if(aperti_, [&](const auto& voce) {
        if (voce.second.giro == giro_) return false;
        ::close(voce.second.fd);
        return true;
    });
    return voci;
}

}  // namespace pulsaro
