// Energy on Linux: GPU power from the cards' hwmon, NPU activity from the accel devices' busy
// time. No NPU power is offered without privileges.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/accel.h"
#include "sampling/sonde.h"

namespace pulsaro {

class EnergiaLinux : public Energia {
public:
    // Seconds on a clock that only moves forward.
    using Orologio = std::function<double()>;

    explicit EnergiaLinux(std::string radice, Orologio orologio = {});

    Potenze leggi() override;
    std::optional<double> attivitaANE() override;
    int numeroANE() const override { return 1; }
    // True only where an NPU's activity can be read.
    bool pronta() const override { return !npu_.empty(); }
    // No accel device at all; one whose busy time cannot be read is a fault instead.
    bool assente() const override { return assente_; }

private:
    struct NPU {
        DispositivoAccel dispositivo;
        std::uint64_t occupato = 0;  // baseline, microseconds
    };

    Orologio orologio_;
    std::vector<std::string> filePotenza_;
    std::vector<NPU> npu_;
    double istante_ = 0;
    bool assente_ = true;
};

}  // namespace pulsaro
