#include "platform/diario.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace pulsaro {
namespace {

class DiarioTest : public ::testing::Test {
protected:
    void TearDown() override { impostaSogliaDiario(LivelloDiario::info); }

    std::vector<std::string> righe;  // category|message
    DeviaDiario devia{[this](LivelloDiario, std::string_view c, std::string_view m) {
        righe.push_back(std::string(c) + "|" + std::string(m));
    }};
};

TEST_F(DiarioTest, SogliaScartaLeRigheMenoGravi) {
    impostaSogliaDiario(LivelloDiario::info);
    diario(LivelloDiario::debug, "gpu", "scartata");
    diario(LivelloDiario::info, "gpu", "tenuta");
    impostaSogliaDiario(LivelloDiario::errore);
    diario(LivelloDiario::avviso, "gpu", "scartata");
    diario(LivelloDiario::errore, "gpu", "grave");
    EXPECT_EQ(righe, (std::vector<std::string>{"gpu|tenuta", "gpu|grave"}));
}

// One line per cause, from several threads, until it is forgotten; causes built from changing data
// (a pid) must not make the log or the set of causes grow for ever.
TEST_F(DiarioTest, UnaVoltaPerCausaFinoAUnLimite) {
    std::vector<std::thread> fili;
    for (int f = 0; f < 4; ++f)
        fili.emplace_back([f] {
            for (int campione = 0; campione < 100; ++campione)
                diarioUnaVolta(LivelloDiario::avviso, f % 2 ? "energia" : "gpu", "x", "lettura fallita");
        });
    for (auto& f : fili) f.join();
    EXPECT_EQ(righe.size(), 2u);
    dimenticaCausa("gpu");
    EXPECT_TRUE(diarioUnaVolta(LivelloDiario::avviso, "gpu", "x", "di nuovo"));
    dimenticaCausa("gpu");
    dimenticaCausa("energia");

    righe.clear();
    for (int pid = 0; pid < 1000; ++pid)
        diarioUnaVolta(LivelloDiario::avviso, "pid:" + std::to_string(pid), "x", "y");
    EXPECT_LE(righe.size(), 257u);
    EXPECT_TRUE(righe.back().starts_with("diario|"));
    for (int pid = 0; pid < 1000; ++pid) dimenticaCausa("pid:" + std::to_string(pid));
}

TEST_F(DiarioTest, TestoEsternoRestaSuUnaRiga) {
    diario(LivelloDiario::avviso, "esegui\n", "ps: errore\nriga finta\r\x1b[31m");
    EXPECT_EQ(righe, (std::vector<std::string>{"esegui |ps: errore riga finta  [31m"}));
    // The line for the terminal and for the journal, which takes the priority instead.
    EXPECT_EQ(rigaDiario(LivelloDiario::avviso, "gpu", "niente", false), "pulsaro: avviso: gpu: niente\n");
    EXPECT_EQ(rigaDiario(LivelloDiario::errore, "gpu", "niente", true), "<3>gpu: niente\n");
    EXPECT_EQ(rigaDiario(LivelloDiario::avviso, "", "x", true), "<4>x\n");
}

}  // namespace
}  // namespace pulsaro
