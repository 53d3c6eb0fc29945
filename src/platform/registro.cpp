#include "platform/registro.h"

#include <cmath>
#include <limits>
#include <utility>

namespace pulsaro {

std::optional<double> ValoreRegistro::numero() const {
    if (auto n = std::get_if<std::int64_t>(&dato)) return static_cast<double>(*n);
    if (auto n = std::get_if<double>(&dato)) return *n;
    return std::nullopt;
}

std::optional<std::int64_t> ValoreRegistro::intero() const {
    if (auto n = std::get_if<std::int64_t>(&dato)) return *n;
    if (auto n = std::get_if<double>(&dato)) {
        // 2^63 as a double: the first value that no longer fits.
        constexpr double limite = 9223372036854775808.0;
        if (std::isfinite(*n) && std::trunc(*n) == *n && *n >= -limite && *n < limite)
            return static_cast<std::int64_t>(*n);
    }
    return std::nullopt;
}

Voce::Voce(Voce&& altra) noexcept
    : registro_(std::exchange(altra.registro_, nullptr)), maniglia_(std::exchange(altra.maniglia_, 0)) {}

Voce& Voce::operator=(Voce&& altra) noexcept {
    if (this != &altra) {
        rilascia();
        registro_ = std::exchange(altra.registro_, nullptr);
        maniglia_ = std::exchange(altra.maniglia_, 0);
    }
    return *this;
}

Voce::~Voce() {
    rilascia();
}

void Voce::rilascia() noexcept {
    if (registro_ && maniglia_) registro_->rilascia(maniglia_);
    registro_ = nullptr;
    maniglia_ = 0;
}

namespace {

// Device-tree numbers often arrive as raw little-endian data rather than as numbers.
std::optional<long long> numeroCore(const ValoreRegistro& v) {
    if (auto n = v.intero()) return *n;
    const auto* b = v.byte();
    if (!b || b->empty() || b->size() > 8) return std::nullopt;
    unsigned long long n = 0;
    for (std::size_t i = b->size(); i-- > 0;) n = (n << 8) | (*b)[i];
    if (n > static_cast<unsigned long long>(std::numeric_limits<long long>::max())) return std::nullopt;
    return static_cast<long long>(n);
}

}  // namespace

std::vector<ClasseCore> classiCoreDalRegistro(Registro& registro) {
    std::vector<ClasseCore> classi;
    Voce cpus = registro.voce("IODeviceTree:/cpus");
    if (!cpus) return classi;
    auto figli = registro.figli(cpus, "IODeviceTree");
    if (!figli) return classi;
    for (const Voce& figlio : *figli) {
        auto tipo = registro.proprieta(figlio, "cluster-type");
        const auto* byte = tipo ? tipo->byte() : nullptr;
        if (!byte || byte->empty()) continue;
        auto id = registro.proprieta(figlio, "logical-cpu-id");
        auto numero = id ? numeroCore(*id) : std::nullopt;
        if (!numero) continue;
        classi.push_back({std::string(byte->begin(), byte->end()), *numero});
    }
    return classi;
}

std::optional<long long> coreGPUDalRegistro(Registro& registro) {
    auto servizi = registro.servizi("AGXAccelerator");
    if (!servizi || servizi->empty()) return std::nullopt;
    auto valore = registro.proprieta(servizi->front(), "gpu-core-count");
    if (!valore) return std::nullopt;
    if (auto n = valore->intero()) return *n;
    return std::nullopt;
}

}  // namespace pulsaro
