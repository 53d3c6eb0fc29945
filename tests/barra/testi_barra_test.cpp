#include "barra/testi_barra.h"

#include <gtest/gtest.h>

using namespace pulsaro;

TEST(SuggerimentoBarra, StatoSoloConLAvvisoAcceso) {
    const StatoFonti tutto{true, true, true}, senzaGpu{true, false, true}, niente{false, false, false};
    // A unit the machine lacks neither greys the icon nor reads as a failure; it is named once.
    const StatoFonti nessunaGpu{true, false, true, true, false}, soloCpu{true, false, false, true, true};
    const StatoFonti npuGuasta{true, false, false, true, false};
    struct Caso {
        StatoFonti stato;
        bool avviso, grigio;
        const char* testo;
    };
    for (const Caso& c : {
             Caso{tutto, true, false, "Pulsaro"},
             Caso{niente, false, false, "Pulsaro"},
             Caso{senzaGpu, false, false, "Pulsaro"},
             Caso{senzaGpu, true, true, "Pulsaro \u2013 GPU non disponibile"},
             Caso{niente, true, true, "Pulsaro \u2013 CPU, GPU e Neural Engine non disponibili"},
             Caso{nessunaGpu, true, false, "Pulsaro \u2013 Nessuna GPU rilevata"},
             Caso{soloCpu, true, false, "Pulsaro \u2013 Nessuna GPU n\u00e9 NPU rilevata"},
             Caso{soloCpu, false, false, "Pulsaro \u2013 Nessuna GPU n\u00e9 NPU rilevata"},
             // The fault comes before the missing unit.
             Caso{npuGuasta, true, true,
                  "Pulsaro \u2013 Neural Engine non disponibile \u00B7 Nessuna GPU rilevata"},
         }) {
        EXPECT_EQ(statoGrigio(c.stato, c.avviso), c.grigio) << c.testo;
        EXPECT_EQ(suggerimentoBarra(c.stato, c.avviso), c.testo);
    }
}

TEST(DescrizioneRiquadro, CifreNonLimitateEParolaDelNeuralEngine) {
    Riepilogo r;
    r.memoria = 104.2;
    r.cpu = 23.4;
    r.gpu = 5.6;
    r.ane = 0.49;
    EXPECT_EQ(descrizioneRiquadro(r), "Memoria 104%, CPU 23%, GPU 6%, Neural Engine a riposo");
    r.ane = 0.5;
    r.cpu = -3;
    EXPECT_EQ(descrizioneRiquadro(r), "Memoria 104%, CPU -3%, GPU 6%, Neural Engine attivo");
    r.memoria = 1e40;  // written in full, not cut
    EXPECT_NE(descrizioneRiquadro(r).find("Neural Engine attivo"), std::string::npos);

    r.memoria = 62.4;
    r.cpu = 23.4;
    const StatoFonti senzaGpu{true, false, true};
    EXPECT_EQ(suggerimentoRiquadro(r, senzaGpu, true),
              "Memoria 62 %, CPU 23 %, GPU 6 %, Neural Engine attivo \u2013 GPU non disponibile");
    EXPECT_EQ(suggerimentoRiquadro(r, senzaGpu, false),
              "Memoria 62 %, CPU 23 %, GPU 6 %, Neural Engine attivo");
}
