#include "sampling/monitor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "sampling/coda_manuale.h"
#include "sonde_finte.h"

using namespace pulsaro;
using prova::SondeFinte;

namespace {

class MonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        monitor =
            Monitor::crea(sonde, coda, [this](std::function<void()> f) { blocchi.push_back(std::move(f)); });
        abbonamento = monitor->totale.abbona([this](const UsoTotale&) { ++campioni; });
    }
    // Runs the queue, then what it handed to the main thread.
    void avanza(double s) {
        coda.avanza(s);
        for (auto& f : std::exchange(blocchi, {})) f();
    }
    // A view on screen holds its interest; one shown again takes a new handle for its old one.
    void mostra(const std::string& vista, bool visibile) {
        if (visibile)
            viste[vista] = monitor->interesse();
        else
            viste.erase(vista);
    }

    SondeFinte sonde;
    CodaManuale coda;
    std::vector<std::function<void()>> blocchi;
    std::shared_ptr<Monitor> monitor;
    std::map<std::string, Monitor::Interesse> viste;
    Abbonamento abbonamento;
    int campioni = 0;  // the totals go out with every full sample
};

}  // namespace

TEST_F(MonitorTest, LaPrimaVistaAvviaIlCampionamento) {
    // Without views only the source check runs, and its listing keeps nothing open at rest.
    avanza(0);
    EXPECT_EQ(sonde.chiamateLista, 1);
    EXPECT_FALSE(sonde.trattiene);
    // A view announced twice and gone once is gone.
    mostra("mini", true);
    mostra("mini", true);
    mostra("mini", false);
    EXPECT_TRUE(monitor->inControllo());
    mostra("mini", true);
    avanza(0.35);
    EXPECT_EQ(campioni, 1) << "first full sample 0.35 s after the view appeared";
    EXPECT_TRUE(sonde.trattiene) << "kept from sample to sample while a view shows them";
    mostra("mini", false);
    EXPECT_TRUE(monitor->inControllo());
    avanza(0);
    EXPECT_FALSE(sonde.trattiene) << "the last view gone lets the listing's files go";
}

TEST_F(MonitorTest, FontiNonFunzionanti) {
    sonde.lista.clear();
    sonde.gpu.trovata = false;
    sonde.energia->impostata = false;
    avanza(0);
    EXPECT_EQ(monitor->stato(), (StatoFonti{false, false, false}));
    // Ticks that do not move also mean a CPU source that does not work.
    sonde.lista = {{1, {1, 1, "x"}}};
    mostra("mini", true);
    avanza(0.35);
    EXPECT_FALSE(monitor->stato().cpu);
    sonde.avanzaTick(10, 10);
    avanza(1.5);
    EXPECT_TRUE(monitor->stato().cpu);

    // A failed tick reading after a good one is no movement, and not the next baseline either.
    // A memory reading that is not a number is none.
    const auto buona = sonde.tick;
    sonde.tick = {};
    sonde.memoria = std::nan("");
    avanza(1.5);
    EXPECT_FALSE(monitor->stato().cpu);
    EXPECT_EQ(monitor->riepilogo().memoria, 0);
    sonde.tick = buona;
    sonde.avanzaTick(30, 10);
    avanza(1.5);
    EXPECT_DOUBLE_EQ(monitor->totale().cpu, 75.0);

    // Units the machine does not have are told apart from units that fail.
    sonde.gpu.assente = true;
    sonde.energia->manca = true;
    sonde.avanzaTick(10, 10);
    avanza(1.5);
    EXPECT_EQ(monitor->stato(), (StatoFonti{true, false, false, true, true}));
}

TEST_F(MonitorTest, NumeroDeiProcessiEDettaglioDelSeguito) {
    for (int i = 2; i <= 20; ++i) sonde.lista[i] = {double(i), 4096, "p"};
    sonde.lista[8] = {1, 200, "b", std::nullopt, 500};
    sonde.applicazioni[8] = "Bi";
    monitor->impostaSeguito(8, 500);
    mostra("principale", true);
    avanza(0.35);
    ASSERT_TRUE(monitor->dettaglio().has_value());
    EXPECT_EQ(monitor->dettaglio()->nome, "Bi");
    monitor->impostaNumeroProcessi(8);
    sonde.lista[8] = {1, 300, "b", std::nullopt, 900};  // it exits, and its id goes to a later process
    avanza(1.5);
    EXPECT_EQ(monitor->processi().size(), 8u);
    EXPECT_FALSE(monitor->dettaglio().has_value());
    monitor->impostaNumeroProcessi(-1);
    EXPECT_EQ(monitor->numeroProcessi(), 0);
}

TEST_F(MonitorTest, NeuralEngineNelCampioneEClient) {
    sonde.energia->potenze = {1.5, 2};
    sonde.client = {{7, "ane-a"}, {9, "ane-b"}};
    sonde.applicazioni[9] = "Anteprima";
    mostra("principale", true);
    avanza(0.35);
    EXPECT_DOUBLE_EQ(monitor->totale().ane, 25.0);
    EXPECT_EQ(monitor->totale().aneApp, (std::vector<std::string>{"Anteprima", "ane-a"}));

    // Residency, when present, wins over the power estimate, is capped and is split among the clients.
    sonde.energia->attivita = 1.2;
    avanza(1.5);
    const auto& p = monitor->processi();
    const auto sette = std::find_if(p.begin(), p.end(), [](auto& u) { return u.id == 7; });
    ASSERT_NE(sette, p.end());
    EXPECT_DOUBLE_EQ(sette->ane, 50.0);

    // While residency is available the power peak still moves, so a later fall-back uses it.
    sonde.energia->potenze = {0, 20};
    avanza(1.5);
    sonde.energia->attivita.reset();
    sonde.energia->potenze = {0, 2};
    avanza(1.5);
    EXPECT_NEAR(monitor->totale().ane, 2 / (20 * 0.999) * 100, 1e-9);
    // Negative power (counters that ran backwards) is no activity.
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(-3, 1, 0), 0.0);
}

TEST(Pubblicato, OnlyChangesSkipEqualAssignmentsPerObserver) {
    Pubblicato<int> p(1);
    std::vector<int> cambi;
    auto a = p.abbona([&](const int& v) { cambi.push_back(v); }, true);
    for (int v : {1, 2, 2, 3, 3, 1}) p.assegna(v);
    EXPECT_EQ(cambi, (std::vector<int>{2, 3, 1})) << "the first 1 equals the value at subscription";
}

TEST_F(MonitorTest, UnoScrapeNonTieneApertiIFileDellElenco) {
    avanza(0);
    std::optional<LetturaEsportata> r;
    monitor->leggiPerEsportare(5, [&](LetturaEsportata l) { r = std::move(l); });
    coda.esegui();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->processi.size(), 1u);
    EXPECT_FALSE(sonde.trattiene);
}

// The tile's light samples every 2 s, the memory at 40 for half of each minute and at 60 for the rest.
TEST_F(MonitorTest, OgniMinutoDiStoriaHaIlSuoMinimoEIlSuoMassimo) {
    monitor->riquadro(true);
    for (int k = 0; k < 3 * 30; ++k) {
        sonde.memoria = k % 30 < 15 ? 40 : 60;
        sonde.avanzaTick(25, 75);
        avanza(2);
    }
    const Storia& s = monitor->storia();
    ASSERT_GE(s.numeroMinuti(), 2u);
    EXPECT_EQ(s.minuto(1)[Figura::memoria].minimo, 40);
    EXPECT_EQ(s.minuto(1)[Figura::memoria].massimo, 60);
}
