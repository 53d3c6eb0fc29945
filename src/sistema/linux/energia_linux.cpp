#include "sistema/linux/energia_linux.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "platform/linux/descrittori.h"
#include "platform/linux/drm.h"
#include "platform/linux/file_piccolo.h"

namespace pulsaro {

namespace {

double secondiMonotoni() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

EnergiaLinux::EnergiaLinux(std::string radice, Orologio orologio)
    : orologio_(orologio ? std::move(orologio) : Orologio(secondiMonotoni)),
      filePotenza_(filePotenzaGPU(radice)) {
    istante_ = orologio_();
    for (auto& d : dispositiviAccel(radice)) {
        assente_ = false;
        if (auto occupato = occupatoAccel(d)) npu_.push_back({std::move(d), *occupato});
    }
}

Potenze EnergiaLinux::leggi() {
    Potenze p;
    for (const auto& file : filePotenza_) {
        auto testo = leggiFilePiccolo(file);
        if (!testo) continue;
        char* fine = nullptr;
        unsigned long long microwatt = std::strtoull(testo->c_str(), &fine, 10);
        if (fine != testo->c_str()) p.gpu += static_cast<double>(microwatt) / 1e6;
    }
    return p;
}

std::optional<double> EnergiaLinux::attivitaANE() {
    if (npu_.empty()) return std::nullopt;
    double ora = orologio_();
    double dt = ora - istante_;
    // Too short an interval says nothing; keep the baseline for the next call.
    if (dt < 0.01) return std::nullopt;
    istante_ = ora;
    double somma = 0;
    int contati = 0;
    for (auto& n : npu_) {
        auto occupato = occupatoAccel(n.dispositivo);
        if (!occupato) continue;
        // A counter that went backwards (device reset) restarts the baseline.
        if (*occupato >= n.occupato) {
            somma += std::min(static_cast<double>(*occupato - n.occupato) / 1e6 / dt, 1.0);
            ++contati;
        }
        n.occupato = *occupato;
    }
    if (contati == 0) return std::nullopt;
    return somma / contati;
}

}  // namespace pulsaro
