#include "sampling/coda_manuale.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pulsaro;

namespace {

// When each handler ran, in virtual seconds.
struct Registro {
    std::vector<std::pair<char, double>> scatti;
    Coda::Compito per(CodaManuale& coda, char nome) {
        return [this, &coda, nome] { scatti.emplace_back(nome, coda.secondi()); };
    }
};

}  // namespace

TEST(CodaManuale, LaTolleranzaRitardaFinoAlRisveglioSuccessivo) {
    CodaManuale coda;
    Registro r;
    // Alone, a timer with leeway runs at the end of it, never before its deadline.
    auto a = coda.timer(0.3, 2, 0.3, r.per(coda, 'a'));
    coda.avanza(0.59);
    EXPECT_TRUE(r.scatti.empty());
    coda.avanza(4.1);
    ASSERT_EQ(r.scatti.size(), 3u);
    EXPECT_DOUBLE_EQ(r.scatti[0].second, 0.6);
    EXPECT_NEAR(r.scatti[1].second, 2.6, 1e-9) << "periods count from the deadlines";
    EXPECT_NEAR(r.scatti[2].second, 4.6, 1e-9);
    a->annulla();

    // Another wake-up inside the leeway takes it along: the exact timer first, by deadline.
    r.scatti.clear();
    auto b = coda.timer(10, 0, 5, r.per(coda, 'b'));
    auto c = coda.timer(12, 0, 0, r.per(coda, 'c'));
    coda.avanza(11.9);
    EXPECT_TRUE(r.scatti.empty());
    coda.avanza(0.1);
    EXPECT_EQ(r.scatti, (std::vector<std::pair<char, double>>{{'b', coda.secondi()}, {'c', coda.secondi()}}));

    // A task wakes the queue too, but a wake-up before the deadline does not run the timer.
    r.scatti.clear();
    const double inizio = coda.secondi();
    auto d = coda.timer(1, 0, 10, r.per(coda, 'd'));
    for (double passo : {0.5, 1.0}) {
        coda.avanza(passo);
        coda.async([] {});
        coda.avanza(0);
    }
    ASSERT_EQ(r.scatti.size(), 1u);
    EXPECT_NEAR(r.scatti[0].second - inizio, 1.5, 1e-9);
    EXPECT_EQ(coda.timerAttivi(), 0u);
}
