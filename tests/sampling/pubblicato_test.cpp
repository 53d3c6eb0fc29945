#include "sampling/pubblicato.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pulsaro;

TEST(Pubblicato, OnlyChangesSkipEqualAssignmentsPerObserver) {
    Pubblicato<int> p(1);
    std::vector<int> tutti, cambi;
    auto a = p.abbona([&](const int& v) { tutti.push_back(v); });
    auto b = p.abbona([&](const int& v) { cambi.push_back(v); }, true);
    for (int v : {1, 2, 2, 3, 3, 1}) p.assegna(v);
    EXPECT_EQ(tutti, (std::vector<int>{1, 2, 2, 3, 3, 1}));
    EXPECT_EQ(cambi, (std::vector<int>{2, 3, 1})) << "the first 1 equals the value at subscription";
    b.disdici();
    p.assegna(7);
    EXPECT_EQ(cambi.back(), 1);
    EXPECT_EQ(p(), 7);
}
