#include "platform/tabella_preferenze.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace pulsaro;
namespace TP = pulsaro::TabellaPreferenze;

// Hand-edited values: out of range is clamped, of the wrong type or unreadable gives the default.
TEST(TabellaPreferenze, ValoriMalScrittiDannoIlPredefinitoOIlLimite) {
    PreferenzeInMemoria p;
    const std::pair<ValorePreferenza, std::int64_t> casi[] = {{std::int64_t{-40}, 3},
                                                              {std::int64_t{100}, 30},
                                                              {std::int64_t{8}, 8},
                                                              {std::string("5"), 9},
                                                              {4.0, 9},
                                                              {std::int64_t{INT64_MIN}, 3}};
    for (const auto& [valore, atteso] : casi) {
        p.scrivi(TP::numeroPannelli.chiave, valore);
        EXPECT_EQ(TP::numeroPannelli.leggi(p), atteso) << atteso;
    }

    for (const char* t : {"contagiri", "Barre, Contagiri"}) {
        p.scrivi(TP::vista.chiave, std::string(t));
        EXPECT_EQ(TP::vista.leggi(p), 0u) << t;
    }
    p.scrivi(TP::coloreRiquadro.chiave, std::string(" #a0b1c2\n"));
    EXPECT_EQ(TP::coloreRiquadro.leggi(p), "A0B1C2");
    for (const char* t : {"#ZZ11GG", "1122334", "12345", "+12345", "12 345"}) {
        p.scrivi(TP::coloreRiquadro.chiave, std::string(t));
        EXPECT_EQ(TP::coloreRiquadro.leggi(p), "E08A4F") << t;
        EXPECT_EQ(p.testo(TP::coloreRiquadro.chiave), t) << "an unreadable colour stays stored";
    }
    p.scrivi(TP::iconaRiquadro.chiave, std::string("true"));
    EXPECT_FALSE(TP::iconaRiquadro.leggi(p));
}
