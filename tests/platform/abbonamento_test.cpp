#include "platform/abbonamento.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

using namespace pulsaro;

TEST(Abbonamento, EndsWithItsHandleAndOutlivesItsSource) {
    auto fonte = std::make_unique<Abbonati<int>>();
    std::vector<int> sentiti;
    {
        Abbonamento a = fonte->aggiungi([&](int v) { sentiti.push_back(v); });
        fonte->chiama(1);
        Abbonamento spostato = std::move(a);
        EXPECT_FALSE(a.attivo());
        fonte->chiama(2);
    }
    fonte->chiama(3);
    EXPECT_EQ(sentiti, (std::vector<int>{1, 2}));
    EXPECT_EQ(fonte->quanti(), 0u);

    // Moving onto a handle ends what it held.
    Abbonamento doppio = fonte->aggiungi([&](int v) { sentiti.push_back(-v); });
    doppio = fonte->aggiungi([](int) {});
    fonte->chiama(4);
    EXPECT_EQ(sentiti.back(), 2);
    EXPECT_EQ(fonte->quanti(), 1u);

    // A handle that outlives its source ends quietly.
    fonte.reset();
    doppio.disdici();
    EXPECT_FALSE(doppio.attivo());
}

TEST(Abbonamento, ACallbackMayEndAnotherOrSubscribeWhileCalled) {
    Abbonati<> fonte;
    int primo = 0, secondo = 0, nuovo = 0;
    std::optional<Abbonamento> b;
    std::vector<Abbonamento> aggiunti;
    Abbonamento a = fonte.aggiungi([&] {
        ++primo;
        b.reset();  // the second one must not be called any more, not even in this round
        aggiunti.push_back(fonte.aggiungi([&] { ++nuovo; }));
    });
    b = fonte.aggiungi([&] { ++secondo; });
    fonte.chiama();
    EXPECT_EQ(primo, 1);
    EXPECT_EQ(secondo, 0);
    EXPECT_EQ(nuovo, 0) << "one added during a round waits for the next";
    fonte.chiama();
    EXPECT_EQ(nuovo, 1);
}
