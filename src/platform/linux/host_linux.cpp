#include "platform/linux/host_linux.h"

#include "platform/linux/file_piccolo.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <sstream>

namespace pulsaro {

namespace {

bool numero(std::string_view s, auto& out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

std::string_view rifila(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<int> leggiElencoCpu(const std::string& testo) {
    std::vector<int> out;
    std::stringstream ss(testo);
    std::string pezzo;
    while (std::getline(ss, pezzo, ',')) {
        auto v = rifila(pezzo);
        if (v.empty()) continue;
        auto trattino = v.find('-');
        int a = 0, b = 0;
        if (trattino == std::string_view::npos) {
            if (numero(v, a) && a >= 0) out.push_back(a);
        } else if (numero(v.substr(0, trattino), a) && numero(v.substr(trattino + 1), b) && a >= 0 &&
                   b >= a && b - a < 65536) {
            for (int i = a; i <= b; ++i) out.push_back(i);
        }
    }
    return out;
}

HostLinux::HostLinux(std::string radice, bool sistemaInCorso)
    : radice_(radice.empty() ? "/" : std::move(radice)), sistemaInCorso_(sistemaInCorso) {}

std::string HostLinux::percorso(const std::string& relativo) const {
    return sottoRadice(radice_, relativo);
}

// Linux has more counters than the four the engine uses. The one place that maps them:
//   user   = user (guest time is already inside it)
//   nice   = nice
//   system = system + irq + softirq + steal   (time the core was not free for us)
//   idle   = idle + iowait                    (waiting for I/O is an idle core)
// Cores are indexed by their number; an offline core (no line) reads as zero counters,
// which the arithmetic treats as an interval without data.
std::optional<std::vector<ContatoriCore>> HostLinux::contatoriCPU() {
    auto testo = leggiFilePiccolo(percorso("proc/stat"));
    if (!testo) return std::nullopt;
    std::map<int, ContatoriCore> perNumero;
    std::istringstream righe(*testo);
    std::string riga;
    while (std::getline(righe, riga)) {
        if (riga.rfind("cpu", 0) != 0 || riga.size() < 4 ||
            !std::isdigit(static_cast<unsigned char>(riga[3])))
            continue;
        std::istringstream campi(riga.substr(3));
        int n = -1;
        campi >> n;
        std::uint64_t v[8] = {};
        int letti = 0;
        for (; letti < 8 && (campi >> v[letti]); ++letti) {
        }
        if (n < 0 || n > 65535 || letti < 4) continue;
        const std::uint64_t user = v[0], nice = v[1], system = v[2], idle = v[3];
        const std::uint64_t iowait = v[4], irq = v[5], softirq = v[6], steal = v[7];
        perNumero[n] = ContatoriCore{user, system + irq + softirq + steal, idle + iowait, nice};
    }
    if (perNumero.empty()) return std::nullopt;
    std::vector<ContatoriCore> out(static_cast<std::size_t>(perNumero.rbegin()->first + 1), ContatoriCore{});
    for (auto& [n, c] : perNumero) out[static_cast<std::size_t>(n)] = c;
    return out;
}

namespace {

// The /proc/meminfo fields the host needs, in KiB.
struct Meminfo {
    std::optional<double> totale, disponibile, libera, buffer, cache;
};

std::optional<Meminfo> leggiMeminfo(const std::string& percorso) {
    auto testo = leggiFilePiccolo(percorso);
    if (!testo) return std::nullopt;
    Meminfo m;
    std::istringstream righe(*testo);
    std::string riga, chiave;
    double valore = 0;
    while (std::getline(righe, riga)) {
        std::istringstream r(riga);
        if (!(r >> chiave >> valore)) continue;
        if (chiave == "MemTotal:")
            m.totale = valore;
        else if (chiave == "MemAvailable:")
            m.disponibile = valore;
        else if (chiave == "MemFree:")
            m.libera = valore;
        else if (chiave == "Buffers:")
            m.buffer = valore;
        else if (chiave == "Cached:")
            m.cache = valore;
    }
    return m;
}

}  // namespace

double HostLinux::memoriaUsata() {
    auto m = leggiMeminfo(percorso("proc/meminfo"));
    if (!m || !m->totale || *m->totale <= 0) return 0;
    // Old kernels lack MemAvailable: free + buffers + page cache is the usual stand-in.
    const double liberi = m->disponibile
                              ? *m->disponibile
                              : m->libera.value_or(0) + m->buffer.value_or(0) + m->cache.value_or(0);
    return std::clamp((*m->totale - liberi) / *m->totale * 100.0, 0.0, 100.0);
}

std::uint64_t HostLinux::memoriaFisica() {
    auto m = leggiMeminfo(percorso("proc/meminfo"));
    if (!m || !m->totale || *m->totale <= 0) return 0;
    // 2^54 KiB is 2^64 bytes: a larger (corrupt) total saturates instead of overflowing.
    constexpr double massimoKiB = 18014398509481984.0;
    if (*m->totale >= massimoKiB) return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(*m->totale) * 1024;
}

// Hybrid Intel parts list their performance and efficiency cores under cpu_core and cpu_atom;
// big.LITTLE Arm parts tell them apart by cpu_capacity. Anything else has no classes.
std::vector<ClasseCore> HostLinux::classiCore() {
    std::vector<ClasseCore> out;
    auto p = leggiFilePiccolo(percorso("sys/devices/cpu_core/cpus"));
    auto e = leggiFilePiccolo(percorso("sys/devices/cpu_atom/cpus"));
    if (p || e) {
        for (int n : leggiElencoCpu(p.value_or(""))) out.push_back({"P", n});
        for (int n : leggiElencoCpu(e.value_or(""))) out.push_back({"E", n});
        if (!out.empty()) return out;
    }
    std::map<int, long long> capacita;
    auto presenti = leggiFilePiccolo(percorso("sys/devices/system/cpu/present"));
    for (int n : leggiElencoCpu(presenti.value_or(""))) {
        auto c =
            leggiFilePiccolo(percorso("sys/devices/system/cpu/cpu" + std::to_string(n) + "/cpu_capacity"));
        long long v = 0;
        if (c && numero(rifila(*c), v) && v > 0) capacita[n] = v;
    }
    if (capacita.empty()) return {};
    long long massima = 0, minima = capacita.begin()->second;
    for (auto& [n, v] : capacita) {
        massima = std::max(massima, v);
        minima = std::min(minima, v);
    }
    if (massima == minima) return {};
    // The biggest cores are the performance ones; everything smaller counts as efficiency.
    for (auto& [n, v] : capacita) out.push_back({v == massima ? "P" : "E", n});
    return out;
}

std::optional<int> HostLinux::contaCpu(const char* file) const {
    auto t = leggiFilePiccolo(percorso(file));
    const auto n = t ? leggiElencoCpu(*t).size() : 0;
    if (n > 0) return static_cast<int>(n);
    return std::nullopt;
}

// Without sysfs the C library still knows this machine; a fake tree without it has one CPU.
int HostLinux::processori() {
    if (auto n = contaCpu("sys/devices/system/cpu/present")) return *n;
    return sistemaInCorso_ ? std::max(1, static_cast<int>(sysconf(_SC_NPROCESSORS_CONF))) : 1;
}

int HostLinux::processoriAttivi() {
    if (auto n = contaCpu("sys/devices/system/cpu/online")) return *n;
    return sistemaInCorso_ ? std::max(1, static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN))) : processori();
}

// The per-level counts come from the hybrid topology; without it the kernel does not say.
std::optional<long long> HostLinux::corePrestazioni() {
    auto t = leggiFilePiccolo(percorso("sys/devices/cpu_core/cpus"));
    if (!t) return std::nullopt;
    return static_cast<long long>(leggiElencoCpu(*t).size());
}

std::optional<long long> HostLinux::coreEfficienza() {
    auto t = leggiFilePiccolo(percorso("sys/devices/cpu_atom/cpus"));
    if (!t) return std::nullopt;
    return static_cast<long long>(leggiElencoCpu(*t).size());
}

// Linux drivers do not publish a GPU core count.
std::optional<long long> HostLinux::coreGPU() {
    return std::nullopt;
}

Host& hostDiSistema() {
    static HostLinux host("/", true);
    return host;
}

}  // namespace pulsaro
