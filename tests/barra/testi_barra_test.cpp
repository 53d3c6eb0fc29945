#include "barra/testi_barra.h"

#include <gtest/gtest.h>

using namespace pulsaro;

TEST(SuggerimentoBarra, StateShownOnlyInTheAlertState) {
    const StatoFonti tutto{true, true, true};
    const StatoFonti senzaGpu{true, false, true};
    const StatoFonti niente{false, false, false};
    EXPECT_EQ(suggerimentoBarra(tutto, true), "Pulsaro");
    EXPECT_EQ(suggerimentoBarra(tutto, false), "Pulsaro");
    // With the alert turned off the tooltip stays plain even while sources fail.
    EXPECT_EQ(suggerimentoBarra(niente, false), "Pulsaro");
    EXPECT_EQ(suggerimentoBarra(senzaGpu, true), "Pulsaro \u2013 GPU non disponibile");
    EXPECT_EQ(suggerimentoBarra(niente, true), "Pulsaro \u2013 CPU, GPU e Neural Engine non disponibili");
    EXPECT_FALSE(statoGrigio(tutto, true));
    EXPECT_FALSE(statoGrigio(senzaGpu, false));
    EXPECT_TRUE(statoGrigio(senzaGpu, true));

    // A unit the machine lacks neither greys the icon nor reads as a failure; it is named once.
    const StatoFonti nessunaGpu{true, false, true, true, false};
    const StatoFonti soloCpu{true, false, false, true, true};
    EXPECT_FALSE(statoGrigio(nessunaGpu, true));
    EXPECT_FALSE(statoGrigio(soloCpu, true));
    EXPECT_EQ(suggerimentoBarra(nessunaGpu, true), "Pulsaro \u2013 Nessuna GPU rilevata");
    EXPECT_EQ(suggerimentoBarra(soloCpu, false), "Pulsaro \u2013 Nessuna GPU n\u00e9 NPU rilevata");
    // An NPU that is there and fails next to a missing GPU: the alert names the fault first.
    const StatoFonti npuGuasta{true, false, false, true, false};
    EXPECT_TRUE(statoGrigio(npuGuasta, true));
    EXPECT_EQ(suggerimentoBarra(npuGuasta, true),
              "Pulsaro \u2013 Neural Engine non disponibile \u00B7 Nessuna GPU rilevata");
}

TEST(DescrizioneRiquadro, UnclampedValuesAndNeuralEngineWord) {
    Riepilogo r;
    r.memoria = 104.2;
    r.cpu = 23.4;
    r.gpu = 5.6;
    r.ane = 0.49;
    EXPECT_EQ(descrizioneRiquadro(r), "Memoria 104%, CPU 23%, GPU 6%, Neural Engine a riposo");
    r.ane = 0.5;
    r.cpu = -3;
    EXPECT_EQ(descrizioneRiquadro(r), "Memoria 104%, CPU -3%, GPU 6%, Neural Engine attivo");
    // An absurd reading is written in full, not cut.
    r.memoria = 1e40;
    EXPECT_NE(descrizioneRiquadro(r).find("Neural Engine attivo"), std::string::npos);
}

TEST(SuggerimentoRiquadro, NamesTheTileFiguresAndTheAlert) {
    Riepilogo r;
    r.memoria = 62.4;
    r.cpu = 23.4;
    r.gpu = 5.2;
    r.ane = 0.2;
    const StatoFonti tutto{true, true, true};
    const StatoFonti senzaGpu{true, false, true};
    EXPECT_EQ(suggerimentoRiquadro(r, tutto, true),
              "Memoria 62 %, CPU 23 %, GPU 5 %, Neural Engine a riposo");
    r.ane = 0.5;
    EXPECT_EQ(suggerimentoRiquadro(r, tutto, true), "Memoria 62 %, CPU 23 %, GPU 5 %, Neural Engine attivo");
    EXPECT_EQ(suggerimentoRiquadro(r, senzaGpu, true),
              "Memoria 62 %, CPU 23 %, GPU 5 %, Neural Engine attivo \u2013 GPU non disponibile");
    EXPECT_EQ(suggerimentoRiquadro(r, senzaGpu, false),
              "Memoria 62 %, CPU 23 %, GPU 5 %, Neural Engine attivo");
}
