#include "sampling/coda_seriale.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <vector>

using namespace pulsaro;
using namespace std::chrono_literals;
using Orologio = std::chrono::steady_clock;

namespace {

// Waits (bounded) until a condition holds; never decides a test by timing alone.
bool attendi(const std::function<bool()>& condizione) {
    for (const auto fine = Orologio::now() + 5s; !condizione(); std::this_thread::sleep_for(1ms))
        if (Orologio::now() > fine) return false;
    return true;
}

}  // namespace

TEST(CodaSeriale, InOrdineSuUnFiloETimerMaiInAnticipoNeDopoLaFine) {
    std::atomic<int> fatti{0}, scatti{0};
    {
        CodaSeriale coda("pulsaro.prova");
        std::vector<std::pair<int, std::thread::id>> compiti;  // touched only on the queue until all ran
        for (int i = 0; i < 100; ++i)
            coda.async([&, i] {
                compiti.emplace_back(i, std::this_thread::get_id());
                ++fatti;
            });
        ASSERT_TRUE(attendi([&] { return fatti == 100; }));
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(compiti[static_cast<std::size_t>(i)].first, i);
            EXPECT_EQ(compiti[static_cast<std::size_t>(i)].second, compiti[0].second);
        }
        EXPECT_NE(compiti[0].second, std::this_thread::get_id());

        // A first delay within the leeway still waits for its deadline.
        const auto creato = Orologio::now();
        std::atomic<Orologio::rep> dopo{0};
        auto a = coda.timer(0.3, 0, 0.3, [&] { dopo = (Orologio::now() - creato).count(); });
        ASSERT_TRUE(attendi([&] { return dopo != 0; }));
        EXPECT_GE(Orologio::duration(dopo.load()), 300ms);

        auto t = coda.timer(0.001, 0.005, 0, [&] { ++scatti; });
        ASSERT_TRUE(attendi([&] { return scatti >= 3; }));
        t->annulla();
        const int annullato = scatti;
        std::this_thread::sleep_for(50ms);
        EXPECT_LE(scatti - annullato, 1) << "at most a run that was already due";
        t = coda.timer(0, 0.001, 0, [&] { ++scatti; });
        attendi([&] { return scatti > annullato + 1; });
    }
    const int fermo = scatti;
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(scatti, fermo) << "no run after the queue is gone";

    // The last owner released by a task on the queue itself must not deadlock.
    auto coda = std::make_shared<CodaSeriale>("pulsaro.prova");
    std::atomic<bool> fatto{false};
    auto* grezza = coda.get();
    grezza->async([c = std::move(coda), &fatto]() mutable {
        c.reset();
        fatto = true;
    });
    EXPECT_TRUE(attendi([&] { return fatto.load(); }));
}
