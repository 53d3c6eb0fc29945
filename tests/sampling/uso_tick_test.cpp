#include <gtest/gtest.h>

#include "sampling/core.h"
#include "sampling/tick.h"
#include "sampling/uso.h"

using namespace pulsaro;

namespace {
Tick t(std::uint64_t occupati, std::uint64_t totali) {
    return Tick{occupati, totali};
}
}  // namespace

TEST(Tick, PercentualeTotale) {
    // user, system, idle, nice: all but idle are busy.
    const auto l = tickDaContatori({{10, 5, 80, 1}, {0, 0, 100, 0}});
    ASSERT_EQ(l.perCore.size(), 2u);
    EXPECT_EQ(l.perCore[0].occupati, 16u);
    EXPECT_EQ(l.perCore[0].totali, 96u);
    EXPECT_EQ(l.occupati, 16u);
    EXPECT_EQ(l.totali, 196u);

    // Per core: a core that wrapped is left out, the others still count.
    LetturaTick p1 = tickDaContatori({{10, 0, 10, 0}, {0xFFFFFFF0ull, 0, 10, 0}});
    LetturaTick p2 = tickDaContatori({{20, 0, 20, 0}, {5, 0, 20, 0}});
    EXPECT_DOUBLE_EQ(percentualeCPU(p1, p2), 50.0);
    auto una = [](std::uint64_t occ, std::uint64_t tot) { return LetturaTick{occ, tot, {t(occ, tot)}}; };
    LetturaTick a = una(100, 1000), b = una(150, 1100);
    EXPECT_DOUBLE_EQ(percentualeCPU(a, b), 50.0);
    EXPECT_DOUBLE_EQ(percentualeCPU(a, a), 0.0);
    // Sums that went backwards (a core taken offline) are an interval without data.
    LetturaTick indietro = una(90, 900);
    EXPECT_DOUBLE_EQ(percentualeCPU(a, indietro), 0.0);
    LetturaTick soloOccupatiIndietro = una(50, 1100);
    EXPECT_DOUBLE_EQ(percentualeCPU(a, soloOccupatiIndietro), 0.0);
}

TEST(Tick, ContaCoreSogliaEClassi) {
    // Exactly half is not busy; a hair above is.
    EXPECT_EQ(contaCore({t(10, 10)}, {t(60, 110)}, {}), (CoreImpegnati{0, 0}));
    EXPECT_EQ(contaCore({t(10, 10)}, {t(5011, 10010)}, {}), (CoreImpegnati{1, 0}));
    // A core whose total did not move is never busy.
    EXPECT_EQ(contaCore({t(0, 100)}, {t(90, 100)}, {}), (CoreImpegnati{0, 0}));

    // Lists of 8 and 10: only the first 8 count.
    std::vector<Tick> otto(8, t(1, 1)), dieci(10, t(91, 101));
    EXPECT_EQ(contaCore(otto, dieci, {}).totale(), 8);

    // Cores beyond the class table count as performance cores.
    std::vector<Tick> sei0(6, t(1, 1)), sei1(6, t(91, 101));
    EXPECT_EQ(contaCore(sei0, sei1, {"E", "E", "P", "P"}), (CoreImpegnati{4, 2}));
    // Any letter but E is performance.
    EXPECT_EQ(contaCore({t(1, 1), t(1, 1)}, {t(91, 101), t(91, 101)}, {"X", "E"}), (CoreImpegnati{1, 1}));
}

TEST(Tick, ContatoriCheTornanoIndietroNonSonoOccupati) {
    // A 32-bit Mach counter that wrapped, widened to 64 bits, reads as a big drop.
    const std::uint64_t vicino = 0xFFFFFF00u;
    EXPECT_EQ(contaCore({t(vicino, vicino + 10)}, {t(5, 200)}, {}), (CoreImpegnati{0, 0}));
    // Busy ticks going back while the total moves on: no data either.
    EXPECT_EQ(contaCore({t(500, 1000)}, {t(100, 1200)}, {}), (CoreImpegnati{0, 0}));
    // The other cores of the same reading still count.
    EXPECT_EQ(contaCore({t(500, 1000), t(1, 1)}, {t(100, 1200), t(81, 101)}, {}), (CoreImpegnati{1, 0}));
}

TEST(Tick, TabellaDeiCore) {
    // Highest number 5, entries only for 0..3: six letters, the last two P.
    auto tipi = tabellaCore({{"E", 0}, {"E", 1}, {"P", 2}, {"P", 3}, {"P", 5}});
    EXPECT_EQ(tipi, (std::vector<std::string>{"E", "E", "P", "P", "P", "P"}));
    auto buco = tabellaCore({{"E", 0}, {"E", 5}});
    EXPECT_EQ(buco, (std::vector<std::string>{"E", "P", "P", "P", "P", "E"}));
    // A later entry for the same number wins; the class is the first byte only.
    EXPECT_EQ(tabellaCore({{"P", 0}, {"Efficiency", 0}}), (std::vector<std::string>{"E"}));
    // Entries without a class are skipped; nothing left is the empty table.
    EXPECT_TRUE(tabellaCore({{"", 0}}).empty());
    EXPECT_TRUE(tabellaCore({}).empty());
    // A byte of 128 or more is the Unicode character of that code.
    EXPECT_EQ(tabellaCore({{std::string(1, '\xE9'), 0}}), (std::vector<std::string>{"\u00E9"}));
    // A corrupt logical number must not allocate a giant table.
    EXPECT_TRUE(tabellaCore({{"P", 1LL << 40}}).empty());

    EXPECT_EQ(contaP({}, 8), 8);
    EXPECT_EQ(contaE({}), 0);
    EXPECT_EQ(contaP(tipi, 99), 4);
    EXPECT_EQ(contaE(tipi), 2);
}

TEST(Tick, TestiDeiCoreDelProcessoreEDellaGPU) {
    EXPECT_EQ((CoreImpegnati{3, 2, 6, 4}.testo()), "5/10 core (P 3 \u00B7 E 2)");
    EXPECT_EQ((CoreImpegnati{3, 0, 8, 0}.testo()), "3/8 core");
    EXPECT_EQ((CoreImpegnati{0, 0, 4, 1}.testo()), "0/5 core (P 0 \u00B7 E 0)");
    EXPECT_EQ(Core::testoProcessore(10, 6, 4), "10 core (6 + 4)");
    EXPECT_EQ(Core::testoProcessore(10, 6, 3), "10 core");
    EXPECT_EQ(Core::testoProcessore(8, std::nullopt, 0), "8 core");
    EXPECT_EQ(Core::testoGPU(10), "10 core");
    EXPECT_EQ(Core::testoGPU(std::nullopt), "Funziona");
}
