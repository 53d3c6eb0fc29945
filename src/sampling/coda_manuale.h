// A queue with virtual time for tests: nothing runs until the test advances the clock.
#pragma once

#include <memory>
#include <vector>

#include "sampling/coda.h"

namespace pulsaro {

class CodaManuale : public Coda {
public:
    // Virtual time starts at an arbitrary fixed instant.
    CodaManuale();

    void async(Compito compito) override;
    std::shared_ptr<TimerCoda> timer(double primo, double periodo, double tolleranza,
                                     Compito gestore) override;
    Istante ora() const override { return ora_; }

    // Moves the clock forward, running in order every task and timer that falls due. Like the
    // real queue, a timer runs at the first wake-up at or after its deadline, and the queue
    // wakes at the end of a timer's leeway (tasks run at the present instant wake it too).
    void avanza(double secondi);
    // Runs the submitted tasks without moving the clock.
    void esegui();
    // Seconds since the queue was made.
    double secondi() const;
    std::size_t timerAttivi() const;

    struct TimerManuale;

private:
    std::vector<Compito> compiti_;
    std::vector<std::shared_ptr<TimerManuale>> timer_;
    Istante inizio_;
    Istante ora_;
};

}  // namespace pulsaro
