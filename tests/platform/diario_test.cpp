#include "platform/diario.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace pulsaro {
namespace {

struct Riga {
    LivelloDiario livello;
    std::string categoria, messaggio;
};

class DiarioTest : public ::testing::Test {
protected:
    void SetUp() override { impostaSogliaDiario(LivelloDiario::info); }
    void TearDown() override { impostaSogliaDiario(LivelloDiario::info); }

    std::vector<Riga> righe;
    DeviaDiario devia{[this](LivelloDiario l, std::string_view c, std::string_view m) {
        righe.push_back({l, std::string(c), std::string(m)});
    }};
};

TEST_F(DiarioTest, SogliaScartaLeRigheMenoGravi) {
    diario(LivelloDiario::debug, "gpu", "scartata");
    diario(LivelloDiario::info, "gpu", "tenuta");
    impostaSogliaDiario(LivelloDiario::errore);
    diario(LivelloDiario::avviso, "gpu", "scartata");
    diario(LivelloDiario::errore, "gpu", "grave");
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(righe[0].messaggio + righe[1].messaggio, "tenutagrave");
    EXPECT_EQ(righe[1].livello, LivelloDiario::errore);
}

// A source that fails on every sample, from several threads: one line for the cause, until it is
// forgotten; too many causes stop.
TEST_F(DiarioTest, UnaVoltaPerCausaFinoAUnLimite) {
    std::vector<std::thread> fili;
    for (int f = 0; f < 4; ++f)
        fili.emplace_back([f] {
            for (int campione = 0; campione < 100; ++campione)
                diarioUnaVolta(LivelloDiario::avviso, f % 2 ? "energia:powercap" : "gpu:/sys/class/drm",
                               f % 2 ? "energia" : "gpu", "lettura fallita");
        });
    for (auto& f : fili) f.join();
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_NE(righe[0].categoria, righe[1].categoria);

    EXPECT_FALSE(diarioUnaVolta(LivelloDiario::avviso, "gpu:/sys/class/drm", "gpu", "di nuovo"));
    dimenticaCausa("gpu:/sys/class/drm");
    EXPECT_TRUE(diarioUnaVolta(LivelloDiario::avviso, "gpu:/sys/class/drm", "gpu", "di nuovo"));
    EXPECT_EQ(righe.size(), 3u);
    dimenticaCausa("gpu:/sys/class/drm");
    dimenticaCausa("energia:powercap");

    // A cause built from changing data must not make the log (or the set of causes) grow for ever.
    righe.clear();
    std::size_t scritte = 0;
    for (int pid = 0; pid < 1000; ++pid)
        scritte += diarioUnaVolta(LivelloDiario::avviso, "pid:" + std::to_string(pid), "x", "y");
    EXPECT_LT(scritte, 1000u);
    EXPECT_LE(righe.size(), 257u);
    EXPECT_EQ(righe.back().categoria, "diario");
    for (int pid = 0; pid < 1000; ++pid) dimenticaCausa("pid:" + std::to_string(pid));
    EXPECT_TRUE(diarioUnaVolta(LivelloDiario::avviso, "dopo", "x", "di nuovo ascoltato"));
    dimenticaCausa("dopo");
}

TEST_F(DiarioTest, TestoEsternoRestaSuUnaRiga) {
    diario(LivelloDiario::avviso, "esegui\n", "ps: errore\nriga finta\r\x1b[31m");
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].categoria, "esegui ");
    EXPECT_EQ(righe[0].messaggio, "ps: errore riga finta  [31m");
    // The line for the terminal and for the journal, which takes the priority instead.
    EXPECT_EQ(rigaDiario(LivelloDiario::avviso, "gpu", "niente", false), "pulsaro: avviso: gpu: niente\n");
    EXPECT_EQ(rigaDiario(LivelloDiario::errore, "gpu", "niente", true), "<3>gpu: niente\n");
    EXPECT_EQ(rigaDiario(LivelloDiario::debug, "", "x", true), "<7>x\n");
}

}  // namespace
}  // namespace pulsaro
