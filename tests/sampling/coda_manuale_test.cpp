#include "sampling/coda_manuale.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pulsaro;

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
