// The resources the interface shows: CPU, GPU and Neural Engine.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <functional>

#include "sampling/uso.h"
#include "widgets/tema.h"

namespace pulsaro {

class Risorsa {
public:
    enum Caso : unsigned char { cpu, gpu, ane };

    constexpr Risorsa(Caso c) : caso_(c) {}  // NOLINT: a case is a Risorsa
    constexpr Caso caso() const { return caso_; }

    static const std::array<Risorsa, 3> tutte;        // every case, in order
    static const std::array<Risorsa, 2> perProcesso;  // the ones drawn per process

    QString titolo() const;  // "CPU", "GPU", "Neural Engine"
    QString breve() const;   // "CPU", "GPU", "ANE"
    const ColoreAdattivo& colore() const;
    double valore(const UsoProcesso& p) const;

    constexpr bool operator==(const Risorsa&) const = default;

private:
    Caso caso_;
};

inline constexpr std::array<Risorsa, 3> Risorsa::tutte{Risorsa::cpu, Risorsa::gpu, Risorsa::ane};
inline constexpr std::array<Risorsa, 2> Risorsa::perProcesso{Risorsa::cpu, Risorsa::gpu};

}  // namespace pulsaro

template <>
struct std::hash<pulsaro::Risorsa> {
    std::size_t operator()(pulsaro::Risorsa r) const noexcept { return static_cast<std::size_t>(r.caso()); }
};
