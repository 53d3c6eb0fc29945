// A serial work queue with timers: the monitor's sampling queue.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace pulsaro {

class TimerCoda {
public:
    virtual ~TimerCoda() = default;
    // Stops the timer; a run that was already due may still happen once.
    virtual void annulla() = 0;
};

class Coda {
public:
    using Compito = std::function<void()>;
    // Monotonic: a wall clock set back or forward must not stretch an interval.
    using Istante = std::chrono::steady_clock::time_point;
    static_assert(Istante::clock::is_steady);

    virtual ~Coda() = default;
    // Runs the task on the queue, after every task submitted before it.
    virtual void async(Compito compito) = 0;
    // First run after `primo` seconds, then every `periodo` seconds counted from the deadlines.
    // A run never comes before its deadline; the leeway lets it wait up to that much longer,
    // so that it can ride on another wake-up of the queue.
    virtual std::shared_ptr<TimerCoda> timer(double primo, double periodo, double tolleranza,
                                             Compito gestore) = 0;
    // Monotonic clock as this queue sees it (virtual in tests).
    virtual Istante ora() const = 0;
};

}  // namespace pulsaro
