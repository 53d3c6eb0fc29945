#include "sampling/catalogo.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace pulsaro;

// Another program reads the table by index, id, JSON key and metric name: each must be unique,
// found again (the busy cores share a metric, told apart by their class), and the metric name must
// carry the unit its value is exported in.
TEST(Catalogo, VociCoerenti) {
    std::set<std::string> id, json, metriche;
    for (std::size_t i = 0; i < catalogo.size(); ++i) {
        const VoceCatalogo& v = catalogo[i];
        EXPECT_EQ(static_cast<std::size_t>(v.figura), i) << v.id;
        EXPECT_EQ(voce(v.id), &v);
        EXPECT_TRUE(
            id.insert(v.id).second && json.insert(v.json).second &&
            metriche.insert(std::string(v.metrica) + (v.unita == Unita::core ? v.etichetta : "")).second)
            << v.id;
        const std::string m = v.metrica;
        EXPECT_TRUE(m.starts_with("pulsaro_")) << m;
        EXPECT_EQ(m.ends_with("_ratio"), v.unita == Unita::percento || v.unita == Unita::attivita) << m;
        EXPECT_EQ(m.ends_with("_watts"), v.unita == Unita::watt) << m;
    }
    EXPECT_EQ(voce("Mem"), nullptr);
    EXPECT_DOUBLE_EQ(valoreMetrica(Figura::cpu, 42), 0.42);
    EXPECT_DOUBLE_EQ(valoreMetrica(Figura::gpuWatt, 4.2), 4.2);
}

TEST(Catalogo, LettoriETesti) {
    Riepilogo r{61.6, 23.4, {3, 2, 4, 4}, 5.6, 0.49};
    UsoTotale t{30, {1, 1, 4, 4}, 7, 2, 4.25, 0.5, {}};
    const Misure leggero = misure(r), pieno = misure(r, t);
    // A light sample has no power; a full one takes memory from the summary, the rest from totals.
    EXPECT_FALSE(leggero[Figura::gpuWatt].has_value());
    EXPECT_EQ(leggero[Figura::coreE], 2);
    EXPECT_EQ(pieno[Figura::memoria], 61.6);
    EXPECT_EQ(pieno[Figura::cpu], 30);
    EXPECT_EQ(pieno[Figura::aneWatt], 0.5);

    const std::tuple<Figura, double, const char*> casi[] = {{Figura::memoria, 61.6, "62 %"},
                                                            {Figura::coreP, 3, "3"},
                                                            {Figura::gpuWatt, 4.26, "4,3 W"},
                                                            {Figura::ane, 0.49, "a riposo"},
                                                            {Figura::ane, 0.5, "attivo"}};
    for (auto [figura, valore, atteso] : casi) EXPECT_EQ(testo(figura, valore), atteso);
    EXPECT_EQ(testo(Figura::cpu, 1e40).size(), 43u) << "an absurd reading is written in full";
    EXPECT_FALSE(disponibile(Figura::gpuWatt, StatoFonti{true, false, true}));
    EXPECT_TRUE(disponibile(Figura::memoria, StatoFonti{false, false, false}));
}
