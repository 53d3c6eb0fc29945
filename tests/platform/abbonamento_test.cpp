#include "platform/abbonamento.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace pulsaro;

// Ending another subscription or adding one from inside a callback must not touch freed state.
TEST(Abbonamento, ACallbackMayEndAnotherOrSubscribeWhileCalled) {
    Abbonati<> fonte;
    int secondo = 0, nuovo = 0;
    std::optional<Abbonamento> b;
    std::vector<Abbonamento> aggiunti;
    Abbonamento a = fonte.aggiungi([&] {
        b.reset();  // the second one must not be called any more, not even in this round
        aggiunti.push_back(fonte.aggiungi([&] { ++nuovo; }));
    });
    b = fonte.aggiungi([&] { ++secondo; });
    fonte.chiama();
    EXPECT_EQ(secondo + nuovo, 0) << "one added during a round waits for the next";
    fonte.chiama();
    EXPECT_EQ(nuovo, 1);
}
