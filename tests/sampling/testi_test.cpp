#include "sampling/testi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace pulsaro;

TEST(TestoStato, NamesTheFailingSourcesInOrder) {
    auto t = [](bool cpu, bool gpu, bool ane) { return testoStato(StatoFonti{cpu, gpu, ane}); };
    EXPECT_EQ(t(true, true, true), "Tutto funziona");
    EXPECT_EQ(t(true, true, false), "Neural Engine non disponibile");
    EXPECT_EQ(t(true, false, true), "GPU non disponibile");
    EXPECT_EQ(t(false, true, true), "CPU non disponibile");
    EXPECT_EQ(t(true, false, false), "GPU e Neural Engine non disponibili");
    EXPECT_EQ(t(false, true, false), "CPU e Neural Engine non disponibili");
    EXPECT_EQ(t(false, false, true), "CPU e GPU non disponibili");
    EXPECT_EQ(t(false, false, false), "CPU, GPU e Neural Engine non disponibili");
}

TEST(TestoStato, AnAbsentUnitIsNoFault) {
    StatoFonti s{true, false, false, true, false};
    EXPECT_FALSE(s.tutto());
    EXPECT_EQ(s.guasti(), (StatoFonti{true, true, false}));
    EXPECT_EQ(testoStato(s.guasti()), "Neural Engine non disponibile");
    EXPECT_EQ(testoAssenti(s), "Nessuna GPU rilevata");
    s.aneAssente = true;
    EXPECT_TRUE(s.guasti().tutto());
    EXPECT_EQ(testoAssenti(s), "Nessuna GPU né NPU rilevata");
    s.gpuAssente = false;
    EXPECT_EQ(testoStato(s.guasti()), "GPU non disponibile");
    EXPECT_EQ(testoAssenti(s), "Nessuna NPU rilevata");
    EXPECT_EQ(testoFonti(s), "GPU non disponibile \u00B7 Nessuna NPU rilevata");
    EXPECT_EQ(testoFonti(StatoFonti{}), "Tutto funziona");
    // The Mac's states: nothing absent, the faults are the state itself.
    EXPECT_EQ(testoAssenti(StatoFonti{false, false, false}), "");
    EXPECT_EQ(StatoFonti({true, false, true}).guasti(), (StatoFonti{true, false, true}));
}

TEST(MemoriaTesto, MegabytesBelowOneGigabyteThenGigabytesWithComma) {
    EXPECT_EQ(memoriaTesto(0), "0 MB");
    EXPECT_EQ(memoriaTesto(52'428'800), "50 MB");
    // 1023.5 MB rounds up in the text but is still below the boundary.
    EXPECT_EQ(memoriaTesto(1'073'217'536), "1024 MB");
    EXPECT_EQ(memoriaTesto(1'073'741'823), "1024 MB");
    EXPECT_EQ(memoriaTesto(1'073'741'824), "1,0 GB");
    EXPECT_EQ(memoriaTesto(1'610'612'736), "1,5 GB");
    EXPECT_EQ(memoriaTesto(17'179'869'184), "16,0 GB");
    const std::string enorme = memoriaTesto(std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(enorme, "17179869184,0 GB");
    EXPECT_EQ(enorme.find('.'), std::string::npos);
}
