#include "sampling/testi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace pulsaro;

TEST(TestoStato, NamesTheFailingSourcesInOrderAndTheAbsentUnitsApart) {
    const std::pair<StatoFonti, const char*> guasti[] = {
        {{true, true, true}, "Tutto funziona"},
        {{true, true, false}, "Neural Engine non disponibile"},
        {{true, false, true}, "GPU non disponibile"},
        {{false, true, true}, "CPU non disponibile"},
        {{true, false, false}, "GPU e Neural Engine non disponibili"},
        {{false, true, false}, "CPU e Neural Engine non disponibili"},
        {{false, false, true}, "CPU e GPU non disponibili"},
        {{false, false, false}, "CPU, GPU e Neural Engine non disponibili"}};
    for (const auto& [stato, testo] : guasti) EXPECT_EQ(testoStato(stato), testo);

    // An absent unit is no fault.
    StatoFonti s{true, false, false, true, false};
    EXPECT_EQ(s.guasti(), (StatoFonti{true, true, false}));
    EXPECT_EQ(testoAssenti(s), "Nessuna GPU rilevata");
    s.aneAssente = true;
    EXPECT_TRUE(s.guasti().tutto());
    EXPECT_EQ(testoAssenti(s), "Nessuna GPU né NPU rilevata");
    s.gpuAssente = false;
    EXPECT_EQ(testoFonti(s), "GPU non disponibile \u00B7 Nessuna NPU rilevata");
    EXPECT_EQ(testoFonti(StatoFonti{}), "Tutto funziona");
    // The Mac's states: nothing absent, the faults are the state itself.
    EXPECT_EQ(testoAssenti(StatoFonti{false, false, false}), "");
    EXPECT_EQ(StatoFonti({true, false, true}).guasti(), (StatoFonti{true, false, true}));
}

TEST(MemoriaTesto, MegabytesBelowOneGigabyteThenGigabytesWithComma) {
    const std::pair<std::uint64_t, const char*> casi[] = {
        {0, "0 MB"},
        {52'428'800, "50 MB"},
        // 1023.5 MB rounds up in the text but is still below the boundary.
        {1'073'217'536, "1024 MB"},
        {1'073'741'823, "1024 MB"},
        {1'073'741'824, "1,0 GB"},
        {1'610'612'736, "1,5 GB"},
        {17'179'869'184, "16,0 GB"},
        {std::numeric_limits<std::uint64_t>::max(), "17179869184,0 GB"}};
    for (const auto& [byte, testo] : casi) EXPECT_EQ(memoriaTesto(byte), testo) << byte;
}
