#include "platform/linux/accel.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "platform/linux/descrittori.h"
#include "platform/linux/file_piccolo.h"

namespace pulsaro {

namespace {

bool cifre(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ultimoPezzo(std::string_view s) {
    std::size_t barra = s.rfind('/');
    return std::string(barra == std::string_view::npos ? s : s.substr(barra + 1));
}

}  // namespace

std::vector<DispositivoAccel> dispositiviAccel(const std::string& radice) {
    std::vector<DispositivoAccel> dispositivi;
    const std::string classe = sottoRadice(radice, "sys/class/accel");
    DIR* d = opendir(classe.c_str());
    if (!d) return dispositivi;
    while (dirent* e = readdir(d)) {
        std::string_view nome = e->d_name;
        if (!nome.starts_with("accel") || !cifre(nome.substr(5))) continue;
        DispositivoAccel a{std::string(nome), classe + "/" + std::string(nome), {}, {}};
        char destinazione[512];
        ssize_t n = readlink((a.cartella + "/device/driver").c_str(), destinazione, sizeof destinazione);
        if (n > 0) a.driver = ultimoPezzo(std::string_view(destinazione, static_cast<std::size_t>(n)));
        std::string occupato = a.cartella + "/device/npu_busy_time_us";
        if (access(occupato.c_str(), R_OK) == 0) a.fileOccupato = std::move(occupato);
        dispositivi.push_back(std::move(a));
    }
    closedir(d);
    std::sort(dispositivi.begin(), dispositivi.end(),
              [](const auto& a, const auto& b) { return a.nome < b.nome; });
    return dispositivi;
}

std::map<std::int32_t, std::string> clientAccel(const std::string& radice) {
    std::map<std::int32_t, std::string> client;
    std::set<std::string, std::less<>> driver;
    bool presenti = false;
    for (const auto& d : dispositiviAccel(radice)) {
        presenti = true;
        if (!d.driver.empty()) driver.insert(d.driver);
    }
    if (!presenti) return client;

    perDescrittori(
        radice,
        [&](std::string_view destinazione) {
            if (destinazione.starts_with("/dev/accel/accel")) return cifre(destinazione.substr(16));
            return !driver.empty() && destinazione.starts_with("/dev/dri/");
        },
        [&](std::int32_t pid, std::string_view destinazione, std::string_view fdinfo) {
            if (!destinazione.starts_with("/dev/accel/")) {
                auto chiavi = chiaviFdinfo(fdinfo);
                auto it = chiavi.find("drm-driver");
                if (it == chiavi.end() || !driver.count(it->second)) return;
            }
            client.emplace(pid, std::string());
        });
    for (auto& [pid, nome] : client) nome = nomeDaComm(radice, pid);
    return client;
}

std::optional<std::uint64_t> occupatoAccel(const DispositivoAccel& d) {
    if (d.fileOccupato.empty()) return std::nullopt;
    auto testo = leggiFilePiccolo(d.fileOccupato);
    if (!testo) return std::nullopt;
    std::string_view t = *testo;
    std::size_t i = 0;
    std::uint64_t n = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') n = n * 10 + static_cast<std::uint64_t>(t[i++] - '0');
    if (i == 0) return std::nullopt;
    return n;
}

}  // namespace pulsaro
