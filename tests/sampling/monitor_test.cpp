#include "sampling/monitor.h"

#include <gtest/gtest.h>

#include "platform/preferenze.h"
#include "sampling/coda_manuale.h"
#include "sonde_finte.h"

using namespace pulsaro;
using prova::SondeFinte;

namespace {

class MonitorTest : public ::testing::Test {
protected:
    void SetUp() override { crea(); }

    void crea() {
        monitor = Monitor::crea(
            sonde, coda, [this](std::function<void()> f) { blocchi.push_back(std::move(f)); }, preferenze);
        totali = 0;
        abbonamentoTotali = monitor->totale.abbona([this](const UsoTotale&) { ++totali; });
    }
    // Runs what the queue handed to the main thread.
    void drena() {
        while (!blocchi.empty()) {
            auto f = std::move(blocchi.front());
            blocchi.erase(blocchi.begin());
            f();
        }
    }
    void avanza(double s) {
        coda.avanza(s);
        drena();
    }
    int campioni() const { return totali; }  // the totals go out with every full sample
    int totali = 0;

    SondeFinte sonde;
    CodaManuale coda;
    PreferenzeInMemoria preferenze;
    std::vector<std::function<void()>> blocchi;
    std::shared_ptr<Monitor> monitor;
    Abbonamento abbonamentoTotali;
};

}  // namespace

TEST_F(MonitorTest, SenzaVisteSoloIlControlloDelleFonti) {
    avanza(0);
    EXPECT_EQ(sonde.chiamateLista, 1) << "the source check runs once right away";
    EXPECT_TRUE(monitor->inControllo());
    avanza(59.9);
    EXPECT_EQ(sonde.chiamateLista, 1);
    avanza(0.1);
    EXPECT_EQ(sonde.chiamateLista, 2) << "then every 60 s";
    EXPECT_EQ(campioni(), 0);
    EXPECT_TRUE(monitor->processi().empty());
}

TEST_F(MonitorTest, LaPrimaVistaAvviaIlCampionamento) {
    avanza(10);
    monitor->visibilita(true, "mini");
    EXPECT_FALSE(monitor->inControllo());
    EXPECT_TRUE(monitor->campionando());
    avanza(0.34);
    EXPECT_EQ(campioni(), 0);
    EXPECT_EQ(sonde.chiamateGPU, 1) << "the references were reset first";
    avanza(0.01);
    EXPECT_EQ(campioni(), 1) << "first full sample 0.35 s after the view appeared";
    avanza(1.5);
    EXPECT_EQ(campioni(), 2);

    // Closing the popover while the settings are open keeps sampling.
    monitor->visibilita(true, "impostazioni");
    monitor->visibilita(false, "mini");
    avanza(1.5);
    EXPECT_EQ(campioni(), 3);
    // The last view leaving stops it and restarts the 60 s check.
    monitor->visibilita(false, "impostazioni");
    EXPECT_FALSE(monitor->campionando());
    EXPECT_TRUE(monitor->inControllo());
    const int liste = sonde.chiamateLista;
    avanza(59);
    EXPECT_EQ(campioni(), 3);
    EXPECT_EQ(sonde.chiamateLista, liste);
    avanza(1);
    EXPECT_EQ(sonde.chiamateLista, liste + 1);
}

TEST_F(MonitorTest, VisibilitaRipetuteNonContano) {
    monitor->visibilita(true, "mini");
    monitor->visibilita(true, "mini");
    monitor->visibilita(false, "mini");
    EXPECT_FALSE(monitor->campionando());
    EXPECT_TRUE(monitor->inControllo());
    avanza(5);
    EXPECT_EQ(campioni(), 0);
}

TEST_F(MonitorTest, UnNuovoIntervalloRiparteDaCapo) {
    monitor->visibilita(true, "principale");
    avanza(0.35);
    EXPECT_EQ(campioni(), 1);
    monitor->impostaIntervallo(3);
    avanza(2.9);
    EXPECT_EQ(campioni(), 1) << "no sample before the new interval";
    avanza(0.1);
    EXPECT_EQ(campioni(), 2);
    avanza(3);
    EXPECT_EQ(campioni(), 3);
    // Without views a new interval only stores the value.
    monitor->visibilita(false, "principale");
    monitor->impostaIntervallo(1);
    EXPECT_FALSE(monitor->campionando());
    monitor->visibilita(true, "principale");
    avanza(0.35 + 1);
    EXPECT_EQ(campioni(), 5) << "the stored interval applies when a view comes back";
}

TEST_F(MonitorTest, IlCampioneLeggeroTaceMentreCampionaIlPrincipale) {
    monitor->riquadro(true);
    avanza(0.3);
    EXPECT_EQ(sonde.chiamateMemoria, 1);
    avanza(2);
    EXPECT_EQ(sonde.chiamateMemoria, 2);

    monitor->visibilita(true, "principale");
    const int prima = sonde.chiamateMemoria;
    avanza(6);  // 4 full samples (0.35, 1.85, 3.35, 4.85) and 3 skipped light ones
    EXPECT_EQ(sonde.chiamateMemoria - prima, 4);

    monitor->visibilita(false, "principale");
    const int dopo = sonde.chiamateMemoria;
    avanza(4);
    EXPECT_EQ(sonde.chiamateMemoria - dopo, 2) << "light samples every 2 s again";

    monitor->riquadro(false);
    avanza(10);
    EXPECT_EQ(sonde.chiamateMemoria - dopo, 2);
}

TEST_F(MonitorTest, RiepilogoSoloSeCambiaListeSempre) {
    int processi = 0, totali = 0, riepiloghi = 0;
    auto abbonamento1 = monitor->processi.abbona([&](auto&) { ++processi; });
    auto abbonamento2 = monitor->totale.abbona([&](auto&) { ++totali; });
    auto abbonamento3 = monitor->riepilogo.abbona([&](auto&) { ++riepiloghi; });
    monitor->visibilita(true, "principale");
    avanza(0.35 + 1.5 * 2);  // three full samples with unchanged ticks and memory
    EXPECT_EQ(processi, 3);
    EXPECT_EQ(totali, 3);
    EXPECT_EQ(riepiloghi, 1);
    EXPECT_DOUBLE_EQ(monitor->riepilogo().memoria, 50);
    sonde.memoria = 60;
    avanza(1.5);
    EXPECT_EQ(riepiloghi, 2);
    EXPECT_DOUBLE_EQ(monitor->riepilogo().memoria, 60);
}

TEST_F(MonitorTest, LoStatoArrivaPrimaDelleListeEILCambioEAnnunciatoPrima) {
    std::vector<std::string> ordine;
    auto abbonamento4 = monitor->stato.abbona([&](auto&) { ordine.push_back("stato"); });
    auto abbonamento5 = monitor->processi.abbona([&](auto&) { ordine.push_back("processi"); });
    auto abbonamento6 = monitor->totale.abbona([&](auto&) { ordine.push_back("totale"); });
    auto abbonamento7 = monitor->dettaglio.abbona([&](auto&) { ordine.push_back("dettaglio"); });
    auto abbonamento8 = monitor->riepilogo.abbona([&](auto&) { ordine.push_back("riepilogo"); });
    std::vector<double> cpuVistaPrima;
    auto abbonamento9 = monitor->osservaCambiamenti([&] { cpuVistaPrima.push_back(monitor->totale().cpu); });

    sonde.gpu.trovata = false;  // the state changes on the first sample
    monitor->visibilita(true, "principale");
    coda.avanza(0.35);
    blocchi.erase(blocchi.begin());  // drop the start-up check's block: only the sample's order matters
    sonde.avanzaTick(90, 10);
    drena();
    ASSERT_GE(ordine.size(), 5u);
    EXPECT_EQ(ordine[0], "stato");
    EXPECT_EQ((std::vector<std::string>(ordine.begin() + 1, ordine.begin() + 5)),
              (std::vector<std::string>{"processi", "totale", "dettaglio", "riepilogo"}));
    EXPECT_FALSE(monitor->stato().gpu);

    // The announcement comes before the store: it still sees the old totals.
    ordine.clear();
    cpuVistaPrima.clear();
    avanza(1.5);
    ASSERT_FALSE(cpuVistaPrima.empty());
    EXPECT_DOUBLE_EQ(cpuVistaPrima.front(), 0.0);
    EXPECT_GT(monitor->totale().cpu, 80.0);
}

TEST_F(MonitorTest, FontiNonFunzionanti) {
    sonde.lista.clear();
    sonde.gpu.trovata = false;
    sonde.energia->impostata = false;
    avanza(0);
    EXPECT_EQ(monitor->stato(), (StatoFonti{false, false, false}));
    // Ticks that do not move also mean a CPU source that does not work.
    sonde.lista = {{1, {1, 1, "x"}}};
    monitor->visibilita(true, "mini");
    avanza(0.35);
    EXPECT_FALSE(monitor->stato().cpu);
    sonde.avanzaTick(10, 10);
    avanza(1.5);
    EXPECT_TRUE(monitor->stato().cpu);
}

TEST_F(MonitorTest, DtMinimoENomiDelleApplicazioni) {
    sonde.attivi = 1;
    monitor.reset();
    crea();
    sonde.lista = {{7, {10.0, 1 << 20, "worker"}}};
    sonde.applicazioni[7] = "Lavoratore";
    monitor->impostaIntervallo(0.01);
    monitor->visibilita(true, "principale");
    avanza(0.35);
    // 10 ms later: 0.01 s of CPU over a floored dt of 0.05 s on one core is 20 %, not 100 %.
    sonde.lista[7].cpu = 10.01;
    avanza(0.01);
    ASSERT_EQ(monitor->processi().size(), 1u);
    EXPECT_NEAR(monitor->processi()[0].cpu, 20.0, 1e-6);
    EXPECT_EQ(monitor->processi()[0].nome, "Lavoratore");
}

TEST_F(MonitorTest, DettaglioDelProcessoSeguito) {
    sonde.lista = {{7, {1, 100, "a"}}, {8, {1, 200, "b"}}};
    sonde.applicazioni[8] = "Bi";
    monitor->riquadro(true);
    monitor->impostaSeguito(8);
    avanza(5);
    EXPECT_FALSE(monitor->dettaglio().has_value()) << "light samples do not publish the detail";

    monitor->visibilita(true, "principale");
    avanza(0.35);
    ASSERT_TRUE(monitor->dettaglio().has_value());
    EXPECT_EQ(monitor->dettaglio()->id, 8);
    EXPECT_EQ(monitor->dettaglio()->nome, "Bi");
    EXPECT_EQ(monitor->dettaglio()->memoria, 200u);

    sonde.lista.erase(8);  // the process exits
    avanza(1.5);
    EXPECT_FALSE(monitor->dettaglio().has_value());

    monitor->impostaSeguito(7);
    avanza(1.5);
    ASSERT_TRUE(monitor->dettaglio().has_value());
    EXPECT_EQ(monitor->dettaglio()->nome, "a");
    monitor->impostaSeguito(std::nullopt);
    avanza(1.5);
    EXPECT_FALSE(monitor->dettaglio().has_value());
}

TEST(NeuralEngine, UtilizzoDallaPotenzaControIlPicco) {
    double picco = 4;
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(2, 1, picco), 25.0);
    EXPECT_DOUBLE_EQ(picco, 3.996);
    picco = 10;
    EXPECT_NEAR(utilizzoANEDaPotenza(2, 1, picco), 2 / 9.99 * 100, 1e-9);
    EXPECT_DOUBLE_EQ(picco, 9.99);
    // Two channels double the reference; a channel count of 0 counts as 1.
    picco = 0;
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(4, 2, picco), 25.0);
    picco = 0;
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(4, 0, picco), 50.0);
    // Negative power (counters that ran backwards) is no activity.
    picco = 0;
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(-3, 1, picco), 0.0);
}

TEST_F(MonitorTest, NeuralEngineNelCampioneEClient) {
    sonde.energia->potenze = {1.5, 2};
    sonde.client = {{7, "ane-a"}, {9, "ane-b"}};
    sonde.applicazioni[9] = "Anteprima";
    monitor->visibilita(true, "principale");
    avanza(0.35);
    EXPECT_DOUBLE_EQ(monitor->totale().ane, 25.0);
    EXPECT_DOUBLE_EQ(monitor->totale().gpuWatt, 1.5);
    EXPECT_DOUBLE_EQ(monitor->totale().aneWatt, 2);
    EXPECT_EQ(monitor->totale().aneApp, (std::vector<std::string>{"Anteprima", "ane-a"}));
    EXPECT_TRUE(monitor->aneAcceso());

    // Residency, when present, wins over the power estimate and is capped.
    sonde.energia->attivita = 1.2;
    avanza(1.5);
    EXPECT_DOUBLE_EQ(monitor->totale().ane, 100.0);
    bool trovato = false;
    for (auto& p : monitor->processi())
        if (p.id == 7) {
            trovato = true;
            EXPECT_TRUE(p.usaANE);
            EXPECT_DOUBLE_EQ(p.ane, 50.0);
        }
    EXPECT_TRUE(trovato);

    sonde.energia->attivita = 0.004;
    avanza(1.5);
    EXPECT_FALSE(monitor->aneAcceso());
}

TEST_F(MonitorTest, IGestoriNonTengonoInVitaIlMonitor) {
    monitor->visibilita(true, "principale");
    monitor->riquadro(true);
    avanza(1);
    const int tick = sonde.chiamateTick;
    monitor.reset();
    avanza(10);
    EXPECT_EQ(sonde.chiamateTick, tick);
}
