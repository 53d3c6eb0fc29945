#include "sampling/coda_seriale.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <vector>

using namespace pulsaro;
using namespace std::chrono_literals;
using Orologio = std::chrono::steady_clock;

namespace {

// Waits (bounded) until a condition holds; never decides a test by timing alone.
template <class F>
bool attendi(F condizione) {
    const auto fine = Orologio::now() + 5000ms;
    while (!condizione())
        if (Orologio::now() > fine)
            return false;
        else
            std::this_thread::sleep_for(1ms);
    return true;
}

}  // namespace

TEST(CodaSeriale, InOrdineSuUnFiloETimerChePrimaDellaScadenzaNonScattano) {
    std::atomic<int> scatti{0};
    {
        CodaSeriale coda("pulsaro.prova");
        std::mutex m;
        std::vector<int> ordine;
        std::set<std::thread::id> fili;
        for (int i = 0; i < 100; ++i)
            coda.async([&, i] {
                std::lock_guard lock(m);
                ordine.push_back(i);
                fili.insert(std::this_thread::get_id());
            });
        ASSERT_TRUE(attendi([&] {
            std::lock_guard lock(m);
            return ordine.size() == 100;
        }));
        for (int i = 0; i < 100; ++i) EXPECT_EQ(ordine[static_cast<std::size_t>(i)], i);
        EXPECT_EQ(fili, (std::set{*fili.begin()}));
        EXPECT_NE(*fili.begin(), std::this_thread::get_id());

        // A first delay within the leeway still waits for its deadline.
        const auto creato = Orologio::now();
        std::atomic<bool> fatto{false};
        Orologio::duration dopo{};
        auto a = coda.timer(0.3, 0, 0.3, [&] {
            dopo = Orologio::now() - creato;
            fatto = true;
        });
        ASSERT_TRUE(attendi([&] { return fatto.load(); }));
        EXPECT_GE(dopo, 300ms);

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
