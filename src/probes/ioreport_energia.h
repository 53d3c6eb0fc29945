// Power of the GPU and the Neural Engine, and Neural Engine activity, from IOReport.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/ioreport.h"
#include "sampling/sonde.h"

namespace pulsaro {

class IOReportEnergia : public Energia {
public:
    // Seconds on a clock that only moves forward.
    using Orologio = std::function<double()>;

    // Subscribes at once; whatever cannot be set up stays absent and reads as nothing.
    explicit IOReportEnergia(std::shared_ptr<const LibreriaIOReport> libreria, Orologio orologio = {});

    // Watts averaged since the previous call.
    Potenze leggi() override;
    // Share of the time since the previous call spent in active states, averaged over instances.
    std::optional<double> attivitaANE() override;
    int numeroANE() const override { return numeroANE_; }
    bool pronta() const override { return sottoscrizione_ != nullptr && precedente_; }

private:
    // An owned library object, given back when it goes.
    class Posseduto {
    public:
        Posseduto() = default;
        Posseduto(const LibreriaIOReport* lib, OggettoIOReport o) : lib_(lib), o_(o) {}
        Posseduto(const Posseduto&) = delete;
        Posseduto& operator=(const Posseduto&) = delete;
        Posseduto(Posseduto&& altro) noexcept { *this = std::move(altro); }
        Posseduto& operator=(Posseduto&& altro) noexcept;
        ~Posseduto() { libera(); }
        OggettoIOReport get() const { return o_; }
        explicit operator bool() const { return o_ != nullptr; }

    private:
        void libera() noexcept;
        const LibreriaIOReport* lib_ = nullptr;
        OggettoIOReport o_ = nullptr;
    };

    Posseduto possiedi(OggettoIOReport o) const { return Posseduto(lib_.get(), o); }
    // Subscribes to `canali`; keeps the subscribed list (or `canali`) and a first sample.
    void sottoscrivi(Posseduto canali, SottoscrizioneIOReport& sottoscrizione, Posseduto& sottoscritti,
                     Posseduto& campione);

    std::shared_ptr<const LibreriaIOReport> lib_;
    Orologio orologio_;

    bool funzioniEnergia_ = false;
    SottoscrizioneIOReport sottoscrizione_ = nullptr;
    Posseduto canali_;
    Posseduto precedente_;
    double istantePrecedente_ = 0;
    int numeroANE_ = 1;

    bool funzioniStati_ = false;
    SottoscrizioneIOReport subStati_ = nullptr;
    Posseduto canaliStati_;
    Posseduto precStati_;
};

}  // namespace pulsaro
