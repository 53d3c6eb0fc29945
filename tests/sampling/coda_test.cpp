#include "sampling/coda_seriale.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace pulsaro;
using namespace std::chrono_literals;
using Orologio = std::chrono::steady_clock;

// A first delay within the leeway still waits for its deadline.
TEST(CodaSeriale, LaTolleranzaRitardaMaNonAnticipa) {
    CodaSeriale coda("pulsaro.prova");
    const auto creato = Orologio::now();
    std::atomic<Orologio::rep> dopo{0};
    auto t = coda.timer(0.3, 0, 0.3, [&] { dopo = (Orologio::now() - creato).count(); });
    for (const auto fine = creato + 5s; dopo == 0 && Orologio::now() < fine;)
        std::this_thread::sleep_for(1ms);
    ASSERT_NE(dopo.load(), 0);
    EXPECT_GE(Orologio::duration(dopo.load()), 300ms);
}
