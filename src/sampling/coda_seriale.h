// The real sampling queue: one worker thread that runs tasks and timers in order.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "sampling/coda.h"

namespace pulsaro {

class CodaSeriale : public Coda {
public:
    explicit CodaSeriale(std::string etichetta);
    ~CodaSeriale() override;
    CodaSeriale(const CodaSeriale&) = delete;
    CodaSeriale& operator=(const CodaSeriale&) = delete;

    void async(Compito compito) override;
    std::shared_ptr<TimerCoda> timer(double primo, double periodo, double tolleranza,
                                     Compito gestore) override;
    Istante ora() const override;
    const std::string& etichetta() const { return etichetta_; }

    struct Stato;

private:
    std::string etichetta_;
    std::shared_ptr<Stato> stato_;
    std::thread lavoratore_;
};

}  // namespace pulsaro
