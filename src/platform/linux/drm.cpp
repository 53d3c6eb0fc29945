#include "platform/linux/drm.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string_view>

#include "platform/linux/descrittori.h"
#include "platform/linux/file_piccolo.h"

namespace pulsaro {

namespace {

bool nomeScheda(std::string_view n) {
    if (!n.starts_with("card") || n.size() == 4) return false;
    return std::all_of(n.begin() + 4, n.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool soloFramebuffer(std::string_view driver) {
    for (std::string_view f : {"simple-framebuffer", "simpledrm", "ofdrm", "efidrm", "vesadrm", "vkms"})
        if (driver == f) return true;
    return false;
}

std::string driverDi(const std::string& cartella) {
    char destinazione[512];
    ssize_t n = readlink((cartella + "/device/driver").c_str(), destinazione, sizeof destinazione);
    if (n <= 0) return {};
    std::string_view d(destinazione, static_cast<std::size_t>(n));
    std::size_t barra = d.rfind('/');
    return std::string(barra == std::string_view::npos ? d : d.substr(barra + 1));
}

std::vector<std::string> voci(const std::string& cartella) {
    std::vector<std::string> nomi;
    DIR* d = opendir(cartella.c_str());
    if (!d) return nomi;
    while (dirent* e = readdir(d))
        if (e->d_name[0] != '.') nomi.emplace_back(e->d_name);
    closedir(d);
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

std::optional<double> numero(const std::optional<std::string>& testo) {
    if (!testo) return std::nullopt;
    const char* inizio = testo->c_str();
    char* fine = nullptr;
    double v = std::strtod(inizio, &fine);
    if (fine == inizio) return std::nullopt;
    return v;
}

std::optional<std::uint64_t> nanosecondi(std::string_view valore) {
    std::size_t i = 0;
    std::uint64_t n = 0;
    while (i < valore.size() && valore[i] >= '0' && valore[i] <= '9') {
        n = n * 10 + static_cast<std::uint64_t>(valore[i] - '0');
        ++i;
    }
    if (i == 0) return std::nullopt;
    std::string_view unita = valore.substr(i);
    while (!unita.empty() && unita.front() == ' ') unita.remove_prefix(1);
    if (!unita.empty() && unita != "ns") return std::nullopt;
    return n;
}

}  // namespace

std::vector<SchedaDRM> schedeDRM(const std::string& radice) {
    std::vector<SchedaDRM> schede;
    const std::string classe = sottoRadice(radice, "sys/class/drm");
    for (const std::string& nome : voci(classe)) {
        if (!nomeScheda(nome)) continue;
        SchedaDRM s{nome, classe + "/" + nome, {}, std::nullopt};
        struct stat st;
        if (stat((s.cartella + "/device").c_str(), &st) != 0) continue;
        s.driver = driverDi(s.cartella);
        if (soloFramebuffer(s.driver)) continue;
        const std::string occupazione = s.cartella + "/device/gpu_busy_percent";
        s.occupazione = numero(leggiFilePiccolo(occupazione));
        s.illeggibile = !s.occupazione && access(occupazione.c_str(), F_OK) == 0;
        schede.push_back(std::move(s));
    }
    return schede;
}

std::optional<ClienteDRM> clienteDRM(std::string_view fdinfo) {
    auto chiavi = chiaviFdinfo(fdinfo);
    if (!chiavi.count("drm-driver") && !chiavi.count("drm-client-id")) return std::nullopt;
    ClienteDRM c;
    if (auto id = chiavi.find("drm-client-id"); id != chiavi.end()) {
        auto pdev = chiavi.find("drm-pdev");
        c.chiave = (pdev != chiavi.end() ? pdev->second : std::string()) + "/" + id->second;
    }
    for (const auto& [chiave, valore] : chiavi) {
        std::string_view k = chiave;
        if (!k.starts_with("drm-engine-") || k.starts_with("drm-engine-capacity-")) continue;
        if (auto ns = nanosecondi(valore)) c.ns += *ns;
    }
    return c;
}

std::map<std::int32_t, TempoGPU> tempiGPU(const std::string& radice) {
    std::map<std::int32_t, TempoGPU> tempi;
    std::set<std::pair<std::int32_t, std::string>> visti;
    perDescrittori(
        radice, [](std::string_view destinazione) { return destinazione.starts_with("/dev/dri/"); },
        [&](std::int32_t pid, std::string_view, std::string_view fdinfo) {
            auto cliente = clienteDRM(fdinfo);
            if (!cliente) return;
            // Descriptors duplicated or inherited share one client: count it once.
            if (!cliente->chiave.empty() && !visti.emplace(pid, cliente->chiave).second) return;
            tempi[pid].ns += cliente->ns;
        });
    for (auto& [pid, t] : tempi) t.nome = nomeDaComm(radice, pid);
    return tempi;
}

std::vector<std::string> filePotenzaGPU(const std::string& radice) {
    std::vector<std::string> file;
    for (const SchedaDRM& s : schedeDRM(radice)) {
        const std::string hwmon = s.cartella + "/device/hwmon";
        for (const std::string& h : voci(hwmon)) {
            for (const char* nome : {"power1_average", "power1_input"}) {
                std::string percorso = hwmon + "/" + h + "/" + nome;
                if (access(percorso.c_str(), R_OK) == 0 && leggiFilePiccolo(percorso)) {
                    file.push_back(std::move(percorso));
                    break;
                }
            }
        }
    }
    return file;
}

}  // namespace pulsaro
