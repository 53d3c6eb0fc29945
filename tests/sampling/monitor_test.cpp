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
    void SetUp() override { crea(); }

    void crea() {
        monitor = Monitor::crea(sonde, coda, [this](std::function<void()> f) {
            ++consegne;
            blocchi.push_back(std::move(f));
        });
        campioni = 0;  // the totals go out with every full sample
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
    int campioni = 0;
    int consegne = 0;  // blocks handed to the main thread
};

}  // namespace

TEST_F(MonitorTest, LaPrimaVistaAvviaIlCampionamento) {
    // Without views only the source check runs: right away, then every 60 s up to 10 s late.
    // The check's listing keeps nothing open at rest.
    avanza(0);
    EXPECT_EQ(sonde.chiamateLista, 1);
    EXPECT_FALSE(sonde.trattiene);
    EXPECT_TRUE(monitor->inControllo());
    avanza(69.9);
    EXPECT_EQ(sonde.chiamateLista, 1);
    avanza(0.1);
    EXPECT_EQ(sonde.chiamateLista, 2);
    // A view announced twice and gone once is gone.
    mostra("mini", true);
    mostra("mini", true);
    mostra("mini", false);
    EXPECT_TRUE(monitor->inControllo());
    avanza(60);
    EXPECT_EQ(sonde.chiamateLista, 3);
    EXPECT_EQ(campioni, 0);
    const int gpu = sonde.chiamateGPU;
    mostra("mini", true);
    EXPECT_TRUE(monitor->campionando() && !monitor->inControllo());
    avanza(0.34);
    EXPECT_EQ(campioni, 0);
    EXPECT_EQ(sonde.chiamateGPU, gpu + 1) << "the references were reset first";
    avanza(0.01);
    EXPECT_EQ(campioni, 1) << "first full sample 0.35 s after the view appeared";
    avanza(1.5);
    EXPECT_EQ(campioni, 2);
    EXPECT_TRUE(sonde.trattiene) << "kept from sample to sample while a view shows them";
    const int riposi = sonde.riposi;

    // Closing the popover while the settings are open keeps sampling.
    mostra("impostazioni", true);
    mostra("mini", false);
    avanza(1.5);
    EXPECT_EQ(campioni, 3);
    // The last view leaving stops it and restarts the 60 s check.
    EXPECT_EQ(sonde.riposi, riposi);
    mostra("impostazioni", false);
    EXPECT_TRUE(!monitor->campionando() && monitor->inControllo());
    avanza(0);
    EXPECT_FALSE(sonde.trattiene) << "the last view gone lets the listing's files go";
    const int liste = sonde.chiamateLista;
    avanza(69);
    EXPECT_EQ(campioni, 3);
    EXPECT_EQ(sonde.chiamateLista, liste);
    avanza(1);
    EXPECT_EQ(sonde.chiamateLista, liste + 1);
}

TEST_F(MonitorTest, UnNuovoIntervalloRiparteDaCapo) {
    mostra("principale", true);
    avanza(0.35);
    monitor->impostaIntervallo(3);
    avanza(2.9);
    EXPECT_EQ(campioni, 1) << "no sample before the new interval";
    avanza(0.1);
    EXPECT_EQ(campioni, 2);
    // Without views a new interval only stores the value.
    mostra("principale", false);
    monitor->impostaIntervallo(1);
    EXPECT_FALSE(monitor->campionando());
    mostra("principale", true);
    avanza(0.35 + 1);
    EXPECT_EQ(campioni, 4) << "the stored interval applies when a view comes back";

    // The timers' handlers do not keep the monitor alive.
    monitor->riquadro(true);
    const int tick = sonde.chiamateTick;
    monitor.reset();
    avanza(10);
    EXPECT_EQ(sonde.chiamateTick, tick);
}

TEST_F(MonitorTest, AnnunciPrimaDiOgniCambioERiepilogoSoloSeCambia) {
    // Every store is preceded by its own announcement, which still sees the old value.
    std::vector<std::string> eventi;
    auto annuncio = monitor->osservaCambiamenti(
        [&] { eventi.push_back("annuncio " + std::to_string(monitor->totale().cpu)); });
    auto registra = [&](const char* nome) { return [&eventi, nome](auto&) { eventi.push_back(nome); }; };
    auto a = monitor->processi.abbona(registra("processi"));
    auto b = monitor->stato.abbona(registra("stato"));
    auto c = monitor->totale.abbona([&](auto& t) { eventi.push_back("totale " + std::to_string(t.cpu)); });
    auto d = monitor->dettaglio.abbona(registra("dettaglio"));
    auto e = monitor->riepilogo.abbona(registra("riepilogo"));
    auto f = monitor->intervallo.abbona(registra("intervallo"));
    auto g = monitor->seguito.abbona(registra("seguito"));

    mostra("principale", true);
    avanza(0.35);
    sonde.avanzaTick(90, 10);
    eventi.clear();
    const int consegnePrima = consegne;
    avanza(1.5);
    EXPECT_EQ(consegne - consegnePrima, 1) << "a sample, state included, wakes the main thread once";
    const std::string prima = "annuncio " + std::to_string(0.0), dopo = "annuncio " + std::to_string(90.0);
    // The ticks moved only now, so the CPU source turns on with this sample.
    EXPECT_EQ(eventi, (std::vector<std::string>{prima, "stato", prima, "processi", prima,
                                                "totale " + std::to_string(90.0), dopo, "dettaglio", dopo,
                                                "riepilogo"}));
    // Unchanged ticks and memory: the lists go out, the summary does not.
    eventi.clear();
    sonde.avanzaTick(90, 10);
    avanza(1.5);
    EXPECT_EQ(std::count(eventi.begin(), eventi.end(), "processi"), 1);
    EXPECT_EQ(std::count(eventi.begin(), eventi.end(), "riepilogo"), 0);
    sonde.memoria = 60;
    sonde.avanzaTick(90, 10);
    avanza(1.5);
    EXPECT_DOUBLE_EQ(monitor->riepilogo().memoria, 60);

    eventi.clear();
    monitor->impostaIntervallo(3);
    monitor->impostaSeguito(42);
    EXPECT_EQ(eventi, (std::vector<std::string>{dopo, "intervallo", dopo, "seguito"}));
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
    EXPECT_EQ(monitor->totale().core.totale(), 0);
    EXPECT_EQ(monitor->riepilogo().memoria, 0);
    sonde.tick = buona;
    sonde.avanzaTick(30, 10);
    avanza(1.5);
    EXPECT_DOUBLE_EQ(monitor->totale().cpu, 75.0);

    // Units the machine does not have are told apart from units that fail, in the check and
    // in the full sample alike.
    sonde.gpu.assente = true;
    sonde.energia->manca = true;
    sonde.avanzaTick(10, 10);
    avanza(1.5);
    EXPECT_EQ(monitor->stato(), (StatoFonti{true, false, false, true, true}));
    mostra("mini", false);
    sonde.energia->manca = false;
    monitor->verificaOra();
    avanza(0);
    EXPECT_EQ(monitor->stato(), (StatoFonti{true, false, false, true, false}));
}

TEST_F(MonitorTest, NumeroDeiProcessiEDettaglioDelSeguito) {
    for (int i = 2; i <= 20; ++i) sonde.lista[i] = {double(i), 4096, "p"};
    sonde.lista[8] = {1, 200, "b", std::nullopt, 500};
    sonde.applicazioni[8] = "Bi";
    monitor->riquadro(true);
    monitor->impostaSeguito(8, 500);
    avanza(5);
    EXPECT_FALSE(monitor->dettaglio().has_value()) << "light samples do not publish the detail";

    mostra("principale", true);
    avanza(0.35);
    EXPECT_EQ(monitor->processi().size(), 9u) << "the default before anything is pushed";
    ASSERT_TRUE(monitor->dettaglio().has_value());
    EXPECT_EQ(monitor->dettaglio()->nome, "Bi");
    EXPECT_EQ(monitor->dettaglio()->memoria, 200u);
    monitor->impostaNumeroProcessi(8);
    sonde.lista[8] = {1, 300, "b", std::nullopt, 900};  // it exits, and its id goes to a later process
    avanza(1.5);
    EXPECT_EQ(monitor->processi().size(), 8u);
    EXPECT_FALSE(monitor->dettaglio().has_value());

    monitor->impostaSeguito(7);
    monitor->impostaNumeroProcessi(-1);
    EXPECT_EQ(monitor->numeroProcessi(), 0);
    avanza(1.5);
    EXPECT_TRUE(monitor->processi().empty());
    ASSERT_TRUE(monitor->dettaglio().has_value());
    EXPECT_EQ(monitor->dettaglio()->id, 7);
    monitor->impostaSeguito(std::nullopt);
    avanza(1.5);
    EXPECT_FALSE(monitor->dettaglio().has_value());
}

TEST_F(MonitorTest, NeuralEngineNelCampioneEClient) {
    sonde.energia->potenze = {1.5, 2};
    sonde.client = {{7, "ane-a"}, {9, "ane-b"}};
    sonde.applicazioni[9] = "Anteprima";
    mostra("principale", true);
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
    const auto& p = monitor->processi();
    const auto sette = std::find_if(p.begin(), p.end(), [](auto& u) { return u.id == 7; });
    ASSERT_NE(sette, p.end());
    EXPECT_TRUE(sette->usaANE);
    EXPECT_DOUBLE_EQ(sette->ane, 50.0);

    sonde.energia->attivita = 0.004;
    avanza(1.5);
    EXPECT_FALSE(monitor->aneAcceso());

    // While residency is available the power peak still moves, so a later fall-back uses it.
    sonde.energia->potenze = {0, 20};
    avanza(1.5);
    sonde.energia->attivita.reset();
    sonde.energia->potenze = {0, 2};
    avanza(1.5);
    EXPECT_NEAR(monitor->totale().ane, 2 / (20 * 0.999) * 100, 1e-9);

    // Two channels double the 8 W reference; a channel count of 0 counts as 1; negative power
    // (counters that ran backwards) is no activity.
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(4, 2, 4), 25.0);
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(4, 0, 4), 50.0);
    EXPECT_DOUBLE_EQ(utilizzoANEDaPotenza(-3, 1, 0), 0.0);
}

TEST_F(MonitorTest, IlCampioneLeggeroDescriveLUltimoIntervallo) {
    sonde.gpu.totale = 42;
    sonde.energia->potenze = {3, 5};  // no power estimate in the light sample
    monitor->riquadro(true);
    sonde.avanzaTick(10, 30);
    avanza(0.59);
    EXPECT_EQ(sonde.chiamateMemoria, 0) << "the first light sample waits for its deadline";
    avanza(0.01);
    EXPECT_EQ(monitor->riepilogo(), (Riepilogo{50.0, 25.0, monitor->riepilogo().core, 42.0, 0.0}))
        << "CPU from the light baseline taken at start";
    sonde.energia->attivita = 0.3;
    sonde.avanzaTick(0, 10);
    avanza(2);
    EXPECT_DOUBLE_EQ(monitor->riepilogo().ane, 30.0);
    EXPECT_DOUBLE_EQ(monitor->riepilogo().cpu, 0.0);

    // A busy window, then an idle moment after it closes: the tile tells only the idle moment.
    // While the window samples, the light samples stay quiet.
    mostra("principale", true);
    int memorie = sonde.chiamateMemoria;
    for (int i = 0; i < 4; ++i) {
        sonde.avanzaTick(100, 0);
        avanza(1.5);
    }
    EXPECT_EQ(sonde.chiamateMemoria - memorie, 4) << "only the four full samples";
    EXPECT_DOUBLE_EQ(monitor->riepilogo().cpu, 100.0);
    mostra("principale", false);
    sonde.avanzaTick(0, 100);
    memorie = sonde.chiamateMemoria;
    for (int i = 0; i < 30 && sonde.chiamateMemoria == memorie; ++i) avanza(0.1);
    ASSERT_EQ(sonde.chiamateMemoria, memorie + 1);
    EXPECT_DOUBLE_EQ(monitor->riepilogo().cpu, 0.0);
    EXPECT_EQ(monitor->riepilogo().core.totale(), 0);
    avanza(2);
    EXPECT_EQ(sonde.chiamateMemoria, memorie + 2) << "light samples every 2 s again";
    monitor->riquadro(false);
    avanza(10);
    EXPECT_EQ(sonde.chiamateMemoria, memorie + 2);
}

TEST_F(MonitorTest, QuattroPSeiEFinoAlRiepilogo) {
    // A fake machine of 4 performance and 6 efficiency cores, nothing read from this host.
    sonde.fatti = {{"P", "P", "P", "P", "E", "E", "E", "E", "E", "E"}, 4, 6, "10 core (4 + 6)", "16 core"};
    sonde.tick = {};
    for (int i = 0; i < 10; ++i) sonde.tick.perCore.push_back({100, 1000});
    sonde.avanzaTick(0, 0);
    monitor.reset();
    crea();
    EXPECT_EQ(monitor->riepilogo().core, (CoreImpegnati{0, 0, 4, 6})) << "the counts before any sample";

    mostra("principale", true);
    avanza(0.3);
    // Busy: P cores 0 and 1, E cores 4, 5 and 6.
    for (int i : {0, 1, 4, 5, 6}) sonde.tick.perCore[static_cast<std::size_t>(i)].occupati += 90;
    sonde.avanzaTick(0, 100);
    avanza(0.05);
    EXPECT_EQ(monitor->totale().core, (CoreImpegnati{2, 3, 4, 6}));
    EXPECT_EQ(monitor->riepilogo().core, (CoreImpegnati{2, 3, 4, 6}));
}

TEST(Pubblicato, OnlyChangesSkipEqualAssignmentsPerObserver) {
    Pubblicato<int> p(1);
    std::vector<int> tutti, cambi;
    auto a = p.abbona([&](const int& v) { tutti.push_back(v); });
    auto b = p.abbona([&](const int& v) { cambi.push_back(v); }, true);
    for (int v : {1, 2, 2, 3, 3, 1}) p.assegna(v);
    EXPECT_EQ(tutti, (std::vector<int>{1, 2, 2, 3, 3, 1}));
    EXPECT_EQ(cambi, (std::vector<int>{2, 3, 1})) << "the first 1 equals the value at subscription";
    b.disdici();
    p.assegna(7);
    EXPECT_EQ(cambi.back(), 1);
    EXPECT_EQ(p(), 7);
}

// What a scrape costs: one reading shared within a second, or a view's samples while one shows.
TEST_F(MonitorTest, LEsportazioneLeggeSoloQuantoServe) {
    const auto raschia = [&](int processi) {
        std::optional<LetturaEsportata> r;
        monitor->leggiPerEsportare(processi, [&](LetturaEsportata l) { r = std::move(l); });
        coda.esegui();
        EXPECT_TRUE(r.has_value());
        return r.value_or(LetturaEsportata{});
    };
    avanza(120);  // the start's and the control timer's source checks
    const int tick = sonde.chiamateTick, liste = sonde.chiamateLista, memoria = sonde.chiamateMemoria;
    // Two scrapers within a second share one reading, without the listing unless asked.
    raschia(0);
    raschia(0);
    EXPECT_EQ(sonde.chiamateTick, tick + 1);
    EXPECT_EQ(sonde.chiamateMemoria, memoria + 1);
    EXPECT_EQ(sonde.chiamateLista, liste);
    // Two seconds later, 60% busy in between: the figure covers the time since the last scrape.
    coda.avanza(2);
    sonde.avanzaTick(60, 40);
    const LetturaEsportata l = raschia(5);
    EXPECT_DOUBLE_EQ(l.totale.cpu, 60);
    EXPECT_EQ(sonde.chiamateLista, liste + 1);
    EXPECT_EQ(l.processi.size(), 1u);
    EXPECT_FALSE(sonde.trattiene) << "the listing keeps nothing open between scrapes";

    mostra("principale", true);
    avanza(2);
    const int tickVista = sonde.chiamateTick, listeVista = sonde.chiamateLista;
    coda.avanza(1.2);  // past the sharing second, no sample due
    EXPECT_EQ(raschia(5).processi.size(), 1u);
    EXPECT_EQ(sonde.chiamateTick, tickVista);
    EXPECT_EQ(sonde.chiamateLista, listeVista);
}

// A day through the monitor in virtual time: twenty hours of the tile's light samples, an hour of
// a window's full samples, three hours of the plain icon's 60 s check.
TEST_F(MonitorTest, UnGiornoDiStoria) {
    const Storia& s = monitor->storia();
    monitor->riquadro(true);
    for (int k = 0; k < 20 * 60 * 30; ++k) {
        sonde.memoria = k % 30 < 15 ? 40 : 60;  // half of every minute at each
        sonde.avanzaTick(25, 75);
        avanza(2);
    }
    const std::int64_t finePiastrella = Storia::indiceMinuto(coda.ora());

    // cc1plus takes a quarter of the machine for 40 s of every minute, ld 40 % for the other 20:
    // the heaviest is the one with the greatest mean, not the greatest peak.
    monitor->riquadro(false);
    mostra("finestra", true);
    sonde.lista = {{10, {0, 0, "cc1plus"}}, {20, {0, 0, "ld"}}};
    for (int k = 0; k < 2400; ++k) {
        const bool primi40 = std::fmod(Storia::secondi(coda.ora()), 60) < 40;
        sonde.lista[primi40 ? 10 : 20].cpu += primi40 ? 0.75 : 1.2;
        sonde.avanzaTick(50, 50);
        avanza(1.5);
    }
    // Every full sample of the last ten minutes, nothing older.
    EXPECT_NEAR(static_cast<double>(s.punti().size()), 600 / 1.5, 1);
    EXPECT_GE(s.punti()[0].secondi, s.punti().back().secondi - 600);
    const std::int64_t fineFinestra = Storia::indiceMinuto(coda.ora());

    mostra("finestra", false);
    sonde.memoria = 70;
    for (int k = 0; k < 3 * 60; ++k) {
        sonde.avanzaTick(50, 50);
        avanza(60);
    }

    // A day of minutes, the first check coming a minute after the window closed.
    ASSERT_EQ(s.numeroMinuti(), Storia::minutiGiorno - 1);
    EXPECT_EQ(s.minuto(s.numeroMinuti() - 1).indice - s.minuto(0).indice, Storia::minutiGiorno - 1);
    int piastrella = 0, finestra = 0, controllo = 0;
    for (std::size_t i = 0; i < s.numeroMinuti(); ++i) {
        const Storia::Minuto& m = s.minuto(i);
        EXPECT_TRUE(i == 0 || m.indice == fineFinestra + 1 || m.indice == s.minuto(i - 1).indice + 1) << i;
        if (m.indice < finePiastrella) {
            ++piastrella;
            EXPECT_EQ(m[Figura::memoria].minimo, 40);
            EXPECT_EQ(m[Figura::memoria].massimo, 60);
            EXPECT_NEAR(m[Figura::cpu].media, 25, 0.01);
            EXPECT_EQ(m[Figura::gpuWatt].campioni, 0) << "a light sample reads no power";
            EXPECT_FALSE(m.pesante.has_value());
        } else if (m.indice > finePiastrella && m.indice < fineFinestra) {
            ++finestra;
            ASSERT_TRUE(m.pesante.has_value());
            EXPECT_EQ(m.pesante->testo(), "cc1plus");
            EXPECT_NEAR(m.pesante->cpu, 25 * 40 / 60.0, 1.5);
            EXPECT_EQ(m[Figura::gpuWatt].campioni, 40);
        } else if (m.indice > fineFinestra + 1) {
            ++controllo;
            EXPECT_EQ(m[Figura::memoria].campioni, 1);
            EXPECT_EQ(m[Figura::memoria].media, 70);
            EXPECT_NEAR(m[Figura::cpu].media, 50, 0.01);
        }
    }
    EXPECT_GT(piastrella, 1000);
    EXPECT_EQ(finestra, 59);
    EXPECT_GE(controllo, 170);
}
