#include "platform/tabella_preferenze.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace pulsaro;
namespace TP = pulsaro::TabellaPreferenze;

TEST(TabellaPreferenze, IlNumeroDeiProcessiTraGliEstremiAncheFuoriPasso) {
    PreferenzeInMemoria p;
    EXPECT_EQ(TP::numeroPannelli.leggi(p), 9);
    const std::pair<ValorePreferenza, std::int64_t> casi[] = {{std::int64_t{1}, 3},
                                                              {std::int64_t{-40}, 3},
                                                              {std::int64_t{100}, 30},
                                                              {std::int64_t{8}, 8},
                                                              {std::int64_t{30}, 30},
                                                              {std::string("5"), 9},
                                                              {4.0, 9},
                                                              {true, 9},
                                                              {std::int64_t{INT64_MIN}, 3}};
    for (const auto& [valore, atteso] : casi) {
        p.scrivi(TP::numeroPannelli.chiave, valore);
        EXPECT_EQ(TP::numeroPannelli.leggi(p), atteso) << atteso;
    }
}

TEST(TabellaPreferenze, SceltaColoreEBooleaniMalScritti) {
    PreferenzeInMemoria p;
    TP::vista.scrivi(p, 1);
    EXPECT_EQ(TP::vista.leggi(p), 1u);
    for (const char* t : {"contagiri", "", "Contagiri ", "Barre, Contagiri"}) {
        p.scrivi(TP::vista.chiave, std::string(t));
        EXPECT_EQ(TP::vista.leggi(p), 0u) << t;
    }
    p.scrivi(TP::vista.chiave, std::int64_t{1});
    EXPECT_EQ(TP::vista.leggi(p), 0u);

    p.scrivi(TP::coloreRiquadro.chiave, std::string(" #a0b1c2\n"));
    EXPECT_EQ(TP::coloreRiquadro.leggi(p), "A0B1C2");
    for (const char* t : {"#ZZ11GG", "1122334", "12345", "+12345", "0x1234", "12 345"}) {
        p.scrivi(TP::coloreRiquadro.chiave, std::string(t));
        EXPECT_EQ(TP::coloreRiquadro.leggi(p), "E08A4F") << t;
        EXPECT_EQ(p.testo(TP::coloreRiquadro.chiave), t) << "an unreadable colour stays stored";
    }

    p.scrivi(TP::barraMenu.chiave, std::int64_t{0});
    p.scrivi(TP::iconaRiquadro.chiave, std::string("true"));
    EXPECT_TRUE(TP::barraMenu.leggi(p));
    EXPECT_FALSE(TP::iconaRiquadro.leggi(p));
}
