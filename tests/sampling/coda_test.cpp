#include "sampling/coda_manuale.h"
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
bool attendi(F condizione, std::chrono::milliseconds limite = 5000ms) {
    const auto fine = Orologio::now() + limite;
    while (!condizione())
        if (Orologio::now() > fine)
            return false;
        else
            std::this_thread::sleep_for(1ms);
    return true;
}

}  // namespace

TEST(CodaSeriale, CompitiInOrdineSuUnSoloFilo) {
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
    EXPECT_EQ(fili.size(), 1u);
    EXPECT_NE(*fili.begin(), std::this_thread::get_id());
}

TEST(CodaSeriale, LaTolleranzaRitardaMaNonAnticipa) {
    CodaSeriale coda("pulsaro.prova");
    // A first delay within the leeway: the run still waits for its deadline.
    const auto creato = Orologio::now();
    std::atomic<bool> fatto{false};
    Orologio::duration dopo{};
    auto a = coda.timer(0.3, 0, 0.3, [&] {
        dopo = Orologio::now() - creato;
        fatto = true;
    });
    ASSERT_TRUE(attendi([&] { return fatto.load(); }));
    EXPECT_GE(dopo, 300ms);
    // Due in 20 ms, allowed to wait up to 10 s: the first wake-up after the deadline runs it.
    fatto = false;
    auto b = coda.timer(0.02, 0, 10, [&] { fatto = true; });
    std::this_thread::sleep_for(40ms);
    coda.async([] {});
    EXPECT_TRUE(attendi([&] { return fatto.load(); }, 3000ms));
}

TEST(CodaSeriale, TimerAnnullatoODistruttoEDistruzioneDaDentroLaCoda) {
    std::atomic<int> scatti{0};
    {
        CodaSeriale coda("pulsaro.prova");
        auto t = coda.timer(0.001, 0.005, 0, [&] { ++scatti; });
        ASSERT_TRUE(attendi([&] { return scatti >= 3; }));
        t->annulla();
        const int dopo = scatti;
        std::this_thread::sleep_for(50ms);
        EXPECT_LE(scatti - dopo, 1) << "at most a run that was already due";
        t = coda.timer(0, 0.001, 0, [&] { ++scatti; });
        attendi([&] { return scatti > dopo + 1; });
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

TEST(CodaManuale, LaTolleranzaRitardaFinoAlRisveglioSuccessivo) {
    CodaManuale coda;
    std::vector<std::pair<char, double>> scatti;  // which handler ran, and when
    const auto per = [&](char nome) { return [&, nome] { scatti.emplace_back(nome, coda.secondi()); }; };
    // Alone, a timer with leeway runs at the end of it, never before its deadline.
    auto a = coda.timer(0.3, 2, 0.3, per('a'));
    coda.avanza(0.59);
    EXPECT_TRUE(scatti.empty());
    coda.avanza(4.1);
    ASSERT_EQ(scatti.size(), 3u);
    EXPECT_DOUBLE_EQ(scatti[0].second, 0.6);
    EXPECT_NEAR(scatti[1].second, 2.6, 1e-9) << "periods count from the deadlines";
    EXPECT_NEAR(scatti[2].second, 4.6, 1e-9);
    a->annulla();

    // Another wake-up inside the leeway takes it along: the exact timer first, by deadline.
    scatti.clear();
    auto b = coda.timer(10, 0, 5, per('b'));
    auto c = coda.timer(12, 0, 0, per('c'));
    coda.avanza(11.9);
    EXPECT_TRUE(scatti.empty());
    coda.avanza(0.1);
    EXPECT_EQ(scatti, (std::vector<std::pair<char, double>>{{'b', coda.secondi()}, {'c', coda.secondi()}}));

    // A task wakes the queue too, but a wake-up before the deadline does not run the timer.
    scatti.clear();
    const double inizio = coda.secondi();
    auto d = coda.timer(1, 0, 10, per('d'));
    for (double passo : {0.5, 1.0}) {
        coda.avanza(passo);
        coda.async([] {});
        coda.avanza(0);
    }
    ASSERT_EQ(scatti.size(), 1u);
    EXPECT_NEAR(scatti[0].second - inizio, 1.5, 1e-9);
    EXPECT_EQ(coda.timerAttivi(), 0u);
}
