#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "sampling/catalogo.h"
#include "sampling/core.h"
#include "sampling/testi.h"
#include "sampling/tick.h"
#include "sampling/uso.h"

using namespace pulsaro;

namespace {
Tick t(std::uint64_t occupati, std::uint64_t totali) {
    return Tick{occupati, totali};
}
LetturaTick una(std::uint64_t occupati, std::uint64_t totali) {
    return LetturaTick{occupati, totali, {t(occupati, totali)}};
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
    EXPECT_DOUBLE_EQ(percentualeCPU(tickDaContatori({{10, 0, 10, 0}, {0xFFFFFFF0ull, 0, 10, 0}}),
                                    tickDaContatori({{20, 0, 20, 0}, {5, 0, 20, 0}})),
                     50.0);
    EXPECT_DOUBLE_EQ(percentualeCPU(una(100, 1000), una(150, 1100)), 50.0);
    EXPECT_DOUBLE_EQ(percentualeCPU(una(100, 1000), una(100, 1000)), 0.0);
    // Sums that went backwards (a core taken offline) are an interval without data.
    EXPECT_DOUBLE_EQ(percentualeCPU(una(100, 1000), una(90, 900)), 0.0);
    EXPECT_DOUBLE_EQ(percentualeCPU(una(100, 1000), una(50, 1100)), 0.0);
}

TEST(Tick, CoreImpegnatiSopraMetaEPerClasse) {
    const std::uint64_t vicino = 0xFFFFFF00u;
    const struct {
        std::vector<Tick> prima, dopo;
        std::vector<std::string> tipi;
        CoreImpegnati atteso;
    } casi[] = {
        // Exactly half is not busy; a hair above is.
        {{t(10, 10)}, {t(60, 110)}, {}, {0, 0}},
        {{t(10, 10)}, {t(5011, 10010)}, {}, {1, 0}},
        // A core whose total did not move is never busy.
        {{t(0, 100)}, {t(90, 100)}, {}, {0, 0}},
        // A 32-bit counter that wrapped, widened to 64 bits, reads as a big drop; busy ticks going
        // back while the total moves on are no data either; the other cores still count.
        {{t(vicino, vicino + 10)}, {t(5, 200)}, {}, {0, 0}},
        {{t(500, 1000), t(1, 1)}, {t(100, 1200), t(81, 101)}, {}, {1, 0}},
        // An offline core reads as zeros; back online it shows its ticks since boot.
        {{t(0, 0), t(10, 10)}, {t(150, 200), t(100, 110)}, {}, {1, 0}},
        // Lists of 8 and 10: only the first 8 count.
        {std::vector<Tick>(8, t(1, 1)), std::vector<Tick>(10, t(91, 101)), {}, {8, 0}},
        // Cores beyond the class table count as performance cores; any letter but E is one.
        {std::vector<Tick>(6, t(1, 1)), std::vector<Tick>(6, t(91, 101)), {"E", "E", "P", "P"}, {4, 2}},
        {{t(1, 1), t(1, 1)}, {t(91, 101), t(91, 101)}, {"X", "E"}, {1, 1}},
    };
    int riga = 0;
    for (const auto& c : casi) EXPECT_EQ(contaCore(c.prima, c.dopo, c.tipi), c.atteso) << "row " << riga++;
}

TEST(Tick, TabellaDeiCore) {
    // Highest number 5, entries only for 0..3: six letters, the last two P.
    const auto tipi = tabellaCore({{"E", 0}, {"E", 1}, {"P", 2}, {"P", 3}, {"P", 5}});
    EXPECT_EQ(tipi, (std::vector<std::string>{"E", "E", "P", "P", "P", "P"}));
    EXPECT_EQ(tabellaCore({{"E", 0}, {"E", 5}}), (std::vector<std::string>{"E", "P", "P", "P", "P", "E"}));
    // A later entry for the same number wins; the class is the first byte only.
    EXPECT_EQ(tabellaCore({{"P", 0}, {"Efficiency", 0}}), (std::vector<std::string>{"E"}));
    // Entries without a class are skipped; nothing left is the empty table.
    EXPECT_TRUE(tabellaCore({{"", 0}}).empty());
    // A byte of 128 or more is the Unicode character of that code.
    EXPECT_EQ(tabellaCore({{std::string(1, '\xE9'), 0}}), (std::vector<std::string>{"\u00E9"}));
    // A corrupt logical number (above 65535) must not allocate a giant table.
    EXPECT_TRUE(tabellaCore({{"P", 65536}}).empty());

    EXPECT_EQ(contaP({}, 8), 8);
    EXPECT_EQ(contaE({}), 0);
    EXPECT_EQ(contaP(tipi, 99), 4);
    EXPECT_EQ(contaE(tipi), 2);
}

// Every text the user reads, exactly.
TEST(Testi, CoreFontiMemoriaEFigure) {
    const StatoFonti senzaGpu{true, false, false, true, false}, senzaGpuNeNpu{true, false, false, true, true};
    const std::pair<std::string, const char*> casi[] = {
        {CoreImpegnati{3, 2, 6, 4}.testo(), "5/10 core (P 3 \u00B7 E 2)"},
        {CoreImpegnati{3, 0, 8, 0}.testo(), "3/8 core"},
        {CoreImpegnati{0, 0, 4, 1}.testo(), "0/5 core (P 0 \u00B7 E 0)"},
        {Core::testoProcessore(10, 6, 4), "10 core (6 + 4)"},
        {Core::testoProcessore(10, 6, 3), "10 core"},
        {Core::testoProcessore(8, std::nullopt, 0), "8 core"},
        {Core::testoGPU(10), "10 core"},
        {Core::testoGPU(std::nullopt), "Funziona"},
        // The failing sources in order; the units the machine lacks said apart.
        {testoStato({true, true, true}), "Tutto funziona"},
        {testoStato({true, true, false}), "Neural Engine non disponibile"},
        {testoStato({true, false, true}), "GPU non disponibile"},
        {testoStato({false, true, true}), "CPU non disponibile"},
        {testoStato({true, false, false}), "GPU e Neural Engine non disponibili"},
        {testoStato({false, true, false}), "CPU e Neural Engine non disponibili"},
        {testoStato({false, false, true}), "CPU e GPU non disponibili"},
        {testoStato({false, false, false}), "CPU, GPU e Neural Engine non disponibili"},
        {testoAssenti(senzaGpu), "Nessuna GPU rilevata"},
        {testoAssenti(senzaGpuNeNpu), "Nessuna GPU n\u00E9 NPU rilevata"},
        {testoAssenti({false, false, false}), ""},
        {testoFonti({true, false, false, false, true}), "GPU non disponibile \u00B7 Nessuna NPU rilevata"},
        {testoFonti({}), "Tutto funziona"},
        // Megabytes below a gigabyte (1023.5 MB rounds up in the text but stays below), then
        // gigabytes with a comma.
        {memoriaTesto(52'428'800), "50 MB"},
        {memoriaTesto(1'073'217'536), "1024 MB"},
        {memoriaTesto(1'073'741'823), "1024 MB"},
        {memoriaTesto(1'073'741'824), "1,0 GB"},
        {memoriaTesto(1'610'612'736), "1,5 GB"},
        {memoriaTesto(std::numeric_limits<std::uint64_t>::max()), "17179869184,0 GB"},
        // A figure as the tile and the history write it.
        {testo(Figura::memoria, 61.6), "62 %"},
        {testo(Figura::coreP, 3), "3"},
        {testo(Figura::gpuWatt, 4.26), "4,3 W"},
        {testo(Figura::ane, 0.49), "a riposo"},
        {testo(Figura::ane, 0.5), "attivo"}};
    for (const auto& [testo, atteso] : casi) EXPECT_EQ(testo, atteso);
    EXPECT_EQ(testo(Figura::cpu, 1e40).size(), 43u) << "an absurd reading is written in full";

    // An absent unit is no fault; on the Mac nothing is absent and the faults are the state itself.
    EXPECT_EQ(senzaGpu.guasti(), (StatoFonti{true, true, false}));
    EXPECT_TRUE(senzaGpuNeNpu.guasti().tutto());
    EXPECT_EQ(StatoFonti({true, false, true}).guasti(), (StatoFonti{true, false, true}));
}
